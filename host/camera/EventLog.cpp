#include "host/camera/EventLog.h"

#include "kit/foundation/RunLoop.h"
#include "kit/runtime/Object.h"

#include <cstdio>

namespace host {

namespace {

EventLog::Sink& sink()
{
    static EventLog::Sink instance;
    return instance;
}

std::string stamped(const std::string& text)
{
    char time[32];
    std::snprintf(time, sizeof time, "%.3f ", kit::RunLoop::main().now());
    return time + text;
}

}

void EventLog::setSink(Sink newSink)
{
    sink() = std::move(newSink);
}

void EventLog::clearSink()
{
    sink() = nullptr;
}

void EventLog::message(kit::id receiver, const char* selector)
{
    if (!sink() || !receiver)
        return;
    note(std::string(receiver->className()) + " " + selector);
}

void EventLog::note(const std::string& text)
{
    // Copied so that a sink which replaces itself while writing stays alive.
    if (auto current = sink())
        current(stamped(text));
}

}
