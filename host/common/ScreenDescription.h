#pragma once

#include <filesystem>

namespace host {

// The view tree of every window of the process, front to back, as text
// (kit/ui/ViewTreeDescription.h), into a file; false when it cannot be
// written.
bool describeScreen(const std::filesystem::path& txt);

}
