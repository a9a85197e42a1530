#include "kit/ui/UIImage.h"

#include "kit/foundation/AtomicFile.h"
#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/PNGCodec.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIScreen.h"

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace kit {

KIT_REGISTER_CLASS(UIImage);

namespace {

// Image files larger than this are refused unread.
constexpr size_t maximumFileBytes = 64 * 1024 * 1024;

struct Decoders {
    std::mutex lock;
    std::vector<UIImage::Decoder> list;
};

Decoders& decoders()
{
    static Decoders instance;
    return instance;
}

bool turnsSideways(UIImageOrientation orientation)
{
    return orientation == UIImageOrientationLeft || orientation == UIImageOrientationRight
        || orientation == UIImageOrientationLeftMirrored || orientation == UIImageOrientationRightMirrored;
}

// Pixel coordinates to the upright, oriented image's pixel coordinates.
CGAffineTransform orientationTransform(UIImageOrientation orientation, CGFloat w, CGFloat h)
{
    switch (orientation) {
    case UIImageOrientationUp: return CGAffineTransformIdentity;
    case UIImageOrientationDown: return CGAffineTransformMake(-1, 0, 0, -1, w, h);
    case UIImageOrientationLeft: return CGAffineTransformMake(0, -1, 1, 0, 0, w);
    case UIImageOrientationRight: return CGAffineTransformMake(0, 1, -1, 0, h, 0);
    case UIImageOrientationUpMirrored: return CGAffineTransformMake(-1, 0, 0, 1, w, 0);
    case UIImageOrientationDownMirrored: return CGAffineTransformMake(1, 0, 0, -1, 0, h);
    case UIImageOrientationLeftMirrored: return CGAffineTransformMake(0, 1, 1, 0, 0, 0);
    case UIImageOrientationRightMirrored: return CGAffineTransformMake(0, -1, -1, 0, h, w);
    }
    return CGAffineTransformIdentity;
}

std::optional<UIImage::Decoded> decode(std::span<const uint8_t> bytes, std::string* failure)
{
    if (PNGCodec::hasSignature(bytes)) {
        if (auto bitmap = PNGCodec::decode(bytes, failure))
            return UIImage::Decoded { bitmap, UIImageOrientationUp };
        return std::nullopt;
    }
    std::vector<UIImage::Decoder> list;
    {
        std::lock_guard guard(decoders().lock);
        list = decoders().list;
    }
    for (const auto& decoder : list) {
        if (auto decoded = decoder(bytes); decoded && decoded->bitmap)
            return decoded;
    }
    if (failure)
        *failure = "not an image file";
    return std::nullopt;
}

// The scale a file name states with "@2x" or "@3x" before its extension.
std::optional<CGFloat> statedScale(const std::string& stem)
{
    if (stem.size() >= 3 && stem[stem.size() - 3] == '@' && stem.back() == 'x' && (stem[stem.size() - 2] == '2' || stem[stem.size() - 2] == '3'))
        return CGFloat(stem[stem.size() - 2] - '0');
    return std::nullopt;
}

}

UIImage::UIImage(CGImageRef bitmap, CGFloat scale, UIImageOrientation orientation)
    : m_bitmap(std::move(bitmap))
    , m_scale(scale > 0 ? scale : 1)
    , m_orientation(orientation)
{
}

std::shared_ptr<UIImage> UIImage::imageWithCGImage(CGImageRef bitmap, CGFloat scale, UIImageOrientation orientation)
{
    if (!bitmap)
        return nullptr;
    return std::make_shared<UIImage>(std::move(bitmap), scale, orientation);
}

std::shared_ptr<UIImage> UIImage::imageWithData(std::span<const uint8_t> bytes, CGFloat scale)
{
    auto decoded = decode(bytes, nullptr);
    return decoded ? imageWithCGImage(decoded->bitmap, scale, decoded->orientation) : nullptr;
}

std::shared_ptr<UIImage> UIImage::imageWithContentsOfFile(std::string_view devicePath)
{
    std::filesystem::path path { std::string(devicePath) };
    std::string stem = path.stem().string();
    struct Candidate {
        std::string devicePath;
        CGFloat scale;
    };
    std::vector<Candidate> candidates;
    if (auto scale = statedScale(stem)) {
        candidates.push_back({ std::string(devicePath), *scale });
    } else {
        auto doubled = (path.parent_path() / (stem + "@2x" + path.extension().string())).string();
        if (UIScreen::mainScreen()->scale() >= 2)
            candidates = { { doubled, 2 }, { std::string(devicePath), 1 } };
        else
            candidates = { { std::string(devicePath), 1 }, { doubled, 2 } };
    }
    for (const auto& candidate : candidates) {
        auto hostPath = DeviceRoot::resolve(candidate.devicePath);
        std::error_code error;
        if (!std::filesystem::is_regular_file(hostPath, error))
            continue;
        auto bytes = readWholeFile(hostPath, maximumFileBytes);
        std::string failure = "unreadable or too large";
        std::optional<Decoded> decoded;
        if (bytes)
            decoded = decode(*bytes, &failure);
        if (!decoded) {
            logf("UIImage: cannot load %s: %s", candidate.devicePath.c_str(), failure.c_str());
            return nullptr;
        }
        auto image = imageWithCGImage(decoded->bitmap, candidate.scale, decoded->orientation);
        if (image)
            image->m_resourceName = candidate.devicePath;
        return image;
    }
    logf("UIImage: no image file at %s", std::string(devicePath).c_str());
    return nullptr;
}

CGSize UIImage::size() const
{
    CGSize pixels { m_bitmap->width() / m_scale, m_bitmap->height() / m_scale };
    return turnsSideways(m_orientation) ? CGSize { pixels.height, pixels.width } : pixels;
}

CGAffineTransform UIImage::pixelTransformForRect(CGRect rect) const
{
    CGFloat w = m_bitmap->width(), h = m_bitmap->height();
    CGFloat orientedWidth = turnsSideways(m_orientation) ? h : w;
    CGFloat orientedHeight = turnsSideways(m_orientation) ? w : h;
    auto place = CGAffineTransformMake(rect.size.width / orientedWidth, 0, 0, rect.size.height / orientedHeight, rect.origin.x, rect.origin.y);
    return CGAffineTransformConcat(orientationTransform(m_orientation, w, h), place);
}

void UIImage::drawAtPoint(CGPoint point) const
{
    drawInRect({ point, size() });
}

void UIImage::drawInRect(CGRect rect) const
{
    drawImageWithTransform(UIGraphicsGetCurrentContext(), *m_bitmap, pixelTransformForRect(rect));
}

void UIImage::drawInRect(CGRect rect, CGFloat alpha) const
{
    auto context = UIGraphicsGetCurrentContext();
    if (!context)
        return;
    context->saveGState();
    CGContextSetAlpha(context, context->gstate().alpha * alpha);
    drawInRect(rect);
    context->restoreGState();
}

void UIImage::addDecoder(Decoder decoder)
{
    std::lock_guard guard(decoders().lock);
    decoders().list.push_back(std::move(decoder));
}

std::optional<Data> UIImagePNGRepresentation(const std::shared_ptr<UIImage>& image)
{
    if (!image)
        return std::nullopt;
    return PNGCodec::encode(*image->CGImage());
}

}
