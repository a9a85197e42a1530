#include "kit/foundation/Base64.h"

namespace kit {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int decodeDigit(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

}

std::string base64Encode(const Data& data)
{
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        uint32_t n = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += kAlphabet[(n >> 6) & 63];
        out += kAlphabet[n & 63];
    }
    if (size_t rest = data.size() - i) {
        uint32_t n = data[i] << 16;
        if (rest == 2)
            n |= data[i + 1] << 8;
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += rest == 2 ? kAlphabet[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::optional<Data> base64Decode(std::string_view text)
{
    Data out;
    out.reserve(text.size() / 4 * 3);
    uint32_t accumulator = 0;
    int bits = 0;
    int padding = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        int digit = decodeDigit(c);
        if (digit < 0 || padding > 0)
            return std::nullopt;
        accumulator = (accumulator << 6) | uint32_t(digit);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(uint8_t((accumulator >> bits) & 0xff));
        }
    }
    if (padding > 2)
        return std::nullopt;
    return out;
}

}
