#include "kit/ui/NibProperties.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/ui/NibValues.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UISwitch.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <map>

namespace kit::nib {

namespace {

using Setter = std::function<bool(UIView&, const PropertyList&, const NSBundle*)>;

struct Property {
    // The class that has the property; every view when nothing.
    Class (*owner)() { nullptr };
    Setter set;
};

template <typename V, typename T, typename Parse, typename Apply>
Property typed(Parse parse, Apply apply)
{
    return { &V::staticClass, [parse, apply](UIView& view, const PropertyList& value, const NSBundle*) {
                auto parsed = parse(value);
                if (!parsed)
                    return false;
                if constexpr (std::is_same_v<decltype(parsed), T>)
                    apply(static_cast<V&>(view), std::move(parsed));
                else
                    apply(static_cast<V&>(view), T(*parsed));
                return true;
            } };
}

std::optional<std::string> stringValue(const PropertyList& value)
{
    if (auto* s = value.string())
        return *s;
    return std::nullopt;
}

std::optional<NSTextAlignment> alignmentValue(const PropertyList& value)
{
    auto* s = value.string();
    if (!s)
        return std::nullopt;
    if (*s == "left")
        return NSTextAlignmentLeft;
    if (*s == "center")
        return NSTextAlignmentCenter;
    if (*s == "right")
        return NSTextAlignmentRight;
    return std::nullopt;
}

bool setImage(UIView& view, const PropertyList& value, const NSBundle* bundle)
{
    auto* name = value.string();
    if (!name || !bundle)
        return false;
    auto path = bundle->pathForResource(*name, "");
    if (!path)
        return false;
    std::ifstream file(*path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto image = UIImage::imageWithData(bytes);
    if (!image)
        return false;
    static_cast<UIImageView&>(view).setImage(std::move(image));
    return true;
}

const std::map<std::string, Property, std::less<>>& properties()
{
    using Color = std::shared_ptr<UIColor>;
    auto color = [](const PropertyList& v) { return colorValue(v); };
    static const std::map<std::string, Property, std::less<>> table = {
        { "backgroundColor", typed<UIView, Color>(color, [](UIView& v, Color c) { v.setBackgroundColor(c); }) },
        { "alpha", typed<UIView, double>(numberValue, [](UIView& v, double a) { v.setAlpha(a); }) },
        { "hidden", typed<UIView, bool>(boolValue, [](UIView& v, bool b) { v.setHidden(b); }) },
        { "userInteractionEnabled", typed<UIView, bool>(boolValue, [](UIView& v, bool b) { v.setUserInteractionEnabled(b); }) },
        { "clipsToBounds", typed<UIView, bool>(boolValue, [](UIView& v, bool b) { v.setClipsToBounds(b); }) },
        { "tag", typed<UIView, int64_t>(integerValue, [](UIView& v, int64_t t) { v.setTag(t); }) },
        { "cornerRadius", typed<UIView, double>(numberValue, [](UIView& v, double r) { v.layer()->setCornerRadius(r); }) },
        { "borderWidth", typed<UIView, double>(numberValue, [](UIView& v, double w) { v.layer()->setBorderWidth(w); }) },
        { "borderColor", typed<UIView, Color>(color, [](UIView& v, Color c) { v.layer()->setBorderColor(c); }) },
        { "autoresizingMask", typed<UIView, UIViewAutoresizing>(autoresizingValue, [](UIView& v, UIViewAutoresizing m) { v.setAutoresizingMask(m); }) },
        { "text", typed<UILabel, std::string>(stringValue, [](UILabel& l, std::string t) { l.setText(std::move(t)); }) },
        { "textColor", typed<UILabel, Color>(color, [](UILabel& l, Color c) { l.setTextColor(c); }) },
        { "textAlignment", typed<UILabel, NSTextAlignment>(alignmentValue, [](UILabel& l, NSTextAlignment a) { l.setTextAlignment(a); }) },
        { "numberOfLines", typed<UILabel, int64_t>(integerValue, [](UILabel& l, int64_t n) { l.setNumberOfLines(int(std::clamp<int64_t>(n, 0, 1000))); }) },
        { "title", typed<UIButton, std::string>(stringValue, [](UIButton& b, std::string t) { b.setTitle(std::move(t), UIControlStateNormal); }) },
        { "titleColor", typed<UIButton, Color>(color, [](UIButton& b, Color c) { b.setTitleColor(c, UIControlStateNormal); }) },
        { "enabled", typed<UIControl, bool>(boolValue, [](UIControl& c, bool b) { c.setEnabled(b); }) },
        { "on", typed<UISwitch, bool>(boolValue, [](UISwitch& s, bool b) { s.setOn(b); }) },
        { "onTintColor", typed<UISwitch, Color>(color, [](UISwitch& s, Color c) { s.setOnTintColor(c); }) },
        { "contentSize", typed<UIScrollView, CGSize>(sizeValue, [](UIScrollView& s, CGSize size) { s.setContentSize(size); }) },
        { "image", { &UIImageView::staticClass, setImage } },
    };
    return table;
}

}

std::optional<std::string> applyProperty(UIView& view, std::string_view key, const PropertyList& value, const NSBundle* bundle)
{
    // A label's font and a button's title font share the key.
    if (key == "font") {
        auto font = fontValue(value);
        auto* label = dynamic_cast<UILabel*>(&view);
        auto* button = dynamic_cast<UIButton*>(&view);
        if (!label && !button)
            return "a " + std::string(view.className()) + " has no font";
        if (!font)
            return "font is not \"NAME SIZE\"";
        if (label)
            label->setFont(std::move(font));
        else
            button->titleLabel()->setFont(std::move(font));
        return std::nullopt;
    }
    auto& table = properties();
    auto it = table.find(key);
    if (it == table.end())
        return "unknown key " + std::string(key);
    const Property& property = it->second;
    if (property.owner && !view.isKindOfClass(property.owner()))
        return "a " + std::string(view.className()) + " has no " + std::string(key);
    if (!property.set(view, value, bundle))
        return "the value of " + std::string(key) + " is not of its form";
    return std::nullopt;
}

}
