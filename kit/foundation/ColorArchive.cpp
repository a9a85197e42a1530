#include "kit/foundation/ColorArchive.h"

#include "kit/foundation/PropertyListSerialization.h"

#include <charconv>
#include <cstring>
#include <cstdio>

namespace kit {

namespace {

// The NSRGB / NSWhite text: components with three significant digits,
// separated by spaces, alpha only when it is not 1, ending with a NUL.
Data componentText(std::initializer_list<double> components, double alpha)
{
    std::string text;
    auto append = [&](double v) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.3g", v);
        if (!text.empty())
            text += ' ';
        text += buffer;
    };
    for (double c : components)
        append(c);
    if (alpha != 1.0)
        append(alpha);
    Data data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

std::optional<uint64_t> referenceOf(const PropertyList& value)
{
    if (auto* uid = value.uid())
        return uid->value;
    if (auto* dictionary = value.dictionary(); dictionary && dictionary->size() == 1) {
        auto it = dictionary->find("CF$UID");
        if (it != dictionary->end() && it->second.integer() && *it->second.integer() >= 0)
            return uint64_t(*it->second.integer());
    }
    return std::nullopt;
}

const PropertyList* resolve(const PropertyList::Array& objects, const PropertyList* reference)
{
    if (!reference)
        return nullptr;
    auto index = referenceOf(*reference);
    if (!index || *index >= objects.size())
        return nullptr;
    return &objects[*index];
}

const PropertyList* find(const PropertyList::Dictionary& dictionary, std::string_view key)
{
    auto it = dictionary.find(key);
    return it == dictionary.end() ? nullptr : &it->second;
}

std::optional<double> component(const PropertyList::Dictionary& colour, std::string_view key)
{
    auto* value = find(colour, key);
    if (!value || value->boolean())
        return std::nullopt;
    return value->numberValue();
}

// Components from the NSRGB / NSWhite text, for archives without UIRed...
std::vector<double> parseComponentText(const PropertyList* value)
{
    std::vector<double> components;
    if (!value || !value->data())
        return components;
    std::string text(value->data()->begin(), value->data()->end());
    const char* p = text.c_str();
    const char* end = p + std::strlen(p);
    while (p < end && components.size() < 4) {
        while (p < end && *p == ' ')
            ++p;
        double v = 0;
        auto [next, error] = std::from_chars(p, end, v);
        if (error != std::errc())
            break;
        components.push_back(v);
        p = next;
    }
    return components;
}

}

Data archiveColor(const ArchivedColor& colour)
{
    PropertyList::Dictionary object;
    if (colour.space == ArchivedColor::Space::Grey) {
        object["UIWhite"] = colour.white;
        object["UIAlpha"] = colour.alpha;
        object["UIColorComponentCount"] = 2;
        object["NSColorSpace"] = 4;
        object["NSWhite"] = componentText({ colour.white }, colour.alpha);
    } else {
        object["UIRed"] = colour.red;
        object["UIGreen"] = colour.green;
        object["UIBlue"] = colour.blue;
        object["UIAlpha"] = colour.alpha;
        object["UIColorComponentCount"] = 4;
        object["NSColorSpace"] = 2;
        object["NSRGB"] = componentText({ colour.red, colour.green, colour.blue }, colour.alpha);
    }
    object["$class"] = PropertyList::Uid { 2 };

    PropertyList::Dictionary classObject;
    classObject["$classname"] = "UIColor";
    classObject["$classes"] = PropertyList::Array { "UIColor", "NSObject" };

    PropertyList::Dictionary archive;
    archive["$archiver"] = "NSKeyedArchiver";
    archive["$version"] = 100000;
    archive["$top"] = PropertyList::Dictionary { { "root", PropertyList::Uid { 1 } } };
    archive["$objects"] = PropertyList::Array { "$null", object, classObject };
    return serializePropertyListBinary(archive);
}

std::optional<ArchivedColor> unarchiveColor(std::span<const uint8_t> bytes)
{
    auto parsed = parsePropertyList(bytes);
    if (!parsed || !parsed->dictionary())
        return std::nullopt;
    auto& archive = *parsed->dictionary();
    auto* archiver = find(archive, "$archiver");
    auto* objectsValue = find(archive, "$objects");
    auto* top = find(archive, "$top");
    if (!archiver || !archiver->string() || *archiver->string() != "NSKeyedArchiver" || !objectsValue
        || !objectsValue->array() || !top || !top->dictionary())
        return std::nullopt;
    auto& objects = *objectsValue->array();

    auto* root = resolve(objects, find(*top->dictionary(), "root"));
    if (!root || !root->dictionary())
        return std::nullopt;
    auto& colour = *root->dictionary();

    auto* classObject = resolve(objects, find(colour, "$class"));
    if (!classObject || !classObject->dictionary())
        return std::nullopt;
    auto* className = find(*classObject->dictionary(), "$classname");
    if (!className || !className->string() || (*className->string() != "UIColor" && *className->string() != "NSColor"))
        return std::nullopt;

    double alpha = component(colour, "UIAlpha").value_or(1.0);
    auto red = component(colour, "UIRed");
    auto green = component(colour, "UIGreen");
    auto blue = component(colour, "UIBlue");
    if (red && green && blue)
        return ArchivedColor::rgba(*red, *green, *blue, alpha);
    if (auto white = component(colour, "UIWhite"))
        return ArchivedColor::grey(*white, alpha);

    // An archive with only the colour-space text (as a Mac writes NSColor).
    if (auto rgb = parseComponentText(find(colour, "NSRGB")); rgb.size() >= 3)
        return ArchivedColor::rgba(rgb[0], rgb[1], rgb[2], rgb.size() > 3 ? rgb[3] : 1.0);
    if (auto grey = parseComponentText(find(colour, "NSWhite")); !grey.empty())
        return ArchivedColor::grey(grey[0], grey.size() > 1 ? grey[1] : 1.0);
    return std::nullopt;
}

}
