#pragma once

#include "kit/foundation/ColorArchive.h"
#include "kit/runtime/Object.h"
#include "kit/ui/CGColor.h"

#include <memory>
#include <optional>
#include <span>
#include <string>

namespace kit {

// An immutable colour in device RGB or device grey. A grey colour stays grey:
// its space and single white level are kept (and archived) as such, and it
// is not equal to the RGB colour that looks the same. Components are clamped
// to [0, 1]. Being immutable, a colour is shared rather than copied.
class UIColor final : public Object {
    KIT_OBJECT(UIColor, Object)

public:
    static std::shared_ptr<UIColor> colorWithRed(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    static std::shared_ptr<UIColor> colorWithWhite(CGFloat white, CGFloat alpha);
    // Hue, saturation and brightness in [0, 1]; a hue of 1 is red again.
    static std::shared_ptr<UIColor> colorWithHue(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha);
    // Nothing without a colour.
    static std::shared_ptr<UIColor> colorWithCGColor(const CGColorRef&);

    // The platform's named colours, grey where the platform's are grey.
    static std::shared_ptr<UIColor> blackColor();     // white 0
    static std::shared_ptr<UIColor> darkGrayColor();  // white 1/3
    static std::shared_ptr<UIColor> lightGrayColor(); // white 2/3
    static std::shared_ptr<UIColor> whiteColor();     // white 1
    static std::shared_ptr<UIColor> grayColor();      // white 0.5
    static std::shared_ptr<UIColor> clearColor();     // white 0, alpha 0
    static std::shared_ptr<UIColor> redColor();
    static std::shared_ptr<UIColor> greenColor();
    static std::shared_ptr<UIColor> blueColor();
    static std::shared_ptr<UIColor> cyanColor();
    static std::shared_ptr<UIColor> yellowColor();
    static std::shared_ptr<UIColor> magentaColor();
    static std::shared_ptr<UIColor> orangeColor();    // 1, 0.5, 0
    static std::shared_ptr<UIColor> purpleColor();    // 0.5, 0, 0.5
    static std::shared_ptr<UIColor> brownColor();     // 0.6, 0.4, 0.2

    // The same colour, in the same space, with another alpha.
    std::shared_ptr<UIColor> colorWithAlphaComponent(CGFloat alpha) const;

    // Each answers false and leaves the outputs alone when the colour cannot
    // be given that way: grey colours answer all three; RGB colours do not
    // answer getWhite. Any output may be null.
    bool getRed(CGFloat* red, CGFloat* green, CGFloat* blue, CGFloat* alpha) const;
    bool getHue(CGFloat* hue, CGFloat* saturation, CGFloat* brightness, CGFloat* alpha) const;
    bool getWhite(CGFloat* white, CGFloat* alpha) const;

    // Make this the current context's (UIGraphics.h) fill and stroke colour,
    // fill colour, or stroke colour; nothing without a current context.
    void set() const;
    void setFill() const;
    void setStroke() const;

    const CGColorRef& CGColor() const { return m_color; }
    bool isGrey() const { return m_color->model() == kCGColorSpaceModelMonochrome; }
    CGFloat alpha() const { return m_color->alpha(); }
    // Same space and components.
    bool isEqual(const UIColor* other) const;
    // "UIDeviceRGBColorSpace 1 0 0 1" / "UIDeviceWhiteColorSpace 0.5 1".
    std::string description() const;

    // The keyed archive form, and back.
    ArchivedColor archivedColor() const;
    static std::shared_ptr<UIColor> colorWithArchivedColor(const ArchivedColor&);
    // +[NSKeyedArchiver archivedDataWithRootObject:] of this colour.
    Data archivedData() const;
    // Nothing for data that is not an archived colour.
    static std::shared_ptr<UIColor> colorWithArchivedData(std::span<const uint8_t>);

    explicit UIColor(CGColorRef color) : m_color(std::move(color)) { }

private:
    CGColorRef m_color;
};

}
