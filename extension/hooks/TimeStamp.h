#pragma once

// The date stamp: the on-screen label that switches it and the stamp drawn
// into each captured photo.

#include "kit/foundation/Action.h"
#include "kit/ui/Geometry.h"

#include <optional>
#include <string>

namespace vantor {

// Creates the label ("Timestamp On" / "Timestamp Off") and fades it in over
// 0.2 s; a tap on it sends the action. Does nothing while a label exists.
void createAndShowTimeStampLbl(const kit::Action&);
// Fades the label out over 0.15 s and removes it. The global forgets it at
// once, so a label made during the fade is a new one and stays.
void hideAndDestroyTimeStampLbl();
// Turns stamping off while the host's live filter is on, and back on when it
// is off again and the user had it on.
void checkTimestampLable_VS_Filters();

// The label's frame and, on a phone, its centre for the device orientation,
// in points.
kit::CGRect getTimeStampLblFrame();
kit::CGPoint getTimeStampLblCenterPoint();

// Where the stamp goes in a photo of `imageSize` pixels stored in an EXIF
// orientation: the font size (width ÷ 40), the margin, the turn of the
// context (radians) and the text's top left in the turned context. No origin
// for orientations other than 1, 3, 6 and 8: such photos get no text.
struct TimeStampLayout {
    kit::CGFloat fontSize { 0 };
    int pad { 0 };
    kit::CGFloat rotation { 0 };
    std::optional<kit::CGPoint> origin;
};
TimeStampLayout timeStampLayout(int exifOrientation, kit::CGSize imageSize);

// The current date in the current locale's short style, followed by the
// short time when the stamp includes the time.
std::string timeStampText();

}
