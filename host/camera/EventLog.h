#pragma once

#include "kit/runtime/Types.h"

#include <functional>
#include <string>

namespace host {

// The record of a camera run: one line per host method the app sends through
// the runtime, and per notable outcome (a photo saved or not), each prefixed
// with the simulated time in seconds ("12.500 PLCameraView _shutterButtonClicked").
// The sink is process-wide because the app's objects send from everywhere;
// the phone installs it and clears it when it goes away.
class EventLog {
public:
    using Sink = std::function<void(const std::string&)>;

    static void setSink(Sink);
    static void clearSink();

    // "<time> <class of receiver> <selector>".
    static void message(kit::id receiver, const char* selector);
    // "<time> <text>".
    static void note(const std::string& text);
};

}
