#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace host {

// The Settings app's side of the line protocol over which vantor-sim drives
// it in its own process: every app's commands (host/common/AppServer.h) and
// the Settings app's own:
//
//   back | pages                the back button; the page titles, root first,
//                               answered after "ok" separated by tabs
//   open [NAME]                 the entry with that label or bundle name
//   tap-control SELECTOR | tap-outlet FIELD FX FY
//   tap-cell TEXT               the front table's cell with that text (the rest of the line)
//
// An unknown model or a missing device root is answered "error REASON",
// and the program ends.
int serveSettingsApp(const std::string& model, const std::filesystem::path& deviceRoot, std::FILE* in, std::FILE* out);

}
