#include "TemporaryFolder.h"

#include "resources/artwork/ArtworkCatalog.h"
#include "resources/artwork/ArtworkWriter.h"
#include "resources/artwork/ContactSheet.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>

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
