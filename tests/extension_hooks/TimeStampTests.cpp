// The date stamp: where it goes in a photo, which photos get it, what the
// saved file keeps, and the label that shows and switches it.

#include "HooksTest.h"

#include "extension/hooks/TimeStamp.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/NSDictionary.h"
#include "kit/media/ExifMetadata.h"
#include "kit/media/IOSurface.h"
#include "kit/media/JPEGDecoder.h"
#include "kit/media/JPEGEncoder.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScreen.h"

#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

using hookstest::sel;

// --- Where the stamp goes.

TEST(TimeStampLayout, AnUprightFullSizePhotoGetsItsTextAboveTheBottomLeftCorner)
{
    auto layout = vantor::timeStampLayout(1, kit::CGSizeMake(3264, 2448));
    EXPECT_FLOAT_EQ(float(layout.fontSize), 81.6f);
    EXPECT_EQ(layout.pad, 91);
    EXPECT_EQ(layout.rotation, 0);
    ASSERT_TRUE(layout.origin);
    EXPECT_DOUBLE_EQ(layout.origin->x, 91);
    EXPECT_DOUBLE_EQ(layout.origin->y, 2266);
}

TEST(TimeStampLayout, APortraitPhotoTurnsTheContextAQuarterBack)
{
    auto layout = vantor::timeStampLayout(6, kit::CGSizeMake(2448, 3264));
    EXPECT_FLOAT_EQ(float(layout.fontSize), 61.2f);
    EXPECT_EQ(layout.pad, 71);
    EXPECT_DOUBLE_EQ(layout.rotation, -M_PI_2);
    ASSERT_TRUE(layout.origin);
    EXPECT_DOUBLE_EQ(layout.origin->x, -3193);
    EXPECT_DOUBLE_EQ(layout.origin->y, 2306);
}

TEST(TimeStampLayout, TheOtherTwoTurnsAndTheOrientationsThatGetNoText)
{
    auto left = vantor::timeStampLayout(8, kit::CGSizeMake(3264, 2448));
    EXPECT_DOUBLE_EQ(left.rotation, M_PI_2);
    EXPECT_DOUBLE_EQ(left.origin->x, 91);
    EXPECT_DOUBLE_EQ(left.origin->y, -182);
    auto down = vantor::timeStampLayout(3, kit::CGSizeMake(3264, 2448));
    EXPECT_DOUBLE_EQ(down.rotation, -M_PI);
    EXPECT_DOUBLE_EQ(down.origin->x, 91 - 3264);
    EXPECT_DOUBLE_EQ(down.origin->y, -182);
    for (int orientation : { 0, 2, 4, 5, 7, 9 })
        EXPECT_FALSE(vantor::timeStampLayout(orientation, kit::CGSizeMake(3264, 2448)).origin) << orientation;
}

// --- Photos, driven through the host.

// What the host's controller captured and what the extension handed on to
// the host's save, recorded in the slots the replacements call.
struct PhotoRecord {
    static inline std::vector<std::shared_ptr<kit::NSDictionary>> captured;
    static inline std::vector<std::shared_ptr<kit::NSDictionary>> handedOn;
    static inline void (*originalCapture)(kit::id, kit::SEL, kit::id, kit::id) = nullptr;
    static inline void (*originalSave)(kit::id, kit::SEL, kit::id, kit::id, kit::id) = nullptr;

    static std::shared_ptr<kit::NSDictionary> keep(kit::id photo)
    {
        auto* dictionary = kit::cast<kit::NSDictionary>(photo);
        return dictionary ? dictionary->strongRef<kit::NSDictionary>() : nullptr;
    }
    static void capture(kit::id self, kit::SEL cmd, kit::id photo, kit::id error)
    {
        captured.push_back(keep(photo));
        originalCapture(self, cmd, photo, error);
    }
    static void save(kit::id self, kit::SEL cmd, kit::id controller, kit::id photo, kit::id error)
    {
        handedOn.push_back(keep(photo));
        originalSave(self, cmd, controller, photo, error);
    }
};

kit::Data surfaceBytes(const kit::NSDictionary& photo)
{
    auto* surface = kit::cast<kit::IOSurface>(photo.objectForKey("kPLCameraPhotoSurfaceKey"));
    if (!surface)
        return {};
    auto* base = static_cast<const uint8_t*>(surface->baseAddress());
    return kit::Data(base, base + surface->allocSize());
}

bool isAmber(uint32_t pixel)
{
    int r = int(pixel >> 16 & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel & 0xFF);
    return r > 200 && g > 150 && g < 235 && b < 80;
}

// The pixel at (x, y) of the photo as a viewer shows it upright, for the
// four orientations the camera writes.
uint32_t uprightPixel(const kit::CGImage& image, int orientation, int x, int y)
{
    int w = image.width(), h = image.height();
    switch (orientation) {
    case 6:
        return image.pixel(y, h - 1 - x);
    case 8:
        return image.pixel(w - 1 - y, x);
    case 3:
        return image.pixel(w - 1 - x, h - 1 - y);
    default:
        return image.pixel(x, y);
    }
}

// Amber pixels in each quarter of the upright photo's bottom and top bands:
// { bottom left, bottom right, top left, top right }.
std::array<int, 4> amberByCorner(const kit::CGImage& image, int orientation)
{
    bool turned = orientation == 6 || orientation == 8;
    int w = turned ? image.height() : image.width();
    int h = turned ? image.width() : image.height();
    int band = h / 8;
    std::array<int, 4> counts {};
    for (int y = 0; y < h; y += 3) {
        if (y >= band && y < h - band)
            continue;
        for (int x = 0; x < w; x += 3) {
            if (!isAmber(uprightPixel(image, orientation, x, y)))
                continue;
            int corner = (y < band ? 2 : 0) + (x < w / 2 ? 0 : 1);
            ++counts[size_t(corner)];
        }
    }
    return counts;
}

class TimeStamp : public hookstest::HooksTest {
protected:
    void SetUp() override
    {
        HooksTest::SetUp();
        PhotoRecord::captured.clear();
        PhotoRecord::handedOn.clear();
    }

    void TearDown() override
    {
        if (PhotoRecord::originalSave)
            vantor::_orig$PLCameraView$cameraController$capturedPhoto$error$$ = PhotoRecord::originalSave;
        if (PhotoRecord::originalCapture)
            vantor::_orig$PLCameraController$_capturedPhotoWithDictionary$error$$ = PhotoRecord::originalCapture;
        PhotoRecord::originalSave = nullptr;
        PhotoRecord::originalCapture = nullptr;
        PhotoRecord::captured.clear();
        PhotoRecord::handedOn.clear();
        HooksTest::TearDown();
    }

    // The camera with the stamp enabled in the settings and switched on.
    void launchWithStamp(const std::string& model = "iPhone6,1", kit::PropertyList::Dictionary extra = {})
    {
        kit::PropertyList::Dictionary settings { { "advPhotoModeAsDefault", int64_t(0) }, { "timeStampVisible", int64_t(1) },
            { "rememberSettings", true } };
        for (auto& [key, value] : extra)
            settings[key] = value;
        writeSettings(settings);
        m_phone = startPhone(model);
        ASSERT_TRUE(m_phone);
        m_phone->launch();
        ASSERT_TRUE(vantor::cameraBar);
        m_phone->advance(1);
        PhotoRecord::originalSave = vantor::_orig$PLCameraView$cameraController$capturedPhoto$error$$;
        PhotoRecord::originalCapture = vantor::_orig$PLCameraController$_capturedPhotoWithDictionary$error$$;
        vantor::_orig$PLCameraView$cameraController$capturedPhoto$error$$ = &PhotoRecord::save;
        vantor::_orig$PLCameraController$_capturedPhotoWithDictionary$error$$ = &PhotoRecord::capture;
    }

    void shoot()
    {
        m_phone->pressShutter();
        m_phone->advance(0.5);
    }

    kit::Data lastSavedFile() const
    {
        auto roll = m_phone->cameraRoll();
        EXPECT_FALSE(roll.empty());
        if (roll.empty())
            return {};
        std::ifstream file(roll.back(), std::ios::binary);
        return kit::Data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    }

    // The photo went to the host's save as the controller captured it.
    void expectHandedOnAsCaptured(size_t index)
    {
        ASSERT_GT(PhotoRecord::captured.size(), index);
        ASSERT_GT(PhotoRecord::handedOn.size(), index);
        EXPECT_EQ(PhotoRecord::handedOn[index], PhotoRecord::captured[index]);
    }

    void expectStamped(size_t index)
    {
        ASSERT_GT(PhotoRecord::handedOn.size(), index);
        EXPECT_NE(PhotoRecord::handedOn[index], PhotoRecord::captured[index]);
    }

    // A photo dictionary as the host makes one, with any bytes.
    static std::shared_ptr<kit::NSDictionary> photoWithBytes(const kit::Data& bytes, int orientation)
    {
        auto surface = kit::IOSurfaceCreate({ { std::string(kit::kIOSurfaceAllocSize), int64_t(bytes.size()) } });
        std::memcpy(surface->baseAddress(), bytes.data(), bytes.size());
        auto photo = std::make_shared<kit::NSDictionary>();
        photo->setProperty("kPLCameraPhotoPropertiesKey", kit::PropertyList::Dictionary { { "Orientation", int64_t(orientation) } });
        photo->setObject("kPLCameraPhotoSurfaceKey", surface);
        photo->setProperty("kPLCameraPhotoSurfaceSizeKey", int64_t(bytes.size()));
        return photo;
    }

    void deliver(const std::shared_ptr<kit::NSDictionary>& photo)
    {
        kit::msgSend<void, kit::id, kit::id, kit::id>(view(), sel("cameraController:capturedPhoto:error:"), controller(),
            photo.get(), nullptr);
    }

    static kit::Data smallJPEG(int width, int height)
    {
        auto image = kit::CGImage::create(width, height);
        auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
        for (int i = 0; i < width * height; ++i)
            pixels[i] = 0xFF204060u + uint32_t(i % 97);
        return *kit::encodeJPEG(*image, 0.9);
    }

    kit::UILabel& label() const { return *vantor::timestampLbl; }
};

TEST_F(TimeStamp, EachWayOfHoldingThePhoneGetsTheDateInTheBottomLeftCornerOfTheUprightPhoto)
{
    launchWithStamp();
    // Held upright, upside down, landscape right and left: orientations 6, 8, 1 and 3.
    int held[] = { 1, 2, 3, 4 };
    int expectedExif[] = { 6, 8, 1, 3 };
    for (size_t i = 0; i < 4; ++i) {
        m_phone->setOrientation(held[i]);
        m_phone->advance(0.5);
        shoot();
        auto file = lastSavedFile();
        auto exif = kit::ExifMetadata::readFromJPEG(file);
        ASSERT_TRUE(exif);
        int orientation = exif->orientation().value_or(0);
        EXPECT_EQ(orientation, expectedExif[i]);
        auto decoded = kit::decodeJPEG(file);
        ASSERT_TRUE(decoded);
        auto corners = amberByCorner(*decoded.image, orientation);
        EXPECT_GT(corners[0], 200) << "orientation " << orientation;
        EXPECT_EQ(corners[1], 0) << "orientation " << orientation;
        EXPECT_EQ(corners[2], 0) << "orientation " << orientation;
        EXPECT_EQ(corners[3], 0) << "orientation " << orientation;
        expectStamped(i);
    }
}

TEST_F(TimeStamp, TheSavedPhotoKeepsItsSizeAndWhatTheHostWritesAroundIt)
{
    launchWithStamp();
    shoot();
    ASSERT_EQ(PhotoRecord::handedOn.size(), 1u);
    auto captured = kit::decodeJPEG(surfaceBytes(*PhotoRecord::captured[0]));
    auto stampedBytes = surfaceBytes(*PhotoRecord::handedOn[0]);
    // The size key tells the stamped JPEG's length, which is the surface's.
    EXPECT_EQ(*PhotoRecord::handedOn[0]->propertyForKey("kPLCameraPhotoSurfaceSizeKey")->numberValue(),
        double(stampedBytes.size()));
    EXPECT_EQ(PhotoRecord::handedOn[0]->propertyForKey("kPLCameraPhotoPropertiesKey")->dictionary()->at("Orientation"),
        PhotoRecord::captured[0]->propertyForKey("kPLCameraPhotoPropertiesKey")->dictionary()->at("Orientation"));

    auto file = lastSavedFile();
    auto saved = kit::decodeJPEG(file);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved.image->width(), captured.image->width());
    EXPECT_EQ(saved.image->height(), captured.image->height());
    auto exif = kit::ExifMetadata::readFromJPEG(file);
    ASSERT_TRUE(exif);
    EXPECT_EQ(exif->orientation(), 6);
    EXPECT_TRUE(exif->dateTaken());
    EXPECT_EQ(exif->make(), "Apple");
    EXPECT_EQ(exif->model(), "iPhone6,1");
}

TEST_F(TimeStamp, TheTextIsTheShortDateAndWithTheSettingTheShortTimeAfterIt)
{
    launchWithStamp();
    vantor::timestampIncludeTime = false;
    auto date = vantor::timeStampText();
    EXPECT_FALSE(date.empty());
    EXPECT_EQ(date.find(':'), std::string::npos);
    vantor::timestampIncludeTime = true;
    auto dateAndTime = vantor::timeStampText();
    EXPECT_EQ(dateAndTime.rfind(date, 0), 0u) << dateAndTime;
    EXPECT_NE(dateAndTime.find(':'), std::string::npos) << dateAndTime;
}

TEST_F(TimeStamp, BurstPhotosAreHandedToTheHostAsCaptured)
{
    launchWithStamp();
    auto shutter = hookstest::findView("CAMShutterButton");
    ASSERT_TRUE(shutter);
    auto centre = shutter->convertPointToView(
        kit::CGPointMake(shutter->bounds().size.width / 2, shutter->bounds().size.height / 2), nullptr);
    m_phone->touchDown(centre);
    m_phone->advance(0.85);
    m_phone->touchUp(centre);
    m_phone->advance(0.5);

    ASSERT_GE(PhotoRecord::captured.size(), 2u);
    ASSERT_EQ(PhotoRecord::handedOn.size(), PhotoRecord::captured.size());
    for (size_t i = 0; i < PhotoRecord::captured.size(); ++i)
        expectHandedOnAsCaptured(i);
    EXPECT_FALSE(vantor::isBursting);

    // The next single photo is stamped again.
    shoot();
    expectStamped(PhotoRecord::handedOn.size() - 1);
}

TEST_F(TimeStamp, PhotosThatCannotBeDecodedAreSavedExactlyAsCaptured)
{
    launchWithStamp();
    std::string text = "not a photo at all";
    auto notJPEG = photoWithBytes(kit::Data(text.begin(), text.end()), 6);
    deliver(notJPEG);
    ASSERT_EQ(PhotoRecord::handedOn.size(), 1u);
    EXPECT_EQ(PhotoRecord::handedOn[0], notJPEG);

    auto whole = smallJPEG(320, 240);
    auto truncated = photoWithBytes(kit::Data(whole.begin(), whole.begin() + long(whole.size() / 2)), 6);
    deliver(truncated);
    ASSERT_EQ(PhotoRecord::handedOn.size(), 2u);
    EXPECT_EQ(PhotoRecord::handedOn[1], truncated);
    EXPECT_EQ(surfaceBytes(*truncated), kit::Data(whole.begin(), whole.begin() + long(whole.size() / 2)));
}

TEST_F(TimeStamp, AnOrientationOutsideTheFourIsReEncodedWithoutText)
{
    launchWithStamp();
    auto photo = photoWithBytes(smallJPEG(400, 300), 5);
    deliver(photo);
    ASSERT_EQ(PhotoRecord::handedOn.size(), 1u);
    ASSERT_NE(PhotoRecord::handedOn[0], photo);
    auto decoded = kit::decodeJPEG(surfaceBytes(*PhotoRecord::handedOn[0]));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded.image->width(), 400);
    EXPECT_EQ(decoded.image->height(), 300);
    auto corners = amberByCorner(*decoded.image, 1);
    EXPECT_EQ(corners[0] + corners[1] + corners[2] + corners[3], 0);
}

TEST_F(TimeStamp, AnInstalledFontIsUsedAsNamedAndAMissingOneFallsBackButStillDraws)
{
    launchWithStamp("iPhone6,1", { { "timeStampFontName", std::string("DejaVuSerif-Bold") } });
    EXPECT_EQ(vantor::cameraBar->timeStampFontName(), "DejaVuSerif-Bold");
    auto photo = photoWithBytes(smallJPEG(800, 600), 1);
    deliver(photo);
    auto serif = kit::decodeJPEG(surfaceBytes(*PhotoRecord::handedOn.back()));
    ASSERT_TRUE(serif);
    EXPECT_GT(amberByCorner(*serif.image, 1)[0], 0);

    vantor::cameraBar->setTimeStampFontName("NoSuchFont-Bold");
    deliver(photo);
    auto fallback = kit::decodeJPEG(surfaceBytes(*PhotoRecord::handedOn.back()));
    ASSERT_TRUE(fallback);
    EXPECT_GT(amberByCorner(*fallback.image, 1)[0], 0);
    // The two faces draw the same date differently.
    EXPECT_NE(amberByCorner(*serif.image, 1)[0], amberByCorner(*fallback.image, 1)[0]);
}

TEST_F(TimeStamp, AnEmptyFontNameInTheSettingsGivesTheDefault)
{
    launchWithStamp("iPhone6,1", { { "timeStampFontName", std::string("") } });
    EXPECT_EQ(vantor::cameraBar->timeStampFontName(), "GillSans-Bold");
}

// --- The label.

TEST_F(TimeStamp, ThePhoneLabelFadesInBottomLeftTurnedWithTheDevice)
{
    launchWithStamp();
    ASSERT_TRUE(vantor::timestampLbl);
    EXPECT_EQ(label().text(), "Timestamp On");
    auto colour = label().textColor();
    ASSERT_TRUE(colour);
    EXPECT_TRUE(colour->isEqual(kit::UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0).get()));
    EXPECT_EQ(label().font()->pointSize(), 13);
    EXPECT_EQ(label().font()->fontName(), "DINAlternate-Bold");
    EXPECT_TRUE(label().isUserInteractionEnabled());
    EXPECT_EQ(label().superview(), view());
    auto screen = kit::UIScreen::mainScreen()->bounds().size;
    EXPECT_EQ(label().center().x, 45);
    EXPECT_EQ(label().center().y, screen.height - 115);
    EXPECT_EQ(label().bounds().size.width, 150);
    EXPECT_EQ(label().alpha(), 1);
}

TEST_F(TimeStamp, TheLabelGoesInVideoAndComesBackInPhotoMode)
{
    launchWithStamp();
    auto first = vantor::timestampLbl;
    ASSERT_TRUE(first);
    m_phone->setCameraMode(1);
    EXPECT_FALSE(vantor::timestampLbl);
    m_phone->advance(0.2);
    EXPECT_FALSE(first->superview());

    m_phone->setCameraMode(0);
    ASSERT_TRUE(vantor::timestampLbl);
    EXPECT_NE(vantor::timestampLbl, first);
    EXPECT_EQ(label().alpha(), 1);
    m_phone->advance(0.3);
    EXPECT_TRUE(label().superview());
}

TEST_F(TimeStamp, ASwitchBackWithinTheFadeKeepsTheNewLabel)
{
    launchWithStamp();
    m_phone->setCameraMode(1);
    m_phone->advance(0.05);
    m_phone->setCameraMode(0);
    m_phone->advance(0.5);
    ASSERT_TRUE(vantor::timestampLbl);
    EXPECT_TRUE(label().superview());
}

TEST_F(TimeStamp, OnAPadTheLabelSitsInTheBottomBar)
{
    launchWithStamp("iPad4,1");
    ASSERT_TRUE(vantor::timestampLbl);
    auto screen = kit::UIScreen::mainScreen()->bounds().size;
    EXPECT_EQ(label().superview(), vantor::_CAMBottomBar.lock().get());
    EXPECT_EQ(label().font()->pointSize(), 14);
    auto frame = label().frame();
    EXPECT_EQ(frame.origin.x, 100 - screen.width);
    EXPECT_EQ(frame.origin.y, screen.height - 40);
}

TEST_F(TimeStamp, WithoutTheFeatureThereIsNoLabelAndNoStamp)
{
    launchWithStamp("iPhone6,1", { { "timeStampVisible", int64_t(0) } });
    EXPECT_FALSE(vantor::timestampLbl);
    shoot();
    expectHandedOnAsCaptured(0);
}

TEST_F(TimeStamp, TheLabelsTapSwitchesStampingOffAndTheNextPhotoIsAsCaptured)
{
    launchWithStamp();
    // What a tap on the label reaches.
    vantor::cameraBar->toggleElementFinished(5, 0);
    EXPECT_EQ(label().text(), "Timestamp Off");
    EXPECT_TRUE(label().textColor()->isEqual(kit::UIColor::whiteColor().get()));
    EXPECT_FALSE(vantor::prevTimeStampVisibleAndPlace);
    shoot();
    expectHandedOnAsCaptured(0);

    vantor::cameraBar->toggleElementFinished(5, 0);
    EXPECT_EQ(label().text(), "Timestamp On");
    shoot();
    expectStamped(1);
}

class TimeStampFilters : public TimeStamp {
protected:
    void chooseFilter(const std::string& name)
    {
        m_phone->setFiltersShowing(true);
        m_phone->advance(0.5);
        auto* grid = hookstest::findView("CAMEffectsGrid");
        ASSERT_TRUE(grid);
        // Nine tiles, three by three: "Mono" top left, "None" in the middle.
        auto size = grid->bounds().size;
        kit::CGPoint tile = name == "None" ? kit::CGPointMake(size.width / 2, size.height / 2)
                                           : kit::CGPointMake(size.width / 6, size.height / 6);
        m_phone->tap(grid->convertPointToView(tile, nullptr));
        m_phone->advance(0.5);
    }
};

TEST_F(TimeStampFilters, AFilterTurnsStampingOffAndRemovingItRestoresIt)
{
    launchWithStamp();
    chooseFilter("Mono");
    EXPECT_TRUE(vantor::isFiltering);
    EXPECT_FALSE(vantor::timeStampVisibleAndPlace);
    EXPECT_EQ(label().text(), "Timestamp Off");
    shoot();
    expectHandedOnAsCaptured(0);

    chooseFilter("None");
    EXPECT_FALSE(vantor::isFiltering);
    EXPECT_TRUE(vantor::timeStampVisibleAndPlace);
    EXPECT_EQ(label().text(), "Timestamp On");
    shoot();
    expectStamped(1);
}

TEST_F(TimeStampFilters, RemovingTheFilterLeavesStampingOffWhenTheUserHadItOff)
{
    launchWithStamp();
    vantor::cameraBar->toggleElementFinished(5, 0);
    chooseFilter("Mono");
    EXPECT_EQ(label().text(), "Timestamp Off");
    chooseFilter("None");
    EXPECT_FALSE(vantor::isFiltering);
    EXPECT_FALSE(vantor::timeStampVisibleAndPlace);
    EXPECT_EQ(label().text(), "Timestamp Off");
}

TEST_F(TimeStampFilters, ACameraViewWithoutAFilterButtonIsNeverFiltering)
{
    launchWithStamp();
    vantor::isFiltering = true;
    auto remembered = vantor::cameraView;
    vantor::cameraView.reset();
    vantor::checkTimestampLable_VS_Filters();
    EXPECT_FALSE(vantor::isFiltering);
    vantor::cameraView = remembered;
}

}
