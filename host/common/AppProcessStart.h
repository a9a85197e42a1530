#pragma once

#include "kit/foundation/ProcessIdentity.h"

#include <filesystem>

namespace host {

// What every simulated app's process does as it starts: it takes its
// identity, finds its files in the device root (made when the root lacks
// the user's folders), starts a fresh virtual clock, and has no finger on
// its screen. One app a process: kit's state is the process's.
void startAppProcess(kit::ProcessIdentity, const std::filesystem::path& deviceRoot);

}
