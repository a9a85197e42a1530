#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace host {

// The Settings app's side of the line protocol over which the home screen
// (vantor-sim) drives it in its own process. One command a line:
//
//   launch | background | foreground | quit | back | render | pages | now
//   open [NAME]                 the entry with that label or bundle name
//   advance SECONDS
//   down X Y | move X Y | up X Y | tap X Y | drag X1 Y1 X2 Y2 SECONDS
//   tap-view CLASS [TAG] | tap-control SELECTOR | tap-outlet FIELD FX FY
//   tap-cell TEXT               the front table's cell with that text (the rest of the line)
//   screenshot PATH             a PNG, written by the Settings app
//   describe PATH               the view tree of its windows, as text
//
// Each is answered by the log lines it wrote ("log LINE"), then "ok [TEXT]"
// or "error REASON". `render` answers "image WIDTH HEIGHT", that many
// pixels in kit's format (4 bytes each, rows without padding), then "ok";
// `now` answers "ok SECONDS"; `pages` answers "ok" and the page titles,
// root first, separated by tabs. End of input quits the app.
int serveSettingsApp(const std::string& model, const std::filesystem::path& deviceRoot, std::FILE* in, std::FILE* out);

}
