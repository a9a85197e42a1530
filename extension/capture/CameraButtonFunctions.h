#pragma once

// The strip of mode buttons that slides in over the preview, just above the
// host's bottom bar (on a pad: a column beside the host's side bar). Photo
// modes offer advanced camera (tag 1), self-timer (2), time-lapse (3) and
// white-balance lock (7); video modes advanced video (6), snapshot while
// recording (10) and white-balance lock. Every button sends
// floatingButtonTapped: to the camera bar, which decides what a tap does.
//
// The strip, its six buttons and the layout values CameraBtn_* live in the
// globals; they exist from createCameraButtonArray to
// destroyCameraButtonArray. showingButtonArray says whether the strip is on
// screen or sliding in: it changes when a show or hide starts, not when the
// slide ends, so a second toggle right after the first acts on the first's
// outcome.

#include "kit/runtime/Types.h"

namespace kit {
class UIView;
}

namespace vantor {

// Creates the strip (hidden), its buttons, the focus and exposure reticles
// when the host's bottom bar is known and, when there is none, the camera
// bar; then the camera bar's help views. On a phone the strip goes into the
// host camera view; on a pad into `bottomBar`, the parent to use there (the
// pad's zoom control needs it too). Does nothing until
// destroyCameraButtonArray once it has run.
void createCameraButtonArray(kit::UIView* bottomBar);

// -1 toggles, 0 hides, 1 shows; the strip slides over 0.15 s. Every show lays
// the strip out afresh for the host's current mode (an unknown mode shows it
// empty) and closes the overlay selector and the resolution chooser. Without
// a strip: one log line and nothing else.
void toggleCameraButtonArray(int state);

// On a pad, moves the circular zoom control out of the shown strip's way, or
// back; its size stays. Nothing without a zoom control.
void toggleZoomBarOffset(bool stripShown);

// Hides the strip, then releases it and its six buttons; the reticles and
// the zoom control stay. The next createCameraButtonArray builds them anew.
void destroyCameraButtonArray();

// Fades the camera bar's selection dial out over 0.3 s and then has the
// camera bar remove it (element -5) and show the reticles (element 1). The
// sender is not used.
void hideCameraBar(kit::id sender);
// The same over `duration` seconds. `leaveDial`: nothing is faded or
// reported (the animation still runs). `keepDialAttached`: the dial fades but
// stays in its parent until the camera bar removes it. Otherwise the dial is
// faded and taken off at once, and reported, only when no time-lapse is
// chosen or running; a time-lapse keeps its dial. Nothing without a camera bar.
void hideCameraBar4(kit::id sender, float duration, bool keepDialAttached, bool leaveDial);

}
