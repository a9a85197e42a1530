#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/runtime/Object.h"
#include "kit/ui/CGImage.h"
#include "kit/ui/AffineTransform.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kit {

enum UIImageOrientation {
    UIImageOrientationUp = 0,
    UIImageOrientationDown = 1,          // turned 180°
    UIImageOrientationLeft = 2,          // turned 90° counter-clockwise
    UIImageOrientationRight = 3,         // turned 90° clockwise
    UIImageOrientationUpMirrored = 4,    // flipped horizontally
    UIImageOrientationDownMirrored = 5,  // flipped vertically
    UIImageOrientationLeftMirrored = 6,  // flipped horizontally, then turned counter-clockwise
    UIImageOrientationRightMirrored = 7, // flipped horizontally, then turned clockwise
};

// An immutable image: a bitmap, its scale (pixels per point) and the
// orientation in which its pixels are to be shown.
class UIImage final : public Object {
    KIT_OBJECT(UIImage, Object)

public:
    // The image in a file at a device path (resolved in the device root).
    // A name ending in "@2x" (before the extension) gives scale 2 with the
    // size in points. As on the platform, "name.png" on a screen of scale 2
    // loads "name@2x.png" when there is one, and falls back to it on any
    // screen when "name.png" itself is missing. Nothing, and one log line,
    // when the file is missing, not an image, damaged or too large.
    static std::shared_ptr<UIImage> imageWithContentsOfFile(std::string_view devicePath);
    // Nothing when the bytes are not a PNG (or a format a decoder was added
    // for) or cannot be decoded; no log line.
    static std::shared_ptr<UIImage> imageWithData(std::span<const uint8_t> bytes, CGFloat scale = 1);
    // Nothing without a bitmap. Scales of 0 or less are taken as 1.
    static std::shared_ptr<UIImage> imageWithCGImage(CGImageRef, CGFloat scale = 1, UIImageOrientation = UIImageOrientationUp);

    // In points, turned by the orientation (left and right swap the sides).
    CGSize size() const;
    CGFloat scale() const { return m_scale; }
    UIImageOrientation imageOrientation() const { return m_orientation; }
    const CGImageRef& CGImage() const { return m_bitmap; }
    // The device path the image was loaded from (the file actually read, so
    // "name@2x.png" when that was chosen); empty for images made in memory.
    const std::string& resourceName() const { return m_resourceName; }

    // Draw into the current context (UIGraphics.h), upright in UIKit's
    // y-down space with the orientation applied, at the context's alpha.
    void drawAtPoint(CGPoint) const;
    void drawInRect(CGRect) const;
    void drawInRect(CGRect, CGFloat alpha) const;
    // The transform from this image's pixel coordinates to the user space of
    // drawInRect(rect): how the renderer and drawInRect place the bitmap.
    CGAffineTransform pixelTransformForRect(CGRect) const;

    // Another image format for imageWithData and imageWithContentsOfFile (the
    // media layer adds JPEG). A decoder gives nothing for bytes it does not
    // take. Decoders are tried after PNG, in the order they were added.
    struct Decoded {
        CGImageRef bitmap;
        UIImageOrientation orientation { UIImageOrientationUp };
    };
    using Decoder = std::function<std::optional<Decoded>(std::span<const uint8_t>)>;
    static void addDecoder(Decoder);

    UIImage(CGImageRef bitmap, CGFloat scale, UIImageOrientation orientation);

private:
    CGImageRef m_bitmap;
    CGFloat m_scale { 1 };
    UIImageOrientation m_orientation { UIImageOrientationUp };
    std::string m_resourceName;
};

// The PNG file of the image's bitmap; nothing without an image.
std::optional<Data> UIImagePNGRepresentation(const std::shared_ptr<UIImage>&);

}
