// The binary form is read here rather than by libplist 2.2, whose reader
// asserts on dictionaries with keys that are not strings, recurses without a
// depth bound and expands shared objects into copies (a small file could
// expand exponentially). This reader bounds depth and the expanded size and
// checks every offset and reference against the file.

#include "kit/foundation/PropertyListSerialization.h"

#include <cstring>

namespace kit::detail {

namespace {

uint64_t readBigEndian(const uint8_t* p, size_t size)
{
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | p[i];
    return value;
}

void appendUtf8(std::string& out, uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | (codePoint >> 6));
        out += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += char(0xE0 | (codePoint >> 12));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xF0 | (codePoint >> 18));
        out += char(0x80 | ((codePoint >> 12) & 0x3F));
        out += char(0x80 | ((codePoint >> 6) & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
}

class BinaryReader {
public:
    explicit BinaryReader(std::span<const uint8_t> bytes) : m_bytes(bytes) { }

    std::optional<PropertyList> read()
    {
        constexpr size_t headerSize = 8, trailerSize = 32;
        if (m_bytes.size() < headerSize + trailerSize + 1)
            return std::nullopt;
        const uint8_t* t = m_bytes.data() + m_bytes.size() - trailerSize;
        m_offsetSize = t[6];
        m_referenceSize = t[7];
        m_objectCount = readBigEndian(t + 8, 8);
        uint64_t topObject = readBigEndian(t + 16, 8);
        m_tableOffset = readBigEndian(t + 24, 8);
        uint64_t tableEnd = m_bytes.size() - trailerSize;
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_referenceSize < 1 || m_referenceSize > 8)
            return std::nullopt;
        if (m_objectCount == 0 || topObject >= m_objectCount || m_tableOffset < headerSize || m_tableOffset > tableEnd
            || m_objectCount > (tableEnd - m_tableOffset) / m_offsetSize)
            return std::nullopt;
        return readObject(topObject, 0);
    }

private:
    // Objects live between the header and the offset table.
    bool inObjects(uint64_t offset, uint64_t length) const
    {
        return offset >= 8 && offset <= m_tableOffset && length <= m_tableOffset - offset;
    }

    std::optional<uint64_t> offsetOf(uint64_t object) const
    {
        if (object >= m_objectCount)
            return std::nullopt;
        uint64_t offset = readBigEndian(m_bytes.data() + m_tableOffset + object * m_offsetSize, m_offsetSize);
        if (!inObjects(offset, 1))
            return std::nullopt;
        return offset;
    }

    // The length in a marker's low nibble, or in the integer that follows it.
    bool readLength(uint64_t& cursor, uint8_t marker, uint64_t& length) const
    {
        length = marker & 0x0F;
        ++cursor;
        if (length != 0x0F)
            return true;
        if (!inObjects(cursor, 1))
            return false;
        uint8_t intMarker = m_bytes[cursor];
        if ((intMarker >> 4) != 0x1 || (intMarker & 0x0F) > 3)
            return false;
        size_t size = size_t(1) << (intMarker & 0x0F);
        if (!inObjects(cursor + 1, size))
            return false;
        length = readBigEndian(m_bytes.data() + cursor + 1, size);
        cursor += 1 + size;
        return true;
    }

    std::optional<PropertyList> readObject(uint64_t object, size_t depth)
    {
        if (depth > PropertyListLimits::maximumDepth || ++m_values > PropertyListLimits::maximumValues)
            return std::nullopt;
        auto start = offsetOf(object);
        if (!start)
            return std::nullopt;
        uint64_t cursor = *start;
        uint8_t marker = m_bytes[cursor];
        uint8_t kind = marker >> 4;
        uint8_t info = marker & 0x0F;
        switch (kind) {
        case 0x0:
            if (marker == 0x08 || marker == 0x09)
                return PropertyList(marker == 0x09);
            return std::nullopt;
        case 0x1: {
            if (info > 4)
                return std::nullopt;
            size_t size = size_t(1) << info;
            if (!inObjects(cursor + 1, size))
                return std::nullopt;
            // 16-byte integers keep their low 64 bits, as unsigned values do.
            const uint8_t* p = m_bytes.data() + cursor + 1 + (size == 16 ? 8 : 0);
            uint64_t raw = readBigEndian(p, size == 16 ? 8 : size);
            return PropertyList(int64_t(raw));
        }
        case 0x2: {
            if (info != 2 && info != 3)
                return std::nullopt;
            size_t size = size_t(1) << info;
            if (!inObjects(cursor + 1, size))
                return std::nullopt;
            uint64_t raw = readBigEndian(m_bytes.data() + cursor + 1, size);
            if (size == 4) {
                uint32_t bits = uint32_t(raw);
                float value;
                std::memcpy(&value, &bits, 4);
                return PropertyList(double(value));
            }
            double value;
            std::memcpy(&value, &raw, 8);
            return PropertyList(value);
        }
        case 0x3: {
            if (marker != 0x33 || !inObjects(cursor + 1, 8))
                return std::nullopt;
            uint64_t raw = readBigEndian(m_bytes.data() + cursor + 1, 8);
            double seconds;
            std::memcpy(&seconds, &raw, 8);
            return PropertyList(PropertyList::Date { seconds });
        }
        case 0x4:
        case 0x5:
        case 0x6: {
            uint64_t length;
            if (!readLength(cursor, marker, length))
                return std::nullopt;
            uint64_t bytes = kind == 0x6 ? length * 2 : length;
            if (length > m_bytes.size() || !inObjects(cursor, bytes))
                return std::nullopt;
            const uint8_t* p = m_bytes.data() + cursor;
            if (kind == 0x4)
                return PropertyList(Data(p, p + bytes));
            if (kind == 0x5)
                return PropertyList(std::string(reinterpret_cast<const char*>(p), bytes));
            return PropertyList(utf16ToUtf8(p, length));
        }
        case 0x8: {
            size_t size = size_t(info) + 1;
            if (size > 8 || !inObjects(cursor + 1, size))
                return std::nullopt;
            return PropertyList(PropertyList::Uid { readBigEndian(m_bytes.data() + cursor + 1, size) });
        }
        case 0xA:
        case 0xC:
        case 0xD:
            return readContainer(cursor, marker, depth);
        default:
            return std::nullopt;
        }
    }

    std::optional<PropertyList> readContainer(uint64_t cursor, uint8_t marker, size_t depth)
    {
        uint8_t kind = marker >> 4;
        uint64_t count;
        if (!readLength(cursor, marker, count))
            return std::nullopt;
        uint64_t references = kind == 0xD ? count * 2 : count;
        if (count > m_objectCount * 2 || !inObjects(cursor, references * m_referenceSize))
            return std::nullopt;
        auto reference = [&](uint64_t i) {
            return readBigEndian(m_bytes.data() + cursor + i * m_referenceSize, m_referenceSize);
        };
        if (kind != 0xD) {
            // Sets have no form of their own here; they read as arrays.
            PropertyList::Array array;
            array.reserve(size_t(std::min<uint64_t>(count, 4096)));
            for (uint64_t i = 0; i < count; ++i) {
                auto item = readObject(reference(i), depth + 1);
                if (!item)
                    return std::nullopt;
                array.push_back(std::move(*item));
            }
            return PropertyList(std::move(array));
        }
        PropertyList::Dictionary dictionary;
        for (uint64_t i = 0; i < count; ++i) {
            auto key = readObject(reference(i), depth + 1);
            if (!key || !key->string())
                return std::nullopt;
            auto value = readObject(reference(count + i), depth + 1);
            if (!value)
                return std::nullopt;
            dictionary.insert_or_assign(std::move(*key->string()), std::move(*value));
        }
        return PropertyList(std::move(dictionary));
    }

    static std::string utf16ToUtf8(const uint8_t* p, uint64_t units)
    {
        std::string out;
        for (uint64_t i = 0; i < units; ++i) {
            uint32_t unit = uint32_t(p[2 * i] << 8 | p[2 * i + 1]);
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
                uint32_t low = uint32_t(p[2 * i + 2] << 8 | p[2 * i + 3]);
                if (low >= 0xDC00 && low < 0xE000) {
                    appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    ++i;
                    continue;
                }
            }
            // A lone surrogate becomes the replacement character.
            appendUtf8(out, (unit >= 0xD800 && unit < 0xE000) ? 0xFFFD : unit);
        }
        return out;
    }

    std::span<const uint8_t> m_bytes;
    uint8_t m_offsetSize { 0 };
    uint8_t m_referenceSize { 0 };
    uint64_t m_objectCount { 0 };
    uint64_t m_tableOffset { 0 };
    size_t m_values { 0 };
};

}

std::optional<PropertyList> parseBinaryPropertyList(std::span<const uint8_t> bytes)
{
    return BinaryReader(bytes).read();
}

}
