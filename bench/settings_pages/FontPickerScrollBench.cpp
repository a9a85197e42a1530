// The font picker scrolled at full speed, 4000 points a second at 60 frames
// a second, from its top to its end: every frame moves the table, lays it
// out (cells reused or made, each row's font looked up) and renders the
// phone's screen at scale 2. Prints the frame time (mean, 95th percentile,
// most; a frame at 60 a second has 16.7 ms), the frames, and the cells made
// against the rows shown, for the installed fonts and for a hundred
// families.
#include "settings/FontPickerViewController.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UITableView.h"
#include "kit/ui/UITableViewCell.h"
#include "kit/ui/UIWindow.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <set>

using namespace kit;

namespace {

constexpr double pointsPerFrame = 4000.0 / 60;

// A hundred families, each one of the installed families under a name of
// its own, so the list is long and every row still names a real font.
class HundredFamilies : public vantor::FontPickerViewController {
protected:
    std::vector<std::string> familyNames() const override
    {
        std::vector<std::string> names;
        for (int i = 0; i < 100; ++i)
            names.push_back(installed()[size_t(i) % installed().size()] + " " + std::to_string(i));
        return names;
    }
    std::vector<std::string> fontNamesForFamilyName(const std::string& family) const override
    {
        return UIFont::fontNamesForFamilyName(family.substr(0, family.rfind(' ')));
    }

private:
    static const std::vector<std::string>& installed()
    {
        static const auto families = UIFont::familyNames();
        return families;
    }
};

template <typename Picker>
void BM_ScrollFontPicker(benchmark::State& state)
{
    RunLoop::main().resetWithVirtualClock();
    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, 320, 568));
    window->setBackgroundColor(UIColor::whiteColor());
    window->makeKeyAndVisible();
    Renderer renderer(CGSizeMake(320, 568), 2);

    std::vector<double> frames;
    size_t cellsMade = 0, rowsShown = 0, rows = 0, sections = 0;
    for (auto _ : state) {
        auto picker = std::make_shared<Picker>();
        auto table = std::dynamic_pointer_cast<UITableView>(picker->viewShared());
        table->setFrame(CGRectMake(0, 64, 320, 504));
        window->addSubview(table);
        std::set<UITableViewCell*> cells;
        std::set<NSIndexPath> shown;
        double total = 0;
        for (CGFloat y = 0;; y += pointsPerFrame) {
            auto start = std::chrono::steady_clock::now();
            table->setContentOffset(CGPointMake(0, std::min(y, table->maximumContentOffset().y)));
            renderer.render();
            double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            frames.push_back(seconds);
            total += seconds;
            for (auto* cell : table->visibleCells()) {
                cells.insert(cell);
                shown.insert(*table->indexPathForCell(cell));
            }
            if (table->contentOffset().y >= table->maximumContentOffset().y)
                break;
        }
        state.SetIterationTime(total);
        cellsMade = cells.size();
        rowsShown = shown.size();
        sections = size_t(table->numberOfSections());
        rows = 0;
        for (int64_t s = 0; s < table->numberOfSections(); ++s)
            rows += size_t(table->numberOfRowsInSection(s));
        table->removeFromSuperview();
    }
    std::sort(frames.begin(), frames.end());
    double mean = 0;
    for (double f : frames)
        mean += f;
    mean /= double(std::max<size_t>(1, frames.size()));
    state.counters["frame_mean_ms"] = mean * 1000;
    state.counters["frame_p95_ms"] = frames.empty() ? 0 : frames[std::min(frames.size() - 1, frames.size() * 95 / 100)] * 1000;
    state.counters["frame_max_ms"] = frames.empty() ? 0 : frames.back() * 1000;
    state.counters["frames_per_scroll"] = double(frames.size()) / double(std::max<int64_t>(1, state.iterations()));
    state.counters["sections"] = double(sections);
    state.counters["rows"] = double(rows);
    state.counters["rows_shown"] = double(rowsShown);
    state.counters["cells_made"] = double(cellsMade);
}
BENCHMARK_TEMPLATE(BM_ScrollFontPicker, vantor::FontPickerViewController)->Name("BM_ScrollFontPicker/installed")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ScrollFontPicker, HundredFamilies)->Name("BM_ScrollFontPicker/hundred_families")->UseManualTime()->Unit(benchmark::kMillisecond);

}
