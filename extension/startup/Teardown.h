#pragma once

// Taking the extension's state apart when the camera leaves the screen. Each
// step tests every global before it uses it and clears what it releases, so
// any step may run again, or with nothing created.

namespace vantor {

// The camera is being suspended: saves the settings, stops the timed modes
// and hides the extension's elements.
void CleanUpOnMinimize();
// Forgets the camera view and frees the reticle locks.
void clearVariables();
// Releases the extension's objects; keepPrefs keeps prefsDictionary.
void destroyObjects(bool keepPrefs);
// Removes and releases the labels and indicators on the bars.
void destroyLabelsAndIndicators();

}
