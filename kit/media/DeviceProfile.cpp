#include "kit/media/DeviceProfile.h"

namespace kit {

namespace {

// The video sizes every camera of the era steps through, small to large; a
// camera offers them up to its largest video height.
constexpr CameraFormatSpec videoSizes[] = {
    { 192, 144, 2, 30 },
    { 352, 288, 2, 30 },
    { 480, 360, 2, 30 },
    { 640, 480, 2, 30 },
    { 960, 540, 2, 30 },
    { 1280, 720, 2, 30 },
    { 1920, 1080, 2, 30 },
};

struct CameraRecipe {
    int largestVideoHeight;
    std::vector<CameraFormatSpec> highRateFormats; // after the plain video sizes
    CameraFormatSpec still;
    bool hasAutofocus;
    bool hasTorch;
    CameraOptics optics;
};

CameraSpec makeCamera(const CameraRecipe& recipe)
{
    CameraSpec camera;
    for (const auto& format : videoSizes) {
        if (format.height <= recipe.largestVideoHeight)
            camera.formats.push_back(format);
    }
    camera.initialFormat = camera.formats.empty() ? 0 : camera.formats.size() - 1;
    camera.formats.insert(camera.formats.end(), recipe.highRateFormats.begin(), recipe.highRateFormats.end());
    // A camera whose stills are its largest video size lists that size once.
    const auto& last = camera.formats.empty() ? recipe.still : camera.formats.back();
    if (camera.formats.empty() || last.width != recipe.still.width || last.height != recipe.still.height)
        camera.formats.push_back(recipe.still);
    camera.hasAutofocus = recipe.hasAutofocus;
    camera.hasTorch = recipe.hasTorch;
    camera.optics = recipe.optics;
    return camera;
}

struct ScreenSpec {
    double width, height, scale;
};
constexpr ScreenSpec phone35 { 320, 480, 1 };
constexpr ScreenSpec phone35Retina { 320, 480, 2 };
constexpr ScreenSpec phone4Inch { 320, 568, 2 };
constexpr ScreenSpec pad { 768, 1024, 1 };
constexpr ScreenSpec padRetina { 768, 1024, 2 };

DeviceProfile model(std::string identifier, ScreenSpec screen, int idiom, std::optional<CameraSpec> back,
    std::optional<CameraSpec> front, bool motion, bool answersIdiomQuery = true)
{
    DeviceProfile profile;
    profile.model = std::move(identifier);
    profile.screenWidth = screen.width;
    profile.screenHeight = screen.height;
    profile.screenScale = screen.scale;
    profile.idiom = idiom;
    profile.answersIdiomQuery = answersIdiomQuery;
    profile.backCamera = std::move(back);
    profile.frontCamera = std::move(front);
    profile.deviceMotionAvailable = motion;
    return profile;
}

std::vector<DeviceProfile> makeTable()
{
    // The cameras of the era, with their lenses and sensors: focal length
    // (mm), f-number, pixel pitch at the still size (µm), ISO range and
    // shortest exposure (s). Phones of the first two generations take stills
    // only, so their "video" sizes are the preview.
    const CameraOptics firstPhoneLens { 3.85, 2.8, 2.2, 64, 800, 1.0 / 2000 };
    const CameraOptics phone3GSLens { 3.85, 2.8, 1.75, 70, 1000, 1.0 / 10000 };
    const CameraOptics phone4Lens { 3.85, 2.8, 1.75, 80, 1000, 1.0 / 20000 };
    const CameraOptics phone4SLens { 4.28, 2.4, 1.4, 64, 800, 1.0 / 20000 };
    const CameraOptics phone5Lens { 4.12, 2.4, 1.4, 50, 3200, 1.0 / 20000 };
    const CameraOptics phone5sLens { 4.12, 2.2, 1.5, 32, 2048, 1.0 / 20000 };
    const CameraOptics pod4Lens { 3.85, 2.8, 3.6, 80, 1000, 1.0 / 10000 };
    const CameraOptics pod5Lens { 3.3, 2.4, 1.4, 50, 800, 1.0 / 20000 };
    const CameraOptics pad2Lens { 2.0, 2.4, 2.2, 50, 1000, 1.0 / 10000 };
    const CameraOptics padRetinaLens { 3.3, 2.4, 1.4, 50, 800, 1.0 / 20000 };
    const CameraOptics vgaFrontLens { 1.85, 2.4, 3.0, 100, 1600, 1.0 / 10000 };
    const CameraOptics hdFrontLens { 2.15, 2.4, 1.9, 50, 2000, 1.0 / 20000 };
    const CameraSpec firstPhoneBack
        = makeCamera({ 0, { { 640, 480, 1, 15 } }, { 1600, 1200, 1, 15 }, false, false, firstPhoneLens });
    const CameraSpec phone3GSBack = makeCamera({ 480, {}, { 2048, 1536, 1, 15 }, true, false, phone3GSLens });
    const CameraSpec phone4Back = makeCamera({ 720, {}, { 2592, 1936, 1, 15 }, true, true, phone4Lens });
    const CameraSpec phone4SBack = makeCamera({ 1080, {}, { 3264, 2448, 1, 15 }, true, true, phone4SLens });
    const CameraSpec phone5Back
        = makeCamera({ 1080, { { 1280, 720, 2, 60 } }, { 3264, 2448, 2, 30 }, true, true, phone5Lens });
    const CameraSpec phone5sBack = makeCamera(
        { 1080, { { 1280, 720, 2, 60 }, { 1280, 720, 2, 120 } }, { 3264, 2448, 2, 30 }, true, true, phone5sLens });
    const CameraSpec pod4Back = makeCamera({ 720, {}, { 960, 720, 2, 30 }, false, false, pod4Lens });
    const CameraSpec pod5Back = makeCamera({ 1080, {}, { 2592, 1936, 2, 30 }, true, true, pod5Lens });
    const CameraSpec pad2Back = makeCamera({ 720, {}, { 960, 720, 2, 30 }, false, false, pad2Lens });
    const CameraSpec padRetinaBack = makeCamera({ 1080, {}, { 2592, 1944, 2, 30 }, true, false, padRetinaLens });
    // Front cameras: VGA on the older models, 720p video with 1.2 megapixel
    // stills from the iPhone 5 on; all fixed-focus.
    const CameraSpec vgaFront = makeCamera({ 480, {}, { 640, 480, 2, 30 }, false, false, vgaFrontLens });
    const CameraSpec hdFront = makeCamera({ 720, {}, { 1280, 960, 2, 30 }, false, false, hdFrontLens });

    constexpr int phone = 0;
    constexpr int tablet = 1;
    constexpr bool gyro = true; // device motion needs the gyroscope
    constexpr bool noGyro = false;
    const std::nullopt_t none = std::nullopt;
    return {
        model("iPhone1,1", phone35, phone, firstPhoneBack, none, noGyro, false),
        model("iPhone1,2", phone35, phone, firstPhoneBack, none, noGyro),
        model("iPhone2,1", phone35, phone, phone3GSBack, none, noGyro),
        model("iPhone3,1", phone35Retina, phone, phone4Back, vgaFront, gyro),
        model("iPhone3,3", phone35Retina, phone, phone4Back, vgaFront, gyro),
        model("iPhone4,1", phone35Retina, phone, phone4SBack, vgaFront, gyro),
        model("iPhone5,1", phone4Inch, phone, phone5Back, hdFront, gyro),
        model("iPhone5,2", phone4Inch, phone, phone5Back, hdFront, gyro),
        model("iPhone5,3", phone4Inch, phone, phone5Back, hdFront, gyro),
        model("iPhone5,4", phone4Inch, phone, phone5Back, hdFront, gyro),
        model("iPhone6,1", phone4Inch, phone, phone5sBack, hdFront, gyro),
        model("iPhone6,2", phone4Inch, phone, phone5sBack, hdFront, gyro),
        model("iPod1,1", phone35, phone, none, none, noGyro, false),
        model("iPod2,1", phone35, phone, none, none, noGyro),
        model("iPod3,1", phone35, phone, none, none, noGyro),
        model("iPod4,1", phone35Retina, phone, pod4Back, vgaFront, gyro),
        model("iPod5,1", phone4Inch, phone, pod5Back, hdFront, gyro),
        model("iPad1,1", pad, tablet, none, none, noGyro),
        model("iPad2,1", pad, tablet, pad2Back, vgaFront, gyro),
        model("iPad2,2", pad, tablet, pad2Back, vgaFront, gyro),
        model("iPad2,3", pad, tablet, pad2Back, vgaFront, gyro),
        model("iPad2,4", pad, tablet, pad2Back, vgaFront, gyro),
        model("iPad2,5", pad, tablet, padRetinaBack, hdFront, gyro),
        model("iPad2,6", pad, tablet, padRetinaBack, hdFront, gyro),
        model("iPad2,7", pad, tablet, padRetinaBack, hdFront, gyro),
        model("iPad3,1", padRetina, tablet, padRetinaBack, vgaFront, gyro),
        model("iPad3,2", padRetina, tablet, padRetinaBack, vgaFront, gyro),
        model("iPad3,3", padRetina, tablet, padRetinaBack, vgaFront, gyro),
        model("iPad3,4", padRetina, tablet, padRetinaBack, hdFront, gyro),
        model("iPad3,5", padRetina, tablet, padRetinaBack, hdFront, gyro),
        model("iPad3,6", padRetina, tablet, padRetinaBack, hdFront, gyro),
        model("iPad4,1", padRetina, tablet, padRetinaBack, hdFront, gyro),
        model("iPad4,2", padRetina, tablet, padRetinaBack, hdFront, gyro),
        model("iPad4,4", padRetina, tablet, padRetinaBack, hdFront, gyro),
        model("iPad4,5", padRetina, tablet, padRetinaBack, hdFront, gyro),
        model("i386", phone4Inch, phone, none, none, noGyro),
        model("x86_64", phone4Inch, phone, none, none, noGyro),
    };
}

}

const std::vector<DeviceProfile>& DeviceProfile::all()
{
    static const std::vector<DeviceProfile> table = makeTable();
    return table;
}

const DeviceProfile* DeviceProfile::forModel(std::string_view identifier)
{
    for (const auto& profile : all()) {
        if (profile.model == identifier)
            return &profile;
    }
    return nullptr;
}

const DeviceProfile* DeviceProfile::current()
{
    return forModel(ProcessIdentity::current().machine);
}

ProcessIdentity DeviceProfile::processIdentity(std::string bundleIdentifier) const
{
    ProcessIdentity identity;
    identity.bundleIdentifier = std::move(bundleIdentifier);
    identity.machine = model;
    identity.interfaceIdiom = answersIdiomQuery ? std::optional<int>(idiom) : std::nullopt;
    identity.screenWidth = screenWidth;
    identity.screenHeight = screenHeight;
    identity.screenScale = screenScale;
    return identity;
}

}
