// The XML form is read with pugixml rather than libplist: libplist 2.2's XML
// reader over-reads on some entity input, reads "010" as octal and "0x10" as
// hexadecimal, reads reals with the C locale's atof and does not turn
// {CF$UID: n} back into references. The platform's rules are kept here.

#include "kit/foundation/Base64.h"
#include "kit/foundation/CalendarMath.h"
#include "kit/foundation/PropertyListSerialization.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <pugixml.hpp>

namespace kit::detail {

namespace {

class XmlReader {
public:
    std::optional<PropertyList> read(const pugi::xml_node& node, size_t depth);

private:
    std::optional<std::string> textOf(const pugi::xml_node&);
    std::optional<PropertyList> readDictionary(const pugi::xml_node&, size_t depth);
    std::optional<PropertyList> readArray(const pugi::xml_node&, size_t depth);
    static std::optional<int64_t> parseInteger(std::string_view);
    static std::optional<double> parseReal(std::string_view);

    size_t m_values { 0 };
};

std::string_view trimmed(std::string_view s)
{
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<std::string> XmlReader::textOf(const pugi::xml_node& node)
{
    std::string text;
    for (auto child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
        else if (child.type() == pugi::node_element)
            return std::nullopt;
    }
    return text;
}

// Decimal only, with one optional sign: the platform reads "010" as ten.
std::optional<int64_t> XmlReader::parseInteger(std::string_view s)
{
    s = trimmed(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    uint64_t magnitude = 0;
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), magnitude, 10);
    if (error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    if (negative) {
        if (magnitude > uint64_t(std::numeric_limits<int64_t>::max()) + 1)
            return std::nullopt;
        return int64_t(0 - magnitude);
    }
    // Unsigned values above the signed range are kept as their bit pattern,
    // as the binary form stores them.
    return int64_t(magnitude);
}

// Locale-independent, as the platform reads reals; "nan" and "+infinity" too.
std::optional<double> XmlReader::parseReal(std::string_view s)
{
    s = trimmed(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return std::nullopt;
    double value = 0;
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error == std::errc::result_out_of_range)
        return value;
    if (error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::optional<PropertyList> XmlReader::readDictionary(const pugi::xml_node& node, size_t depth)
{
    PropertyList::Dictionary dictionary;
    std::optional<std::string> pendingKey;
    for (auto child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (!pendingKey) {
            if (std::string_view(child.name()) != "key")
                return std::nullopt;
            pendingKey = textOf(child);
            if (!pendingKey)
                return std::nullopt;
            continue;
        }
        auto value = read(child, depth + 1);
        if (!value)
            return std::nullopt;
        dictionary.insert_or_assign(std::move(*pendingKey), std::move(*value));
        pendingKey.reset();
    }
    if (pendingKey)
        return std::nullopt;
    // The XML form of a keyed archiver's object reference.
    if (dictionary.size() == 1) {
        auto it = dictionary.find("CF$UID");
        if (it != dictionary.end() && it->second.integer() && *it->second.integer() >= 0)
            return PropertyList(PropertyList::Uid { uint64_t(*it->second.integer()) });
    }
    return PropertyList(std::move(dictionary));
}

std::optional<PropertyList> XmlReader::readArray(const pugi::xml_node& node, size_t depth)
{
    PropertyList::Array array;
    for (auto child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        auto value = read(child, depth + 1);
        if (!value)
            return std::nullopt;
        array.push_back(std::move(*value));
    }
    return PropertyList(std::move(array));
}

std::optional<PropertyList> XmlReader::read(const pugi::xml_node& node, size_t depth)
{
    if (depth > PropertyListLimits::maximumDepth || ++m_values > PropertyListLimits::maximumValues)
        return std::nullopt;
    std::string_view name = node.name();
    if (name == "dict")
        return readDictionary(node, depth);
    if (name == "array")
        return readArray(node, depth);
    if (name == "true" || name == "false") {
        if (node.first_child())
            return std::nullopt;
        return PropertyList(name == "true");
    }
    auto text = textOf(node);
    if (!text)
        return std::nullopt;
    if (name == "string")
        return PropertyList(std::move(*text));
    if (name == "integer") {
        auto value = parseInteger(*text);
        return value ? std::optional(PropertyList(*value)) : std::nullopt;
    }
    if (name == "real") {
        auto value = parseReal(*text);
        return value ? std::optional(PropertyList(*value)) : std::nullopt;
    }
    if (name == "data") {
        auto value = base64Decode(*text);
        return value ? std::optional(PropertyList(std::move(*value))) : std::nullopt;
    }
    if (name == "date") {
        auto value = parseIso8601(trimmed(*text));
        return value ? std::optional(PropertyList(PropertyList::Date { *value })) : std::nullopt;
    }
    return std::nullopt;
}

}

std::optional<PropertyList> parseXmlPropertyList(std::span<const uint8_t> bytes)
{
    pugi::xml_document document;
    // Whitespace-only text is kept where it is an element's only content, so
    // that <string> </string> stays a space.
    unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    auto result = document.load_buffer(bytes.data(), bytes.size(), options);
    if (!result)
        return std::nullopt;
    pugi::xml_node root = document.document_element();
    if (!root)
        return std::nullopt;
    if (std::string_view(root.name()) == "plist") {
        pugi::xml_node value;
        for (auto child : root.children()) {
            if (child.type() != pugi::node_element)
                continue;
            if (value)
                return std::nullopt;
            value = child;
        }
        if (!value)
            return std::nullopt;
        root = value;
    }
    return XmlReader().read(root, 0);
}

}
