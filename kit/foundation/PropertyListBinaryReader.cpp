// The binary form is decoded by libplist after a guard has walked the object
// graph: libplist 2.2 frees, copies and converts recursively and expands
// shared objects into copies, so a deep or exponentially shared file would
// overflow the stack or memory. The guard bounds depth and expanded size.

#include "kit/foundation/PropertyListSerialization.h"

#include <cstdlib>
#include <plist/plist.h>

namespace kit::detail {

namespace {

struct Trailer {
    uint8_t offsetSize { 0 };
    uint8_t referenceSize { 0 };
    uint64_t objectCount { 0 };
    uint64_t topObject { 0 };
    uint64_t offsetTableOffset { 0 };
};

uint64_t readBigEndian(const uint8_t* p, size_t size)
{
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | p[i];
    return value;
}

class BinaryGuard {
public:
    explicit BinaryGuard(std::span<const uint8_t> bytes) : m_bytes(bytes) { }

    bool check()
    {
        constexpr size_t headerSize = 8, trailerSize = 32;
        if (m_bytes.size() < headerSize + trailerSize + 1)
            return false;
        const uint8_t* t = m_bytes.data() + m_bytes.size() - trailerSize;
        m_trailer.offsetSize = t[6];
        m_trailer.referenceSize = t[7];
        m_trailer.objectCount = readBigEndian(t + 8, 8);
        m_trailer.topObject = readBigEndian(t + 16, 8);
        m_trailer.offsetTableOffset = readBigEndian(t + 24, 8);
        auto& tr = m_trailer;
        if (tr.offsetSize < 1 || tr.offsetSize > 8 || tr.referenceSize < 1 || tr.referenceSize > 8)
            return false;
        uint64_t tableEnd = m_bytes.size() - trailerSize;
        if (tr.objectCount == 0 || tr.topObject >= tr.objectCount || tr.offsetTableOffset < headerSize
            || tr.offsetTableOffset > tableEnd || tr.objectCount > (tableEnd - tr.offsetTableOffset) / tr.offsetSize)
            return false;
        return walk();
    }

private:
    std::optional<uint64_t> offsetOf(uint64_t object) const
    {
        auto& tr = m_trailer;
        uint64_t offset = readBigEndian(m_bytes.data() + tr.offsetTableOffset + object * tr.offsetSize, tr.offsetSize);
        if (offset < 8 || offset >= tr.offsetTableOffset)
            return std::nullopt;
        return offset;
    }

    // The element count of an array, set or dictionary at offset, and where
    // its references start.
    bool containerCount(uint64_t offset, uint64_t& count, uint64_t& referencesStart) const
    {
        uint8_t marker = m_bytes[offset];
        count = marker & 0x0f;
        referencesStart = offset + 1;
        if (count != 0x0f)
            return true;
        if (referencesStart >= m_trailer.offsetTableOffset)
            return false;
        uint8_t intMarker = m_bytes[referencesStart];
        if ((intMarker & 0xf0) != 0x10 || (intMarker & 0x0f) > 3)
            return false;
        size_t size = size_t(1) << (intMarker & 0x0f);
        if (referencesStart + 1 + size > m_trailer.offsetTableOffset)
            return false;
        count = readBigEndian(m_bytes.data() + referencesStart + 1, size);
        referencesStart += 1 + size;
        return true;
    }

    bool walk()
    {
        struct Pending {
            uint64_t object;
            size_t depth;
        };
        std::vector<Pending> stack { { m_trailer.topObject, 0 } };
        size_t visited = 0;
        while (!stack.empty()) {
            auto [object, depth] = stack.back();
            stack.pop_back();
            if (++visited > PropertyListLimits::maximumValues || depth > PropertyListLimits::maximumDepth)
                return false;
            if (object >= m_trailer.objectCount)
                return false;
            auto offset = offsetOf(object);
            if (!offset)
                return false;
            uint8_t kind = m_bytes[*offset] >> 4;
            if (kind != 0xA && kind != 0xC && kind != 0xD)
                continue;
            uint64_t count, start;
            if (!containerCount(*offset, count, start))
                return false;
            uint64_t references = kind == 0xD ? count * 2 : count;
            if (count > m_trailer.objectCount * 2 || references > PropertyListLimits::maximumValues)
                return false;
            if (start + references * m_trailer.referenceSize > m_trailer.offsetTableOffset)
                return false;
            for (uint64_t i = 0; i < references; ++i) {
                uint64_t child = readBigEndian(m_bytes.data() + start + i * m_trailer.referenceSize,
                    m_trailer.referenceSize);
                stack.push_back({ child, depth + 1 });
                if (stack.size() > PropertyListLimits::maximumValues)
                    return false;
            }
        }
        return true;
    }

    std::span<const uint8_t> m_bytes;
    Trailer m_trailer;
};

std::optional<PropertyList> convert(plist_t node, size_t depth)
{
    if (!node || depth > PropertyListLimits::maximumDepth)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return PropertyList(value != 0);
    }
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        return PropertyList(int64_t(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return PropertyList(value);
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return PropertyList(std::string(text ? text : "", text ? length : 0));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        return PropertyList(Data(bytes, bytes + (bytes ? length : 0)));
    }
    case PLIST_DATE: {
        int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return PropertyList(PropertyList::Date { seconds + microseconds / 1e6 });
    }
    case PLIST_UID: {
        uint64_t value = 0;
        plist_get_uid_val(node, &value);
        return PropertyList(PropertyList::Uid { value });
    }
    case PLIST_ARRAY: {
        PropertyList::Array array;
        uint32_t size = plist_array_get_size(node);
        for (uint32_t i = 0; i < size; ++i) {
            auto item = convert(plist_array_get_item(node, i), depth + 1);
            if (!item)
                return std::nullopt;
            array.push_back(std::move(*item));
        }
        return PropertyList(std::move(array));
    }
    case PLIST_DICT: {
        PropertyList::Dictionary dictionary;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        bool ok = true;
        while (iterator) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, iterator, &key, &value);
            if (!key)
                break;
            auto item = convert(value, depth + 1);
            if (item)
                dictionary.insert_or_assign(std::string(key), std::move(*item));
            else
                ok = false;
            std::free(key);
            if (!ok)
                break;
        }
        std::free(iterator);
        if (!ok)
            return std::nullopt;
        return PropertyList(std::move(dictionary));
    }
    default:
        return std::nullopt;
    }
}

}

std::optional<PropertyList> parseBinaryPropertyList(std::span<const uint8_t> bytes)
{
    if (!BinaryGuard(bytes).check())
        return std::nullopt;
    plist_t root = nullptr;
    plist_from_bin(reinterpret_cast<const char*>(bytes.data()), uint32_t(bytes.size()), &root);
    if (!root)
        return std::nullopt;
    auto result = convert(root, 0);
    plist_free(root);
    return result;
}

}
