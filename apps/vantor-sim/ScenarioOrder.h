#pragma once

#include "Scenario.h"

#include <optional>
#include <string>

namespace sim {

// What is in front on the phone, as far as the scenario's lines tell: an
// app, one of the home screen's own screens, or, after a touch on one of
// those (which may unlock the phone, open the camera or an app), not known
// until the line runs.
enum class Front { Camera, Settings, LockScreen, LockCamera, HomeScreen, Unknown };

// Why the line cannot run on a running phone with that in front ("shutter
// needs the camera in front: put lock-camera before it"), or nothing. The
// session asks it with what is in front as a line starts; check() with what
// the lines before have brought there.
std::optional<std::string> frontProblem(const Command&, Front);

// The lines' order, followed from the first: a scenario must start an app
// (launch, settings, camera, or the home screen with lock or home) before it
// uses one, gathers the model and settings before that, ends with quit at
// most once, and puts each line where what it needs is in front. The first
// line that breaks it, or nothing.
std::optional<ScenarioError> checkOrder(const Scenario&);

}
