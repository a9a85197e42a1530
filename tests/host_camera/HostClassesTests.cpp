#include "HostCameraTestSupport.h"

#include "host/camera/CameraClasses.h"
#include "host/camera/NSDictionary.h"

#include "kit/media/IOSurface.h"
#include "kit/runtime/Substrate.h"

#include <map>

using namespace hosttest;
namespace sel = host::sel;

namespace {

// Replacements in the extension's shape: they record the selector (from
// _cmd) and call the saved host implementation.
std::vector<std::string> seen;
bool refuseModeSwipes = false;
bool swallowShutter = false;
std::map<std::string, kit::PropertyList> photoProperties;

template <int N, typename R, typename... A>
struct Recorder {
    static inline R (*original)(kit::id, kit::SEL, A...) = nullptr;
    static R call(kit::id self, kit::SEL cmd, A... args)
    {
        seen.push_back(std::string(self->className()) + " " + kit::sel_getName(cmd));
        return original(self, cmd, args...);
    }
};

template <int N, typename R, typename... A>
void record(const sel::Method<R, A...>& method)
{
    kit::hookMessage(kit::objc_getClass(method.className), method.sel(), &Recorder<N, R, A...>::call,
        &Recorder<N, R, A...>::original);
}

bool (*originalSwipeAllowed)(kit::id, kit::SEL) = nullptr;
bool swipeAllowed(kit::id self, kit::SEL cmd)
{
    return !refuseModeSwipes && originalSwipeAllowed(self, cmd);
}

void (*originalShutter)(kit::id, kit::SEL) = nullptr;
void shutterClicked(kit::id self, kit::SEL cmd)
{
    seen.push_back("replacement _shutterButtonClicked");
    if (!swallowShutter)
        originalShutter(self, cmd);
}

void (*originalCapturedPhoto)(kit::id, kit::SEL, kit::id, kit::id, kit::id) = nullptr;
void capturedPhoto(kit::id self, kit::SEL cmd, kit::id controller, kit::id photo, kit::id error)
{
    photoProperties.clear();
    if (auto* dictionary = kit::cast<host::NSDictionary>(photo)) {
        if (auto* properties = dictionary->propertyForKey(host::kPLCameraPhotoPropertiesKey))
            photoProperties["properties"] = *properties;
        if (auto* size = dictionary->propertyForKey(host::kPLCameraPhotoSurfaceSizeKey))
            photoProperties["size"] = *size;
        if (auto* surface = kit::cast<kit::IOSurface>(dictionary->objectForKey(host::kPLCameraPhotoSurfaceKey))) {
            auto* bytes = static_cast<const uint8_t*>(surface->baseAddress());
            photoProperties["allocSize"] = int64_t(surface->allocSize());
            photoProperties["startsLikeJPEG"] = surface->allocSize() > 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
        }
    }
    originalCapturedPhoto(self, cmd, controller, photo, error);
}

void installReplacementsOnce()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    host::registerCameraClasses();
    record<0>(sel::PLCameraController_init);
    record<1>(sel::CAMBottomBar_layoutSubviews);
    record<2>(sel::CAMTopBar_layoutSubviews);
    record<3>(sel::PLCameraView_viewDidAppear);
    record<4>(sel::PLCameraController_startPreviewWith);
    record<5>(sel::PLCameraController_previewStarted);
    record<6>(sel::PLCameraController_setCameraMode);
    record<7>(sel::PLCameraView_modeDidChange);
    record<8>(sel::PLCameraController_capturePhoto);
    record<9>(sel::PLCameraView_willTakePhoto);
    record<10>(sel::PLCameraView_assetContainerDidChange);
    record<11>(sel::PLCameraView_didTakePhoto);
    record<12>(sel::PLCameraViewController_viewDidAppear);
    record<13>(sel::CAMShutterButton_setModeAnimated);
    record<14>(sel::PLCameraView_touchesBegan);
    record<15>(sel::PLCameraView_touchesEnded);
    record<16>(sel::PLCameraView_pointInside);
    record<17>(sel::PLCameraView_dealloc);
    kit::hookMessage(kit::objc_getClass("PLCameraView"), sel::PLCameraView_isSwipeToModeSwitchAllowed.sel(),
        &swipeAllowed, &originalSwipeAllowed);
    kit::hookMessage(kit::objc_getClass("PLCameraView"), sel::PLCameraView_shutterButtonClicked.sel(),
        &shutterClicked, &originalShutter);
    kit::hookMessage(kit::objc_getClass("PLCameraView"), sel::PLCameraView_capturedPhoto.sel(), &capturedPhoto,
        &originalCapturedPhoto);
}

class HostClasses : public HostCameraTest {
protected:
    void SetUp() override
    {
        HostCameraTest::SetUp();
        installReplacementsOnce();
        seen.clear();
        refuseModeSwipes = false;
        swallowShutter = false;
    }

    bool seenInOrder(const std::vector<std::string>& wanted)
    {
        auto at = seen.begin();
        for (const auto& line : wanted) {
            at = std::find(at, seen.end(), line);
            if (at == seen.end()) {
                ADD_FAILURE() << "the replacement did not see, in order: " << line;
                return false;
            }
            ++at;
        }
        return true;
    }
};

}

TEST_F(HostClasses, EveryMethodOfTheTableIsRegisteredWithItsSignature)
{
    int replaced = 0;
    for (const auto& method : sel::allMethods) {
        kit::Class cls = method.kind == sel::Kind::ClassMethod ? kit::objc_getMetaClass(method.className)
                                                               : kit::objc_getClass(method.className);
        ASSERT_NE(cls, nullptr) << method.className;
        auto found = cls->lookup(kit::sel_registerName(method.selector));
        ASSERT_TRUE(found.has_value()) << method.className << " " << method.selector;
        EXPECT_TRUE(kit::sameSignature(found->signature, method.signature()))
            << method.className << " " << method.selector;
        replaced += method.role == sel::Role::Replaced;
    }
    EXPECT_EQ(replaced, 72);
}

TEST_F(HostClasses, AReplacementSeesTheHostsCallsInTheOrderOfACameraRun)
{
    auto phone = startPhone();
    phone->launch();
    EXPECT_TRUE(seenInOrder({ "PLCameraController init", "CAMBottomBar layoutSubviews",
        "PLCameraViewController viewDidAppear:", "PLCameraView viewDidAppear", "PLCameraController startPreview:",
        "PLCameraController _previewStarted", "PLCameraController _setCameraMode:cameraDevice:",
        "PLCameraView cameraControllerModeDidChange:" }));

    seen.clear();
    phone->pressShutter();
    EXPECT_TRUE(seenInOrder({ "PLCameraView pointInside:withEvent:", "replacement _shutterButtonClicked",
        "PLCameraController capturePhoto", "PLCameraView cameraControllerWillTakePhoto:",
        "PLCameraView _assetContainerDidChange:", "PLCameraView cameraControllerDidTakePhoto:" }));
    EXPECT_EQ(phone->cameraRoll().size(), 1u);

    seen.clear();
    phone->quit();
    EXPECT_TRUE(seenInOrder({ "PLCameraView dealloc" }));
    EXPECT_FALSE(phone->isRunning());
}

TEST_F(HostClasses, AReplacementThatDoesNotCallTheHostTakesNoPhoto)
{
    auto phone = startPhone();
    phone->launch();
    swallowShutter = true;
    phone->pressShutter();
    EXPECT_TRUE(phone->cameraRoll().empty());
    swallowShutter = false;
    phone->pressVolume(true);
    EXPECT_EQ(phone->cameraRoll().size(), 1u);
}

TEST_F(HostClasses, ThePhotoDictionaryCarriesOrientationSurfaceAndSize)
{
    auto phone = startPhone();
    phone->launch();
    phone->pressShutter();
    ASSERT_TRUE(photoProperties.count("properties"));
    auto* properties = photoProperties["properties"].dictionary();
    ASSERT_NE(properties, nullptr);
    ASSERT_TRUE(properties->count("Orientation"));
    EXPECT_EQ(*properties->at("Orientation").integer(), 6);
    EXPECT_EQ(photoProperties["startsLikeJPEG"], kit::PropertyList(true));
    ASSERT_NE(photoProperties["size"].integer(), nullptr);
    EXPECT_EQ(*photoProperties["size"].integer(), *photoProperties["allocSize"].integer());
}

TEST_F(HostClasses, ModesSwitchByNameAndBySwipeUnlessTheViewRefuses)
{
    auto phone = startPhone();
    phone->launch();
    phone->swipe(host::Phone::SwipeDirection::Left);
    EXPECT_TRUE(logged("PLCameraView swipedToNextCameraMode"));
    EXPECT_TRUE(seenInOrder({ "PLCameraController _setCameraMode:cameraDevice:", "PLCameraView cameraControllerModeDidChange:" }));
    phone->swipe(host::Phone::SwipeDirection::Right);
    phone->swipe(host::Phone::SwipeDirection::Right);
    EXPECT_TRUE(logged("PLCameraView swipedToPreviousCameraMode"));

    // Slow motion is on the iPhone 5s; from video one more swipe gets there.
    seen.clear();
    refuseModeSwipes = true;
    phone->swipe(host::Phone::SwipeDirection::Right);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "PLCameraController _setCameraMode:cameraDevice:"), 0);
    refuseModeSwipes = false;

    EXPECT_TRUE(phone->setCameraMode(2));
    EXPECT_TRUE(phone->setCameraMode(4));
    EXPECT_TRUE(phone->setCameraDevice(1));
    EXPECT_FALSE(phone->setCameraMode(3)) << "no panorama with the front camera";
}

TEST_F(HostClasses, DevicesOfferOnlyTheirModes)
{
    auto pad = startPhone("iPad4,1");
    pad->launch();
    EXPECT_FALSE(pad->setCameraMode(3)) << "panorama is for phones";
    EXPECT_FALSE(pad->setCameraMode(2)) << "no 120 fps camera";
    EXPECT_TRUE(pad->setCameraMode(1));
    pad->quit();
    auto older = startPhone("iPhone4,1");
    older->launch();
    EXPECT_FALSE(older->setCameraMode(2));
    EXPECT_TRUE(older->setCameraMode(3));
    older->quit();

    // A device without a camera starts and takes nothing.
    auto noCamera = startPhone("iPod1,1");
    noCamera->launch();
    noCamera->pressShutter();
    noCamera->tap(kit::CGPointMake(160, 200));
    EXPECT_FALSE(noCamera->setCameraMode(0));
    EXPECT_TRUE(noCamera->cameraRoll().empty());
    EXPECT_TRUE(noCamera->screenshot(m_root / "no-camera.png"));
}

TEST_F(HostClasses, StartRefusesUnknownModelsAndUnreadableScenes)
{
    host::PhoneOptions options;
    options.model = "iPhone99,9";
    options.deviceRoot = m_root;
    auto unknown = host::Phone::start(options);
    ASSERT_TRUE(std::holds_alternative<std::string>(unknown));
    EXPECT_NE(std::get<std::string>(unknown).find("iPhone99,9"), std::string::npos);

    options.model = "iPhone6,1";
    options.scene.scene = m_root / "missing.png";
    EXPECT_TRUE(std::holds_alternative<std::string>(host::Phone::start(options)));
    std::filesystem::create_directories(m_root);
    FILE* junk = std::fopen((m_root / "junk.png").c_str(), "wb");
    std::fputs("not a picture", junk);
    std::fclose(junk);
    options.scene.scene = m_root / "junk.png";
    EXPECT_TRUE(std::holds_alternative<std::string>(host::Phone::start(options)));
}
