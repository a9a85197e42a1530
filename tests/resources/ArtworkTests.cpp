#include "TemporaryFolder.h"

#include "resources/artwork/ArtworkCatalog.h"
#include "resources/artwork/ArtworkWriter.h"
#include "resources/artwork/ContactSheet.h"
#include "resources/artwork/ManualPictures.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

using namespace vantor::resources;

namespace {

// The whole folder is written once for the suite: every test reads it back.
class ArtworkFolder : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kit::DeviceRoot::clear();
        s_folder = std::make_unique<TemporaryFolder>();
        s_report = writeResourceFolder(s_folder->path());
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    static std::shared_ptr<kit::UIImage> load(std::string_view name)
    {
        return kit::UIImage::imageWithContentsOfFile((s_folder->path() / name).string());
    }

    static std::unique_ptr<TemporaryFolder> s_folder;
    static GenerationReport s_report;
};

std::unique_ptr<TemporaryFolder> ArtworkFolder::s_folder;
GenerationReport ArtworkFolder::s_report;

struct Coverage {
    size_t clear { 0 };
    size_t visible { 0 };
};

Coverage coverageOf(const kit::CGImage& image)
{
    Coverage coverage;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            uint32_t alpha = image.pixel(x, y) >> 24;
            coverage.clear += alpha == 0;
            coverage.visible += alpha >= 128;
        }
    }
    return coverage;
}

bool samePixels(const kit::CGImage& a, const kit::CGImage& b)
{
    return a.width() == b.width() && a.height() == b.height() && std::equal(a.data(), a.data() + a.byteCount(), b.data());
}

}

TEST(ArtworkCatalogue, NamesEveryImageOnceAsAnAt2xFileInTheExtensionsFolders)
{
    const std::set<std::string> folders { "Buttons", "Dimensions", "FocusAndExposure", "Help", "HorizontalAlignment",
        "Indicators", "Locks", "Overlays", "SelectorView", "ZoomView" };
    std::set<std::string> names, foldersUsed;
    for (const auto& item : artworkCatalog()) {
        EXPECT_TRUE(names.insert(item.name).second) << item.name << " is listed twice";
        EXPECT_TRUE(item.name.ends_with("@2x.png")) << item.name;
        auto folder = item.name.substr(0, item.name.find('/'));
        EXPECT_TRUE(folders.count(folder)) << item.name;
        foldersUsed.insert(folder);
        EXPECT_GT(item.points.width, 0);
        EXPECT_GT(item.points.height, 0);
    }
    EXPECT_EQ(foldersUsed, folders);
}

TEST(ArtworkCatalogue, HasTheDialsThirtyNumberedMarks)
{
    for (int mark = 1; mark <= 30; ++mark)
        EXPECT_NE(findArtwork("SelectorView/" + std::to_string(mark) + "_@2x.png"), nullptr) << mark;
    EXPECT_EQ(findArtwork("SelectorView/0_@2x.png"), nullptr);
    EXPECT_EQ(findArtwork("SelectorView/31_@2x.png"), nullptr);
}

TEST_F(ArtworkFolder, WritesEveryImageAndTheSound)
{
    EXPECT_TRUE(s_report.succeeded());
    EXPECT_EQ(size_t(s_report.imagesWritten), artworkCatalog().size());
    EXPECT_TRUE(s_report.soundWritten);
    EXPECT_TRUE(std::filesystem::is_regular_file(s_folder->path() / kCountSoundName));
}

TEST_F(ArtworkFolder, EveryImageLoadsBackAtScaleTwoWithItsSizeInPoints)
{
    for (const auto& item : artworkCatalog()) {
        SCOPED_TRACE(item.name);
        auto image = load(item.name);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->scale(), 2);
        EXPECT_EQ(image->size().width, item.points.width);
        EXPECT_EQ(image->size().height, item.points.height);
        EXPECT_EQ(image->CGImage()->width(), int(item.points.width * 2));
        EXPECT_EQ(image->CGImage()->height(), int(item.points.height * 2));
    }
}

TEST_F(ArtworkFolder, EveryDrawingHasClearAndVisiblePixelsAndTheNoOverlayImageIsClear)
{
    for (const auto& item : artworkCatalog()) {
        SCOPED_TRACE(item.name);
        auto image = load(item.name);
        ASSERT_NE(image, nullptr);
        auto coverage = coverageOf(*image->CGImage());
        if (item.content == ArtworkContent::Empty) {
            EXPECT_EQ(coverage.clear, size_t(image->CGImage()->width() * image->CGImage()->height()));
            continue;
        }
        EXPECT_GT(coverage.clear, 0u);
        // At least a few points' worth of clearly visible drawing.
        EXPECT_GT(coverage.visible, 40u);
    }
}

TEST_F(ArtworkFolder, LooksThatTheSystemSwitchesBetweenShareASizeAndDiffer)
{
    const std::vector<std::vector<std::string>> groups {
        { "Buttons/IPHONE/Bulb@2x.png", "Buttons/IPHONE/BulbOn@2x.png" },
        { "Buttons/overlayHorizonBtn@2x.png", "Buttons/overlayHorizonBtnActivated@2x.png" },
        { "HorizontalAlignment/horizonBase@2x.png", "HorizontalAlignment/horizonBaseActivated@2x.png" },
        { "HorizontalAlignment/horizonIndicator@2x.png", "HorizontalAlignment/horizonIndicatorActivated@2x.png" },
        { "Dimensions/indicatorHD@2x.png", "Dimensions/indicatorHD2@2x.png" },
        { "FocusAndExposure/focus1@2x.png", "FocusAndExposure/focus2@2x.png", "FocusAndExposure/focus3@2x.png" },
        { "FocusAndExposure/exposure1@2x.png", "FocusAndExposure/exposure2@2x.png", "FocusAndExposure/exposure3@2x.png" },
        { "Help/gesture_arrowUp@2x.png", "Help/gesture_arrowDown@2x.png" },
        { "Help/gesture_arrowLeft@2x.png", "Help/gesture_arrowRight@2x.png" },
        { "Overlays/overlayGuldenSnede@2x.png", "Overlays/overlayThirds@2x.png", "Overlays/overlayTriSection@2x.png",
            "Overlays/overlaySquare@2x.png" },
        { "Overlays/Thumbnails/overlayBtnRectangleOn_@2x.png", "Overlays/Thumbnails/overlayBtnGuldenSnedeOn@2x.png",
            "Overlays/Thumbnails/overlayBtnThirdsOn@2x.png", "Overlays/Thumbnails/overlayBtnTriSectionOn@2x.png",
            "Overlays/Thumbnails/overlayBtnSquareOn@2x.png" },
    };
    for (const auto& group : groups) {
        for (size_t i = 0; i < group.size(); ++i) {
            for (size_t j = i + 1; j < group.size(); ++j) {
                SCOPED_TRACE(group[i] + " / " + group[j]);
                auto a = load(group[i]), b = load(group[j]);
                ASSERT_TRUE(a && b);
                EXPECT_EQ(a->size(), b->size());
                EXPECT_FALSE(samePixels(*a->CGImage(), *b->CGImage()));
            }
        }
    }
}

TEST_F(ArtworkFolder, EachDialMarkIsLitInItsOwnDirection)
{
    // Every mark points at the dial's centre from its own place, so no two
    // neighbours are drawn alike.
    for (int mark = 1; mark < 30; ++mark) {
        SCOPED_TRACE(mark);
        auto a = load("SelectorView/" + std::to_string(mark) + "_@2x.png");
        auto b = load("SelectorView/" + std::to_string(mark + 1) + "_@2x.png");
        ASSERT_TRUE(a && b);
        EXPECT_FALSE(samePixels(*a->CGImage(), *b->CGImage()));
    }
}

TEST(ArtworkWriting, AnImageWithNoPixelsIsNotDrawnAndLeavesTheCurrentContextAlone)
{
    kit::UIGraphicsBeginImageContextWithOptions({ 4, 4 }, false, 1);
    auto outer = kit::UIGraphicsGetCurrentContext();
    ArtworkItem nothing { "Locks/nothing@2x.png", { 0, 0 }, findArtwork("Locks/objectLock2@2x.png")->paint };

    EXPECT_EQ(renderArtwork(nothing), nullptr);

    EXPECT_EQ(kit::UIGraphicsGetCurrentContext(), outer);
    auto untouched = kit::UIGraphicsGetImageFromCurrentImageContext();
    ASSERT_NE(untouched, nullptr);
    EXPECT_EQ(coverageOf(*untouched->CGImage()).clear, 16u);
    kit::UIGraphicsEndImageContext();
}

TEST(ArtworkWriting, AFileThatCannotBeWrittenIsReportedAndTheRestAreWritten)
{
    TemporaryFolder folder;
    // A plain file where the Buttons folder should go.
    std::ofstream(folder.path() / "Buttons") << "in the way";

    auto report = writeResourceFolder(folder.path());

    size_t buttons = 0;
    for (const auto& item : artworkCatalog())
        buttons += item.name.starts_with("Buttons/");
    EXPECT_FALSE(report.succeeded());
    EXPECT_EQ(report.failures.size(), buttons);
    for (const auto& failure : report.failures)
        EXPECT_TRUE(failure.starts_with("Buttons/")) << failure;
    EXPECT_EQ(size_t(report.imagesWritten), artworkCatalog().size() - buttons);
    EXPECT_TRUE(report.soundWritten);
}

TEST(ArtworkWriting, RewritingReplacesTheFilesWhole)
{
    TemporaryFolder folder;
    auto path = folder.path() / "Locks/objectLock2@2x.png";
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "an old, broken file";

    ASSERT_TRUE(writeResourceFolder(folder.path()).succeeded());
    EXPECT_NE(kit::UIImage::imageWithContentsOfFile(path.string()), nullptr);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
        EXPECT_FALSE(entry.path().string().ends_with(".partial")) << entry.path();
}

TEST(ContactSheet, ShowsEveryImageOnAGreySheet)
{
    auto sheet = makeContactSheet();
    ASSERT_NE(sheet, nullptr);
    const auto& bitmap = *sheet->CGImage();
    // Opaque throughout, grey in the corner between cells.
    EXPECT_EQ(coverageOf(bitmap).clear, 0u);
    uint32_t corner = bitmap.pixel(0, 0);
    EXPECT_EQ(corner >> 24, 0xFFu);
    EXPECT_EQ((corner >> 16) & 0xFF, corner & 0xFF);
    size_t cells = (bitmap.width() / 180) * (bitmap.height() / 204);
    EXPECT_GE(cells, artworkCatalog().size());
}

namespace {

// The light ink of a guide (its dark halo does not count), in pixels.
bool lightAt(const kit::CGImage& image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return false;
    uint32_t pixel = image.pixel(x, y);
    return (pixel >> 24) >= 100 && ((pixel >> 16) & 0xff) >= 100;
}

bool lightNear(const kit::CGImage& image, double x, double y, int radius = 2)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (lightAt(image, int(std::lround(x)) + dx, int(std::lround(y)) + dy))
                return true;
    return false;
}

// Centres of the light runs along a row.
std::vector<double> lightRunsInRow(const kit::CGImage& image, int y)
{
    std::vector<double> centres;
    int start = -1;
    for (int x = 0; x <= image.width(); ++x) {
        bool light = x < image.width() && lightAt(image, x, y);
        if (light && start < 0)
            start = x;
        if (!light && start >= 0) {
            centres.push_back((start + x - 1) / 2.0);
            start = -1;
        }
    }
    return centres;
}

bool hasRunAt(const std::vector<double>& runs, double at)
{
    return std::any_of(runs.begin(), runs.end(), [&](double centre) { return std::fabs(centre - at) <= 1.5; });
}

}

TEST_F(ArtworkFolder, TheGuidesAreGeometricallyTrue)
{
    auto thirds = load("Overlays/overlayThirds@2x.png")->CGImage();
    double w = thirds->width(), h = thirds->height();
    EXPECT_EQ(thirds->width(), 640);
    EXPECT_EQ(thirds->height(), 856);
    // Thirds: the lines at 1/3 and 2/3 each way, and nothing else.
    auto runs = lightRunsInRow(*thirds, int(h / 6));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_NEAR(runs[0], w / 3, 1.5);
    EXPECT_NEAR(runs[1], 2 * w / 3, 1.5);
    EXPECT_TRUE(lightNear(*thirds, w / 6, h / 3, 1));
    EXPECT_TRUE(lightNear(*thirds, w / 6, 2 * h / 3, 1));
    EXPECT_FALSE(lightNear(*thirds, w / 6, h / 2, 3));

    // Golden section: lines at 0.382 and 0.618 each way (the spiral crosses too).
    auto golden = load("Overlays/overlayGuldenSnede@2x.png")->CGImage();
    runs = lightRunsInRow(*golden, int(h * 0.05));
    EXPECT_TRUE(hasRunAt(runs, w * 0.381966));
    EXPECT_TRUE(hasRunAt(runs, w * 0.618034));
    EXPECT_FALSE(hasRunAt(runs, w / 3));
    EXPECT_TRUE(lightNear(*golden, w * 0.5, h * 0.381966, 1));
    EXPECT_TRUE(lightNear(*golden, w * 0.5, h * 0.618034, 1));

    // Square: the largest square, centred; its sides are the full width.
    auto square = load("Overlays/overlaySquare@2x.png")->CGImage();
    double top = (h - w) / 2;
    EXPECT_TRUE(lightNear(*square, w / 2, top, 1));
    EXPECT_TRUE(lightNear(*square, w / 2, top + w, 1));
    EXPECT_FALSE(lightNear(*square, w / 2, top - 6, 2));
    EXPECT_FALSE(lightNear(*square, w / 2, h / 2, 3));

    // Trisection: the diagonal from the top left, and from the other two
    // corners the perpendiculars that meet it.
    auto trisection = load("Overlays/overlayTriSection@2x.png")->CGImage();
    double t = (w * w) / (w * w + h * h);
    double footX = t * w, footY = t * h; // from the top-right corner
    EXPECT_TRUE(lightNear(*trisection, w / 2, h / 2, 1));
    EXPECT_TRUE(lightNear(*trisection, (w + footX) / 2, footY / 2, 1));
    EXPECT_TRUE(lightNear(*trisection, w - footX / 2, h - footY / 2, 1)) << "from the bottom-left corner, by symmetry";
    // The perpendicular ends on the diagonal: beyond the foot it does not go on.
    double beyondX = footX - 0.1 * (w - footX), beyondY = footY + 0.1 * footY;
    EXPECT_FALSE(lightNear(*trisection, beyondX, beyondY, 1));
}

TEST_F(ArtworkFolder, EachThumbnailReadsAsItsGuideAtTheIndicatorsSize)
{
    // The thumbnails differ from one another even shrunk to the 30 x 35
    // points the indicator shows them at.
    const char* names[] = { "Overlays/Thumbnails/overlayBtnGuldenSnedeOn@2x.png", "Overlays/Thumbnails/overlayBtnThirdsOn@2x.png",
        "Overlays/Thumbnails/overlayBtnTriSectionOn@2x.png", "Overlays/Thumbnails/overlayBtnSquareOn@2x.png" };
    std::vector<std::vector<bool>> shrunk;
    for (const char* name : names) {
        auto image = load(name)->CGImage();
        std::vector<bool> cells;
        // A 6 x 7 grid of cells, each lit when its yellow ink is over a fifth.
        for (int cy = 0; cy < 7; ++cy) {
            for (int cx = 0; cx < 6; ++cx) {
                int lit = 0, total = 0;
                for (int y = cy * image->height() / 7; y < (cy + 1) * image->height() / 7; ++y)
                    for (int x = cx * image->width() / 6; x < (cx + 1) * image->width() / 6; ++x) {
                        uint32_t p = image->pixel(x, y);
                        lit += ((p >> 16) & 0xff) > 150 && ((p >> 8) & 0xff) > 110 && (p & 0xff) < 80;
                        ++total;
                    }
                cells.push_back(lit * 20 > total);
            }
        }
        shrunk.push_back(cells);
    }
    for (size_t a = 0; a < shrunk.size(); ++a)
        for (size_t b = a + 1; b < shrunk.size(); ++b)
            EXPECT_NE(shrunk[a], shrunk[b]) << names[a] << " and " << names[b];
}

// The colour picker's plane, written beside the bundle's layouts: opaque,
// hue across from red at the left, full saturation at the top and white at
// the bottom.
TEST(SettingsBundleArtwork, ThePlaneRunsHueAcrossAndSaturationDownToWhite)
{
    TemporaryFolder bundle;
    auto report = writeSettingsBundleImages(bundle.path());
    EXPECT_TRUE(report.succeeded());
    EXPECT_FALSE(report.soundWritten);
    ASSERT_EQ(report.imagesWritten, 1 + int(manualPictures().size()));
    auto image = kit::UIImage::imageWithContentsOfFile((bundle.path() / "ColorPickerPlane@2x.png").string());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size().width, 240);
    EXPECT_EQ(image->size().height, 240);
    const auto& pixels = *image->CGImage();
    int w = pixels.width(), h = pixels.height();
    auto channels = [&](int x, int y) {
        uint32_t p = pixels.pixel(x, y);
        return std::array<int, 4> { int(p >> 24), int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff) };
    };
    EXPECT_EQ(coverageOf(pixels).visible, size_t(w) * size_t(h));
    auto topLeft = channels(0, 0);
    EXPECT_EQ(topLeft[1], 255);
    EXPECT_LE(topLeft[2], 4);
    EXPECT_EQ(topLeft[3], 0);
    // Hue one half, cyan, in the middle of the top row; one third, green.
    auto middle = channels(w / 2, 0);
    EXPECT_LE(middle[1], 4);
    EXPECT_GE(middle[2], 250);
    EXPECT_GE(middle[3], 250);
    auto third = channels(w / 3, 0);
    EXPECT_LE(third[1], 8);
    EXPECT_EQ(third[2], 255);
    for (int x = 0; x < w; x += 7) {
        auto bottom = channels(x, h - 1);
        EXPECT_GE(std::min({ bottom[1], bottom[2], bottom[3] }), 250) << x;
    }
}

namespace {

// The manual's pictures are the catalogue's own drawings, each under a file
// name of its own in one flat folder, pixel for pixel what the camera shows.
TEST(ManualPictures, AreTheCataloguesDrawingsUnderTheirOwnFileNames)
{
    std::set<std::string> fileNames;
    for (auto name : manualPictures()) {
        EXPECT_TRUE(findArtwork(name)) << name;
        EXPECT_TRUE(fileNames.insert(std::string(manualPictureFileName(name))).second) << name;
    }

    kit::DeviceRoot::clear();
    TemporaryFolder folder;
    auto report = writeManualPictures(folder.path() / "bundle");
    EXPECT_TRUE(report.succeeded());
    EXPECT_EQ(report.imagesWritten, int(manualPictures().size()));
    for (auto name : manualPictures()) {
        auto written = kit::UIImage::imageWithContentsOfFile(
            (folder.path() / "bundle" / std::string(manualPictureFileName(name))).string());
        auto drawn = renderArtwork(*findArtwork(name));
        ASSERT_TRUE(written && drawn) << name;
        EXPECT_EQ(written->CGImage()->width(), drawn->CGImage()->width()) << name;
        EXPECT_EQ(written->CGImage()->pixel(written->CGImage()->width() / 2, written->CGImage()->height() / 2),
            drawn->CGImage()->pixel(drawn->CGImage()->width() / 2, drawn->CGImage()->height() / 2))
            << name;
    }
    EXPECT_EQ(manualPictureFileName("Locks/objectLock2@2x.png"), "objectLock2@2x.png");
}

}
