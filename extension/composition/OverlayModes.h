#pragma once

// The overlay modes and the choice tags that name them. Modes: 0 none,
// 1 golden section, 2 rule of thirds, 3 trisection, 4 square. The choice
// tags of the strip and of setOverlayIndicatorImg are the modes with 1 and 2
// crossed over (tag 1 thirds, tag 2 golden); the others equal the mode.

#include <cstdint>
#include <optional>
#include <string>

namespace vantor {

inline constexpr int64_t overlayModeCount = 5;

// The mode a tag selects; nothing for a tag outside 0 to 4.
std::optional<int64_t> overlayModeForChoiceTag(int64_t tag);
// The tag of a stored mode; 0 (no overlay) for a mode outside 0 to 4.
int32_t choiceTagForOverlayMode(int64_t mode);

// Device paths of the mode's thumbnail and full-screen drawing; a mode
// outside 0 to 4 gets mode 0's.
std::string overlayThumbnailPath(int64_t mode);
std::string overlayDrawingPath(int64_t mode);

}
