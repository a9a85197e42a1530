#include "SettingsBundleTest.h"

#include "settings/FontPickerViewController.h"
#include "settings/Globals.h"
#include "settings/LayoutNames.h"
#include "settings/TimeStampViewController.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/RunLoop.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/TouchDelivery.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UITableView.h"
#include "kit/ui/UITableViewCell.h"
#include "kit/ui/UIWindow.h"

#include <functional>
#include <map>
#include <set>

namespace {

using settingstest::SettingsBundleTest;
using Names = std::vector<std::string>;

// A picker over a catalogue of its own, for lists the installed fonts do not
// have: many families, a family that lists no fonts, an unsorted order.
class CataloguePicker : public vantor::FontPickerViewController {
public:
    std::vector<std::pair<std::string, Names>> catalogue;

protected:
    Names familyNames() const override
    {
        Names names;
        for (auto& [family, fonts] : catalogue)
            names.push_back(family);
        return names;
    }
    Names fontNamesForFamilyName(const std::string& family) const override
    {
        for (auto& [name, fonts] : catalogue)
            if (name == family)
                return fonts;
        return {};
    }
};

class RecordingDelegate : public vantor::FontPickerViewControllerDelegate {
public:
    void fontPickerViewController(vantor::FontPickerViewController* picker, const std::string& font) override
    {
        chosen.push_back({ picker, font });
    }
    std::vector<std::pair<vantor::FontPickerViewController*, std::string>> chosen;
};

class FontPickerTest : public SettingsBundleTest {
protected:
    vantor::TimeStampViewController* openTimeStamp(const std::string& model = "iPhone6,1")
    {
        m_entry = openEntry(model);
        tap(control("ShowTimeStampSetup:"));
        return dynamic_cast<vantor::TimeStampViewController*>(frontPage());
    }

    vantor::FontPickerViewController* openPicker()
    {
        auto* page = openTimeStamp();
        EXPECT_TRUE(page && page->timestampFontSelect);
        if (!page || !page->timestampFontSelect)
            return nullptr;
        tap(page->timestampFontSelect.get());
        return dynamic_cast<vantor::FontPickerViewController*>(frontPage());
    }

    // A picker of its own on a screen, as the Settings app shows a page.
    template <typename Picker = vantor::FontPickerViewController>
    std::shared_ptr<Picker> showPicker(std::function<void(Picker&)> prepare = {})
    {
        m_entry = openEntry();
        auto picker = std::make_shared<Picker>();
        if (prepare)
            prepare(*picker);
        picker->initWithNibName("FontPickerView_iphone", kit::NSBundle::bundleWithPath(vantor::kBundlePath));
        navigation()->pushViewController(picker, false);
        picker->tableView()->layoutIfNeeded();
        return picker;
    }

    // Every row of the table from the top to the end, a screenful at a time:
    // each visible cell and the index path it shows.
    template <typename Visit>
    void scrollThrough(kit::UITableView& table, Visit visit)
    {
        for (kit::CGFloat y = 0;; y += table.bounds().size.height / 2) {
            table.setContentOffset({ 0, std::min(y, table.maximumContentOffset().y) });
            table.layoutIfNeeded();
            for (auto* cell : table.visibleCells())
                visit(cell, *table.indexPathForCell(cell));
            if (table.contentOffset().y >= table.maximumContentOffset().y)
                break;
        }
    }

    // The headers the table shows, by their text.
    static std::map<std::string, kit::UIView*> headers(kit::UITableView& table)
    {
        std::map<std::string, kit::UIView*> found;
        for (int64_t s = 0; s < table.numberOfSections(); ++s)
            if (auto* header = table.headerViewForSection(s))
                if (auto* label = dynamic_cast<kit::UILabel*>(header->subviews().front().get()))
                    found[label->text()] = header;
        return found;
    }

    // Where a plain table's header belongs: above its section's first row,
    // or at the top of what shows while its section passes under it.
    static kit::CGFloat headerTop(kit::UITableView& table, int64_t section)
    {
        auto first = table.rectForRowAtIndexPath({ section, 0 });
        auto last = table.rectForRowAtIndexPath({ section, table.numberOfRowsInSection(section) - 1 });
        auto top = first.origin.y - 22;
        return std::max(top, std::min(table.contentOffset().y, kit::CGRectGetMaxY(last) - 22));
    }

    std::shared_ptr<vantor::Bundle_Template_Controller> m_entry;
};

TEST_F(FontPickerTest, TheFontButtonOpensThePickerTitledWithTheCurrentFontName)
{
    writeSettings({ { "timeStampFontName", "DejaVuSans-Bold" } });
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->title(), "DejaVuSans-Bold");
    EXPECT_EQ(picker->nibName(), "FontPickerView_iphone");
    EXPECT_EQ(picker->delegate().get(), dynamic_cast<vantor::FontPickerViewControllerDelegate*>(navigation()->viewControllers().end()[-2].get()));
    ASSERT_TRUE(picker->tableView());
    EXPECT_EQ(picker->tableView()->dataSource().get(), static_cast<kit::UITableViewDataSource*>(picker));
    EXPECT_EQ(picker->tableView()->frame().size.height, 568 - 64);
}

TEST_F(FontPickerTest, ATappedFontIsShownInItselfStoredAndThePageClosesThePicker)
{
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    auto* page = dynamic_cast<vantor::TimeStampViewController*>(navigation()->viewControllers().end()[-2].get());
    auto& table = *picker->tableView();
    std::optional<kit::NSIndexPath> serifBold;
    scrollThrough(table, [&](kit::UITableViewCell* cell, const kit::NSIndexPath& at) {
        if (cell->textLabel()->text() == "DejaVuSerif-Bold")
            serifBold = at;
    });
    ASSERT_TRUE(serifBold) << "the DejaVu faces are installed by the project's dependencies";
    table.scrollToRowAtIndexPath(*serifBold, kit::UITableViewScrollPositionMiddle, false);
    table.layoutIfNeeded();
    tap(table.cellForRowAtIndexPath(*serifBold));

    EXPECT_EQ(frontPage(), page);
    EXPECT_EQ(vantor::prefs::timeStampFontName, "DejaVuSerif-Bold");
    EXPECT_EQ(page->timestampFontSelect->titleForState(kit::UIControlStateNormal), "DejaVuSerif-Bold");
    EXPECT_EQ(page->timestampFontSelect->titleLabel()->font()->facePostScriptName(), "DejaVuSerif-Bold");
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)["timeStampFontName"].kind, "string");
    EXPECT_EQ((*stored)["timeStampFontName"].string, "DejaVuSerif-Bold");
}

TEST_F(FontPickerTest, OnThePadTheFontButtonOpensNothing)
{
    auto* page = openTimeStamp("iPad4,1");
    ASSERT_TRUE(page && page->timestampFontSelect);
    tap(page->timestampFontSelect.get());
    EXPECT_EQ(frontPage(), page);
}

TEST_F(FontPickerTest, SectionsAreTheInstalledFamiliesInTheirOrderWithTheirFonts)
{
    auto picker = showPicker();
    auto& table = *picker->tableView();
    auto families = kit::UIFont::familyNames();
    ASSERT_EQ(table.numberOfSections(), int64_t(families.size()));
    for (size_t s = 0; s < families.size(); ++s) {
        EXPECT_EQ(picker->titleForHeaderInSection(&table, int64_t(s)), families[s]);
        auto fonts = kit::UIFont::fontNamesForFamilyName(families[s]);
        ASSERT_EQ(table.numberOfRowsInSection(int64_t(s)), int64_t(fonts.size())) << families[s];
        for (size_t r = 0; r < fonts.size(); ++r)
            EXPECT_EQ(picker->_fontNameForRow(int64_t(r), families[s]), fonts[r]);
    }
}

TEST_F(FontPickerTest, ThePickerSortsNothing)
{
    auto picker = std::make_shared<CataloguePicker>();
    picker->catalogue = { { "Nimbus Sans", { "NimbusSans-Regular", "NimbusSans-Bold" } },
        { "DejaVu Serif", { "DejaVuSerif" } }, { "C059", { "C059-Roman", "C059-Bold" } } };
    picker->view();
    auto& table = *picker->tableView();
    EXPECT_EQ(picker->titleForHeaderInSection(&table, 0), "Nimbus Sans");
    EXPECT_EQ(picker->_fontFamilyForSection(2), "C059");
    EXPECT_EQ(picker->_fontNameForRow(0, "Nimbus Sans"), "NimbusSans-Regular");
    EXPECT_EQ(picker->_fontNameForRow(1, "Nimbus Sans"), "NimbusSans-Bold");
    // Out of range: nothing, and no cell text.
    EXPECT_EQ(picker->_fontFamilyForSection(3), "");
    EXPECT_EQ(picker->_fontNameForRow(2, "C059"), "");
    EXPECT_EQ(picker->_fontNameForRow(-1, "C059"), "");
}

TEST_F(FontPickerTest, AOneFontFamilyHasAOneRowSectionTitledWithItsName)
{
    auto picker = showPicker();
    auto& table = *picker->tableView();
    auto families = kit::UIFont::familyNames();
    std::optional<int64_t> single;
    for (size_t s = 0; s < families.size() && !single; ++s)
        if (kit::UIFont::fontNamesForFamilyName(families[s]).size() == 1)
            single = int64_t(s);
    ASSERT_TRUE(single) << "the URW and DejaVu fonts have families of one face";
    EXPECT_EQ(table.numberOfRowsInSection(*single), 1);
    table.scrollToRowAtIndexPath({ *single, 0 }, kit::UITableViewScrollPositionMiddle, false);
    table.layoutIfNeeded();
    auto shown = headers(table);
    auto* header = shown[families[size_t(*single)]];
    ASSERT_TRUE(header);
    // The header sits right above the section's one row.
    auto row = table.rectForRowAtIndexPath({ *single, 0 });
    EXPECT_EQ(kit::CGRectGetMaxY(header->frame()), row.origin.y);
    auto* cell = table.cellForRowAtIndexPath({ *single, 0 });
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->textLabel()->text(), kit::UIFont::fontNamesForFamilyName(families[size_t(*single)])[0]);
}

// Each row's label draws with the installed face of the name it shows, at
// the small system size; cells are reused as the list scrolls.
TEST_F(FontPickerTest, EveryRowIsDrawnInTheFontItNamesInReusedCells)
{
    auto picker = showPicker();
    auto& table = *picker->tableView();
    std::set<kit::NSIndexPath> rowsShown;
    std::set<kit::UITableViewCell*> cells;
    scrollThrough(table, [&](kit::UITableViewCell* cell, const kit::NSIndexPath& at) {
        rowsShown.insert(at);
        cells.insert(cell);
        EXPECT_EQ(cell->reuseIdentifier(), "FontPickerViewControllerCellIdentifier");
        EXPECT_EQ(cell->style(), kit::UITableViewCellStyleDefault);
        auto* label = cell->textLabel();
        auto font = label->font();
        ASSERT_TRUE(font);
        EXPECT_EQ(font->fontName(), label->text());
        EXPECT_EQ(font->facePostScriptName(), label->text());
        EXPECT_FALSE(font->isFallback()) << label->text();
        EXPECT_EQ(font->pointSize(), kit::UIFont::smallSystemFontSize());
    });
    int64_t rows = 0;
    for (int64_t s = 0; s < table.numberOfSections(); ++s)
        rows += table.numberOfRowsInSection(s);
    EXPECT_EQ(int64_t(rowsShown.size()), rows);
    // A screenful of cells and a few more serve the whole list.
    EXPECT_GT(rows, 40);
    EXPECT_LE(cells.size(), size_t(504 / 44 + 3));
}

TEST_F(FontPickerTest, TappingARowTellsTheDelegateOnlyAndWithoutOneDoesNothing)
{
    auto picker = showPicker();
    auto& table = *picker->tableView();
    auto* cell = table.cellForRowAtIndexPath({ 0, 0 });
    ASSERT_TRUE(cell);
    tap(cell);
    EXPECT_EQ(frontPage(), picker.get());
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));

    auto delegate = std::make_shared<RecordingDelegate>();
    picker->setDelegate(delegate);
    cell = table.cellForRowAtIndexPath({ 0, 1 });
    ASSERT_TRUE(cell);
    auto name = cell->textLabel()->text();
    tap(cell);
    ASSERT_EQ(delegate->chosen.size(), 1u);
    EXPECT_EQ(delegate->chosen[0].first, picker.get());
    EXPECT_EQ(delegate->chosen[0].second, name);
    // The picker neither closes itself nor clears the selection.
    EXPECT_EQ(frontPage(), picker.get());
    EXPECT_EQ(table.indexPathForSelectedRow(), (kit::NSIndexPath { 0, 1 }));

    // A tap on a header floating over a row chooses nothing.
    table.setContentOffset({ 0, 30 });
    table.layoutIfNeeded();
    auto* header = table.headerViewForSection(0);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->frame().origin.y, 30);
    auto centre = header->convertPointToView({ 160, 11 }, nullptr);
    auto& touches = kit::TouchDelivery::shared();
    touches.down(centre, 0);
    kit::RunLoop::main().advance(0.05);
    touches.up(centre, 0);
    kit::RunLoop::main().advance(1);
    EXPECT_EQ(delegate->chosen.size(), 1u);
}

TEST_F(FontPickerTest, AFamilyThatListsNoFontsIsASectionWithoutRows)
{
    auto picker = showPicker<CataloguePicker>([](CataloguePicker& p) {
        p.catalogue = { { "DejaVu Sans", { "DejaVuSans", "DejaVuSans-Bold" } }, { "Ghost", {} },
            { "DejaVu Serif", { "DejaVuSerif" } } };
    });
    auto& table = *picker->tableView();
    ASSERT_EQ(table.numberOfSections(), 3);
    EXPECT_EQ(table.numberOfRowsInSection(1), 0);
    EXPECT_EQ(table.numberOfRowsInSection(2), 1);
    EXPECT_TRUE(headers(table).count("Ghost"));
    ASSERT_TRUE(table.cellForRowAtIndexPath({ 2, 0 }));
    EXPECT_EQ(table.cellForRowAtIndexPath({ 2, 0 })->textLabel()->text(), "DejaVuSerif");
    EXPECT_EQ(picker->_fontNameForRow(0, "Ghost"), "");
    kit::Renderer renderer(kit::CGSizeMake(320, 568), 1);
    renderer.render();
}

// A long list of families scrolls with each shown section headed by its own
// family right above its first row, and only the shown headers kept.
TEST_F(FontPickerTest, SixtyFamiliesScrollWithTheirHeaders)
{
    auto picker = showPicker<CataloguePicker>([](CataloguePicker& p) {
        for (int i = 0; i < 60; ++i)
            p.catalogue.push_back({ "Family " + std::to_string(i),
                i % 2 ? Names { "DejaVuSerif", "DejaVuSerif-Italic" } : Names { "NimbusSans-Regular" } });
    });
    auto& table = *picker->tableView();
    kit::Renderer renderer(kit::CGSizeMake(320, 568), 1);
    std::set<std::string> headed;
    for (kit::CGFloat y = 0;; y += 97) {
        table.setContentOffset({ 0, std::min(y, table.maximumContentOffset().y) });
        renderer.render();
        auto shown = headers(table);
        EXPECT_LE(shown.size(), 504u / 22 + 2);
        bool atTop = false;
        for (auto& [title, header] : shown) {
            ASSERT_EQ(title.rfind("Family ", 0), 0u) << title;
            int64_t section = std::stoll(title.substr(7));
            EXPECT_EQ(header->frame().origin.y, headerTop(table, section)) << title;
            EXPECT_TRUE(kit::CGRectIntersectsRect(header->frame(), table.bounds()));
            atTop = atTop || kit::CGRectContainsPoint(header->frame(), { 160, table.contentOffset().y });
            headed.insert(title);
        }
        // Whatever section passes the top, its name shows there.
        EXPECT_TRUE(atTop) << "at " << table.contentOffset().y;
        if (table.contentOffset().y >= table.maximumContentOffset().y)
            break;
    }
    EXPECT_EQ(headed.size(), 60u);
}

}
