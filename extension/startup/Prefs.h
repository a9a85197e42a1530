#pragma once

// The extension's side of the settings file: reading it into the globals,
// writing the extension's own keys back, and the change notification.

#include "kit/foundation/DarwinNotificationCenter.h"

#include <string>

namespace vantor {

// Reads the file into prefsDictionary and the globals. A missing or
// unreadable file leaves prefsDictionary empty and every global at its
// default.
void LoadPrefs();
// Writes the extension's keys into prefsDictionary and the whole dictionary
// to the file, atomically. A folder or file that cannot be written changes
// nothing; the values in memory stay in force.
void savePrefs();
// Darwin notification callback: reloads the file, ignoring its arguments.
void preferencesChanged(kit::CFNotificationCenterRef center, void* observer, const std::string& name,
    const void* object, kit::CFDictionaryRef userInfo);
// Registers preferencesChanged for the settings-changed notification.
void registerForPreferenceChanges();

// The device path of the settings file.
std::string preferencesPath();

}
