#include "kit/ui/NibValues.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

namespace kit::nib {

namespace {

// The numbers of a brace form such as "{{0, 35}, {320, 44}}", when the text
// holds nothing but braces, commas, blanks and exactly `count` numbers.
std::optional<std::vector<double>> bracedNumbers(const PropertyList& value, size_t count)
{
    const std::string* text = value.string();
    if (!text || text->find('{') == std::string::npos)
        return std::nullopt;
    std::vector<double> numbers;
    const char* p = text->data();
    const char* end = p + text->size();
    while (p < end) {
        char c = *p;
        if (c == '{' || c == '}' || c == ',' || c == ' ' || c == '\t') {
            ++p;
            continue;
        }
        double number = 0;
        auto [next, error] = std::from_chars(p, end, number);
        if (error != std::errc() || !std::isfinite(number))
            return std::nullopt;
        numbers.push_back(number);
        p = next;
    }
    if (numbers.size() != count)
        return std::nullopt;
    return numbers;
}

std::vector<std::string> words(std::string_view text)
{
    std::istringstream stream { std::string(text) };
    std::vector<std::string> result;
    for (std::string word; stream >> word;)
        result.push_back(word);
    return result;
}

}

std::optional<CGRect> rectValue(const PropertyList& value)
{
    auto n = bracedNumbers(value, 4);
    if (!n || (*n)[2] < 0 || (*n)[3] < 0)
        return std::nullopt;
    return CGRectMake((*n)[0], (*n)[1], (*n)[2], (*n)[3]);
}

std::optional<CGSize> sizeValue(const PropertyList& value)
{
    auto n = bracedNumbers(value, 2);
    if (!n || (*n)[0] < 0 || (*n)[1] < 0)
        return std::nullopt;
    return CGSizeMake((*n)[0], (*n)[1]);
}

std::shared_ptr<UIColor> colorValue(const PropertyList& value)
{
    const std::string* text = value.string();
    if (!text)
        return nullptr;
    static const std::pair<const char*, std::shared_ptr<UIColor> (*)()> named[] = {
        { "black", UIColor::blackColor },
        { "darkGray", UIColor::darkGrayColor },
        { "lightGray", UIColor::lightGrayColor },
        { "white", UIColor::whiteColor },
        { "gray", UIColor::grayColor },
        { "clear", UIColor::clearColor },
        { "red", UIColor::redColor },
        { "green", UIColor::greenColor },
        { "blue", UIColor::blueColor },
        { "yellow", UIColor::yellowColor },
        { "orange", UIColor::orangeColor },
        { "groupTableViewBackground", [] { return UIColor::colorWithRed(0.937, 0.937, 0.957, 1); } },
        { "separator", [] { return UIColor::colorWithRed(0.784, 0.78, 0.8, 1); } },
    };
    for (auto& [name, make] : named)
        if (*text == name)
            return make();
    auto parts = words(*text);
    if (parts.size() != 4)
        return nullptr;
    double c[4];
    for (size_t i = 0; i < 4; ++i) {
        auto [end, error] = std::from_chars(parts[i].data(), parts[i].data() + parts[i].size(), c[i]);
        if (error != std::errc() || end != parts[i].data() + parts[i].size() || !(c[i] >= 0 && c[i] <= 1))
            return nullptr;
    }
    return UIColor::colorWithRed(c[0], c[1], c[2], c[3]);
}

std::shared_ptr<UIFont> fontValue(const PropertyList& value)
{
    const std::string* text = value.string();
    if (!text)
        return nullptr;
    auto space = text->find_last_of(' ');
    if (space == std::string::npos || space == 0)
        return nullptr;
    std::string_view name(text->data(), space);
    std::string_view sizeText(text->data() + space + 1, text->size() - space - 1);
    double size = 0;
    auto [end, error] = std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
    if (error != std::errc() || end != sizeText.data() + sizeText.size() || !(size > 0 && size <= 500))
        return nullptr;
    if (name == "system")
        return UIFont::systemFontOfSize(size);
    if (name == "boldSystem")
        return UIFont::boldSystemFontOfSize(size);
    return UIFont::fontWithName(name, size);
}

std::optional<UIViewAutoresizing> autoresizingValue(const PropertyList& value)
{
    const std::string* text = value.string();
    if (!text)
        return std::nullopt;
    UIViewAutoresizing mask = UIViewAutoresizingNone;
    for (auto& word : words(*text)) {
        if (word == "width")
            mask |= UIViewAutoresizingFlexibleWidth;
        else if (word == "height")
            mask |= UIViewAutoresizingFlexibleHeight;
        else if (word == "left")
            mask |= UIViewAutoresizingFlexibleLeftMargin;
        else if (word == "right")
            mask |= UIViewAutoresizingFlexibleRightMargin;
        else if (word == "top")
            mask |= UIViewAutoresizingFlexibleTopMargin;
        else if (word == "bottom")
            mask |= UIViewAutoresizingFlexibleBottomMargin;
        else
            return std::nullopt;
    }
    return mask;
}

std::optional<UIControlEvents> controlEventValue(std::string_view name)
{
    static const std::pair<const char*, UIControlEvents> events[] = {
        { "touchDown", UIControlEventTouchDown },
        { "touchDownRepeat", UIControlEventTouchDownRepeat },
        { "touchDragInside", UIControlEventTouchDragInside },
        { "touchDragOutside", UIControlEventTouchDragOutside },
        { "touchDragEnter", UIControlEventTouchDragEnter },
        { "touchDragExit", UIControlEventTouchDragExit },
        { "touchUpInside", UIControlEventTouchUpInside },
        { "touchUpOutside", UIControlEventTouchUpOutside },
        { "touchCancel", UIControlEventTouchCancel },
        { "valueChanged", UIControlEventValueChanged },
    };
    for (auto& [eventName, event] : events)
        if (name == eventName)
            return event;
    return std::nullopt;
}

std::optional<double> numberValue(const PropertyList& value)
{
    if (value.boolean())
        return std::nullopt;
    auto number = value.numberValue();
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    return number;
}

std::optional<bool> boolValue(const PropertyList& value)
{
    if (auto* b = value.boolean())
        return *b;
    return std::nullopt;
}

std::optional<int64_t> integerValue(const PropertyList& value)
{
    if (auto* i = value.integer())
        return *i;
    return std::nullopt;
}

}
