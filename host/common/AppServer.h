#pragma once

#include "host/common/AppProtocol.h"

#include "kit/ui/CGImage.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace host {

// An app as its process serves it over the line protocol (AppProtocol.h).
// The server itself answers what every app's screen takes, on the process's
// main run loop, screen and windows:
//
//   launch | background | foreground | quit | now | render
//   advance SECONDS
//   down X Y | move X Y | up X Y | tap X Y | press X Y SECONDS
//   drag X1 Y1 X2 Y2 SECONDS    a finger moving in 1/60 s steps
//   tap-view CLASS [TAG]        the front-most shown view of exactly that class
//   find-view CLASS [TAG]       "ok 1 WHAT" when a visible one is there,
//   find-text TEXT              "ok 0 WHAT WAS THERE" when not (ScreenQuery.h)
//   screenshot PATH             a PNG
//   describe PATH               the view tree of its windows, as text
//
// `now` answers "ok SECONDS". Everything else is the app's own.
class ServedApp {
public:
    virtual ~ServedApp() = default;

    virtual void launch() = 0;
    virtual void background() = 0;
    virtual void foreground() = 0;
    virtual void quit() = 0;
    // Its screen as it looks now.
    virtual const kit::CGImage& renderScreen() = 0;
    virtual bool screenshot(const std::filesystem::path& png) = 0;

    // The app's own commands: nothing when the command is not one of them.
    virtual std::optional<AppAnswer> perform(const AppCommand&) { return std::nullopt; }
    // What its driver must hear of since the last call, oldest first: the
    // lines of its event record, and its notices.
    virtual std::vector<std::string> takeEvents() { return {}; }
    virtual std::vector<std::string> takeNotices() { return {}; }
};

// Reads commands from `in` until `quit` or the end of input, answering each
// on `out`; the app has quit when it returns. Before the first command it
// answers "ok", after what the app's start logged, to say the app is there.
void serveApp(ServedApp&, std::FILE* in, std::FILE* out);

// A program's start-up failure, as the protocol tells it: "error REASON".
void refuseToServe(const std::string& reason, std::FILE* out);

}
