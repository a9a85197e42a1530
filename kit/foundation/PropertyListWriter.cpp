#include "kit/foundation/PropertyListSerialization.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <plist/plist.h>

namespace kit {

namespace {

struct PlistDeleter {
    void operator()(void* node) const { plist_free(node); }
};
using PlistNode = std::unique_ptr<void, PlistDeleter>;

plist_t toNode(const PropertyList& value)
{
    switch (value.type()) {
    case PropertyList::Type::Boolean:
        return plist_new_bool(*value.boolean());
    case PropertyList::Type::Integer:
        return plist_new_uint(uint64_t(*value.integer()));
    case PropertyList::Type::Real:
        return plist_new_real(*value.real());
    case PropertyList::Type::String:
        return plist_new_string(value.string()->c_str());
    case PropertyList::Type::Data: {
        auto& data = *value.data();
        return plist_new_data(reinterpret_cast<const char*>(data.data()), data.size());
    }
    case PropertyList::Type::Date: {
        double seconds = value.date()->secondsSinceReferenceDate;
        double whole = std::floor(seconds);
        return plist_new_date(int32_t(whole), int32_t(std::lround((seconds - whole) * 1e6)));
    }
    case PropertyList::Type::Uid:
        return plist_new_uid(value.uid()->value);
    case PropertyList::Type::Array: {
        plist_t array = plist_new_array();
        for (auto& item : *value.array())
            plist_array_append_item(array, toNode(item));
        return array;
    }
    case PropertyList::Type::Dictionary: {
        plist_t dictionary = plist_new_dict();
        for (auto& [key, item] : *value.dictionary())
            plist_dict_set_item(dictionary, key.c_str(), toNode(item));
        return dictionary;
    }
    }
    return plist_new_bool(0);
}

}

std::string serializePropertyListXml(const PropertyList& value)
{
    PlistNode node(toNode(value));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(node.get(), &xml, &length);
    std::string result(xml ? xml : "", xml ? length : 0);
    if (xml)
        plist_to_xml_free(xml);
    return result;
}

Data serializePropertyListBinary(const PropertyList& value)
{
    PlistNode node(toNode(value));
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(node.get(), &bytes, &length);
    Data result(bytes, bytes + (bytes ? length : 0));
    if (bytes)
        plist_to_bin_free(bytes);
    return result;
}

}
