#pragma once

namespace vantor {

// Turns every added element to the stored device orientation.
void rotateObjectsOnMainThread();
// The reticles' locks, the camera bar's own views, then on a phone every
// button, indicator and label turned in place (_rotate), on a pad the frames
// of the indicators and labels. Elements that do not exist are skipped.
void rotateObjects();
// The phone's turning: one 0.4 s animation turns the mode buttons, the
// indicators and the horizon button; the labels at fixed places fade out,
// move, turn and fade in again. Face up and face down are never stored, so
// the elements keep their last turn.
void _rotate();
// The pad's re-layout: the zoom control and the mode-button column move to
// their rows for landscape or portrait; x and size stay.
void adjustElementsForRotation();

}
