#pragma once

#include "Scenario.h"

#include "host/common/ScreenQuery.h"

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sim {

// The checks of a scenario's `expect` lines. Each answers nothing when the
// expectation holds, or what a person needs to see that it did not:
// "expected 3 photos; found 1".

// What the line expects, in words: "a visible CAMTopBar#0", "3 photos".
std::string expectedWords(const command::Expect&);

// View and text, on what the app in front found on its screen.
std::optional<std::string> checkScreen(const command::Expect&, const host::ScreenFinding&);
// Photos (.JPG) and movies (.MOV) in the device root's camera roll now
// that were not there before the run: a device root keeps the photos of
// earlier runs, and a scenario speaks of its own.
std::optional<std::string> checkCameraRoll(const command::Expect&, const std::filesystem::path& deviceRoot,
    const std::set<std::filesystem::path>& before);
// The settings file: the key's value compared in the file's own kind, a
// boolean with true or false, a number as a number, anything else as text.
std::optional<std::string> checkSetting(const command::Expect&, const std::filesystem::path& settingsFile);
// A line of events.log so far that contains the text.
std::optional<std::string> checkLog(const command::Expect&, const std::vector<std::string>& eventLines);

}
