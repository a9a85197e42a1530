#include "kit/foundation/PropertyListFile.h"

#include "kit/foundation/AtomicFile.h"
#include "kit/foundation/DeviceRoot.h"

namespace kit {

std::optional<PropertyList> readPropertyListFile(const std::filesystem::path& path)
{
    auto bytes = readWholeFile(path, PropertyListLimits::maximumBytes);
    if (!bytes)
        return std::nullopt;
    return parsePropertyList(*bytes);
}

bool writePropertyListFile(const PropertyList& value, const std::filesystem::path& path, PropertyListFormat format,
    bool atomically)
{
    Data bytes;
    if (format == PropertyListFormat::Binary) {
        bytes = serializePropertyListBinary(value);
    } else {
        auto xml = serializePropertyListXml(value);
        bytes.assign(xml.begin(), xml.end());
    }
    if (bytes.empty())
        return false;
    return atomically ? writeFileAtomically(path, bytes) : writeFileDirectly(path, bytes);
}

std::optional<PropertyList::Dictionary> dictionaryWithContentsOfFile(std::string_view devicePath)
{
    auto value = readPropertyListFile(DeviceRoot::resolve(devicePath));
    if (!value || !value->dictionary())
        return std::nullopt;
    return std::move(*value->dictionary());
}

bool writeToFile(const PropertyList::Dictionary& dictionary, std::string_view devicePath, bool atomically)
{
    return writePropertyListFile(PropertyList(dictionary), DeviceRoot::resolve(devicePath), PropertyListFormat::Xml,
        atomically);
}

}
