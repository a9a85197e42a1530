#pragma once

#include <optional>
#include <string>

namespace host {

// What a scenario's expectations ask of the screen of the process they run
// in: is a view of a class, or a label or button with a text, visible now;
// and if not, what was there instead. Model values, as `describe` shows them.
//
// Visible means: the view and every view above it are not hidden and have
// an alpha above 0, its window is one of the application's windows and is
// shown, and its frame on the screen overlaps the screen.
struct ScreenFinding {
    bool visible { false };
    // The visible one ("CAMTopBar#0 at (0, 0, 320, 40)"), or why none
    // counts ("none in any window", "1, not visible: hidden=yes").
    std::string seen;
};

// A view of exactly that class (and tag), front-most first.
ScreenFinding findView(const std::string& className, std::optional<int> tag);
// A label whose text, or a button whose current title, is exactly `text`.
ScreenFinding findText(const std::string& text);

}
