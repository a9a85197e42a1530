// The date stamp drawn into each captured photo, before the host saves it.

#include "extension/hooks/TimeStamp.h"

#include "common/SettingsKeys.h"
#include "extension/camerabar/CameraBar.h"
#include "extension/startup/Globals.h"
#include "extension/startup/ReplacementTable.h"

#include "kit/foundation/NSDate.h"
#include "kit/foundation/NSDateFormatter.h"
#include "kit/foundation/NSDictionary.h"
#include "kit/media/IOSurface.h"
#include "kit/media/JPEGImage.h"
#include "kit/ui/TextDrawing.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

#include <cmath>
#include <cstring>
#include <span>

namespace vantor {

namespace {

constexpr const char* photoPropertiesKey = "kPLCameraPhotoPropertiesKey";
constexpr const char* photoOrientationKey = "Orientation";
constexpr const char* photoSurfaceKey = "kPLCameraPhotoSurfaceKey";
constexpr const char* photoSurfaceSizeKey = "kPLCameraPhotoSurfaceSizeKey";

int exifOrientation(const kit::NSDictionary& photo)
{
    const auto* properties = photo.propertyForKey(photoPropertiesKey);
    if (!properties || !properties->dictionary())
        return 0;
    auto found = properties->dictionary()->find(photoOrientationKey);
    if (found == properties->dictionary()->end() || !found->second.numberValue())
        return 0;
    return int(*found->second.numberValue());
}

// The surface's bytes as an image; nothing when there is no surface or its
// bytes are not a whole image.
std::shared_ptr<kit::UIImage> decodeSurface(const kit::NSDictionary& photo)
{
    auto surface = std::dynamic_pointer_cast<kit::IOSurface>(photo.sharedObjectForKey(photoSurfaceKey));
    auto* base = static_cast<const uint8_t*>(kit::IOSurfaceGetBaseAddress(surface));
    if (!base)
        return nullptr;
    return kit::UIImage::imageWithData(std::span(base, kit::IOSurfaceGetAllocSize(surface)));
}

std::shared_ptr<kit::UIImage> drawTimeStamp(const kit::UIImage& photo, int orientation)
{
    auto size = photo.size();
    kit::UIGraphicsBeginImageContextWithOptions(size, false, 1);
    auto context = kit::UIGraphicsGetCurrentContext();
    kit::CGContextSaveGState(context);
    photo.drawAtPoint(kit::CGPointMake(0, 0));

    auto layout = timeStampLayout(orientation, size);
    auto bar = cameraBar;
    kit::TextAttributes attributes;
    attributes.font = kit::UIFont::fontWithName(
        bar ? bar->timeStampFontName() : std::string(settings::defaultTimeStampFontName), layout.fontSize);
    attributes.foregroundColor = bar ? bar->timeStampFontColor() : nullptr;
    if (!attributes.foregroundColor) {
        const auto* rgba = settings::defaultTimeStampColor;
        attributes.foregroundColor = kit::UIColor::colorWithRed(rgba[0], rgba[1], rgba[2], rgba[3]);
    }
    attributes.strokeColor = kit::UIColor::clearColor();
    if (layout.origin) {
        kit::CGContextRotateCTM(context, layout.rotation);
        kit::drawString(context, timeStampText(), *layout.origin, attributes);
    }

    kit::CGContextRestoreGState(context);
    auto stamped = kit::UIGraphicsGetImageFromCurrentImageContext();
    kit::UIGraphicsEndImageContext();
    return stamped;
}

// A new memory surface holding the bytes; nothing when none can be made.
kit::IOSurfaceRef surfaceWithBytes(const kit::Data& bytes)
{
    if (bytes.size() > size_t(INT32_MAX))
        return nullptr;
    kit::PropertyList::Dictionary properties { { std::string(kit::kIOSurfaceAllocSize), int64_t(int32_t(bytes.size())) } };
    auto surface = kit::IOSurfaceCreate(properties);
    if (!surface)
        return nullptr;
    std::memcpy(kit::IOSurfaceGetBaseAddress(surface), bytes.data(), bytes.size());
    return surface;
}

}

TimeStampLayout timeStampLayout(int orientation, kit::CGSize imageSize)
{
    TimeStampLayout layout;
    double w = imageSize.width;
    double h = imageSize.height;
    layout.fontSize = kit::CGFloat(float(w / 40));
    layout.pad = int(layout.fontSize + 10);
    double pad = layout.pad;
    switch (orientation) {
    case 6:
        layout.rotation = -M_PI_2;
        layout.origin = kit::CGPointMake(pad - h, w - 2 * pad);
        break;
    case 8:
        layout.rotation = M_PI_2;
        layout.origin = kit::CGPointMake(pad, -2 * pad);
        break;
    case 1:
        layout.origin = kit::CGPointMake(pad, h - 2 * pad);
        break;
    case 3:
        layout.rotation = -M_PI;
        layout.origin = kit::CGPointMake(pad - w, -2 * pad);
        break;
    default:
        break;
    }
    return layout;
}

std::string timeStampText()
{
    kit::NSDateFormatter formatter;
    formatter.setDateStyle(kit::NSDateFormatterShortStyle);
    formatter.setTimeStyle(timestampIncludeTime ? kit::NSDateFormatterShortStyle : kit::NSDateFormatterNoStyle);
    formatter.setLocale(kit::NSLocale::currentLocale());
    return formatter.stringFromDate(kit::NSDate::date());
}

void _method$PLCameraView$cameraController$capturedPhoto$error$$(
    kit::id self, kit::SEL cmd, kit::id controller, kit::id photo, kit::id error)
{
    auto* captured = kit::cast<kit::NSDictionary>(photo);
    if (!timeStampVisible || !timeStampVisibleAndPlace || isBursting || isFiltering || !captured) {
        _orig$PLCameraView$cameraController$capturedPhoto$error$$(self, cmd, controller, photo, error);
        return;
    }

    auto stampedPhoto = captured->mutableCopy();
    int orientation = exifOrientation(*stampedPhoto);
    auto image = decodeSurface(*stampedPhoto);
    if (!image) {
        _orig$PLCameraView$cameraController$capturedPhoto$error$$(self, cmd, controller, photo, error);
        return;
    }

    auto stamped = drawTimeStamp(*image, orientation);
    image.reset();
    auto jpeg = kit::UIImageJPEGRepresentation(stamped, 1.0);
    stamped.reset();
    auto surface = jpeg ? surfaceWithBytes(*jpeg) : nullptr;
    // Without a stamped copy the photo is still saved, as captured.
    if (!surface) {
        _orig$PLCameraView$cameraController$capturedPhoto$error$$(self, cmd, controller, photo, error);
        return;
    }
    jpeg.reset();
    stampedPhoto->setObject(photoSurfaceKey, surface);
    stampedPhoto->setProperty(photoSurfaceSizeKey, int64_t(kit::IOSurfaceGetAllocSize(surface)));

    _orig$PLCameraView$cameraController$capturedPhoto$error$$(self, cmd, controller, stampedPhoto.get(), error);
}

}
