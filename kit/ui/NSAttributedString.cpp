#include "kit/ui/NSAttributedString.h"

namespace kit {

uint64_t NSAttributedString::length() const
{
    // UTF-16 units: one per code point, two beyond the basic plane.
    uint64_t units = 0;
    for (unsigned char c : m_string) {
        if ((c & 0xC0) == 0x80)
            continue;
        units += c >= 0xF0 ? 2 : 1;
    }
    return units;
}

}
