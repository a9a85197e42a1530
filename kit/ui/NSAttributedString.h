#pragma once

#include "kit/ui/Geometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kit {

class UIColor;
class UIFont;

struct NSRange {
    uint64_t location { 0 };
    uint64_t length { 0 };
};
inline NSRange NSMakeRange(uint64_t location, uint64_t length) { return { location, length }; }

// Text with drawing attributes (NSAttributedString / NSMutableAttributedString).
// Attributes apply to the whole text: an attribute added over any range is
// drawn over all of it, which is how every label in the system uses them.
// Lengths count UTF-16 units, as the platform's do.
class NSAttributedString {
public:
    NSAttributedString() = default;
    explicit NSAttributedString(std::string string) : m_string(std::move(string)) { }

    const std::string& string() const { return m_string; }
    uint64_t length() const;

    // NSKernAttributeName: extra points after each character.
    std::optional<CGFloat> kern;
    // NSFontAttributeName, NSForegroundColorAttributeName: when set, they
    // take the place of the label's own.
    std::shared_ptr<UIFont> font;
    std::shared_ptr<UIColor> foregroundColor;

    // addAttribute:value:range: for the kern.
    void addKern(CGFloat value, NSRange) { kern = value; }

private:
    std::string m_string;
};

}
