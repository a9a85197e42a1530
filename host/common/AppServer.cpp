#include "host/common/AppServer.h"

#include "host/common/ScreenDescription.h"
#include "host/common/ScreenQuery.h"
#include "host/common/ScreenTouches.h"

#include "kit/foundation/RunLoop.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIApplication.h"

#include <algorithm>

namespace host {

namespace {

// The limits a person's finger keeps: a press and a drag end within a day.
constexpr double longestTouch = 24 * 3600;

// A text on one protocol line: a line break inside it would end the line.
std::string oneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

bool isDuration(double seconds)
{
    return seconds >= 0 && seconds <= longestTouch;
}

AppAnswer performCommon(ServedApp& app, const AppCommand& command, std::FILE* out)
{
    const auto& name = command.name;
    auto& loop = kit::RunLoop::main();
    auto* application = kit::UIApplication::sharedApplication();
    if (name == "launch") {
        app.launch();
    } else if (name == "background") {
        app.background();
    } else if (name == "foreground") {
        app.foreground();
    } else if (name == "quit") {
        app.quit();
    } else if (name == "now") {
        return AppAnswer::ok(protocol::number(loop.now()));
    } else if (name == "advance") {
        auto n = command.numbers(1);
        if (!n || (*n)[0] < 0)
            return AppAnswer::badArguments(command);
        loop.advance((*n)[0]);
    } else if (name == "down" || name == "move" || name == "up" || name == "tap") {
        auto n = command.numbers(2);
        if (!n)
            return AppAnswer::badArguments(command);
        kit::CGPoint point { (*n)[0], (*n)[1] };
        if (name == "down") {
            application->touchDown(point);
        } else if (name == "move") {
            application->touchMove(point);
        } else if (name == "up") {
            application->touchUp(point);
            loop.runDue();
        } else {
            touches::tap(point);
        }
    } else if (name == "press") {
        auto n = command.numbers(3);
        if (!n || !isDuration((*n)[2]))
            return AppAnswer::badArguments(command);
        touches::press({ (*n)[0], (*n)[1] }, (*n)[2]);
    } else if (name == "drag") {
        auto n = command.numbers(5);
        if (!n || !isDuration((*n)[4]))
            return AppAnswer::badArguments(command);
        touches::drag({ (*n)[0], (*n)[1] }, { (*n)[2], (*n)[3] }, (*n)[4]);
    } else if (name == "tap-view" || name == "find-view") {
        auto view = command.viewName();
        if (!view)
            return AppAnswer::badArguments(command);
        auto& [className, tag] = *view;
        if (name == "find-view") {
            auto finding = findView(className, tag);
            return AppAnswer::ok((finding.visible ? "1 " : "0 ") + finding.seen);
        }
        auto* found = touches::frontMostView(className, tag);
        if (!found)
            return AppAnswer::error(
                "no visible " + className + (tag ? "#" + std::to_string(*tag) : std::string()) + " on screen");
        touches::tap(touches::screenPoint(found));
    } else if (name == "find-text") {
        if (command.rest.empty())
            return AppAnswer::badArguments(command);
        auto finding = findText(command.rest);
        return AppAnswer::ok((finding.visible ? "1 " : "0 ") + finding.seen);
    } else if (name == "screenshot") {
        if (command.rest.empty() || !app.screenshot(command.rest))
            return AppAnswer::error("cannot write " + command.rest);
    } else if (name == "describe") {
        if (command.rest.empty() || !describeScreen(command.rest))
            return AppAnswer::error("cannot write " + command.rest);
    } else if (name == "render") {
        const auto& image = app.renderScreen();
        std::fprintf(out, "image %d %d\n", image.width(), image.height());
        for (int row = 0; row < image.height(); ++row)
            std::fwrite(image.data() + size_t(row) * image.bytesPerRow(), 4, size_t(image.width()), out);
    } else {
        return AppAnswer::error("unknown command " + name);
    }
    return AppAnswer::ok();
}

}

void serveApp(ServedApp& app, std::FILE* in, std::FILE* out)
{
    // What happened goes before each answer, so the driver has it first;
    // the first answer brings what the app's start logged.
    auto answer = [&](const AppAnswer& reply) {
        for (auto& logged : kit::SystemLog::takeRecentLines())
            std::fprintf(out, "log %s\n", oneLine(logged).c_str());
        for (auto& event : app.takeEvents())
            std::fprintf(out, "event %s\n", oneLine(event).c_str());
        for (auto& notice : app.takeNotices())
            std::fprintf(out, "notice %s\n", oneLine(notice).c_str());
        if (reply.problem)
            std::fprintf(out, "error %s\n", oneLine(*reply.problem).c_str());
        else
            std::fprintf(out, "ok%s%s\n", reply.text.empty() ? "" : " ", oneLine(reply.text).c_str());
        std::fflush(out);
    };
    answer(AppAnswer::ok());
    while (auto line = protocol::readLine(in, true)) {
        auto command = AppCommand::parse(*line);
        auto own = app.perform(command);
        answer(own ? *own : performCommon(app, command, out));
        if (command.name == "quit")
            return;
    }
    app.quit();
}

void refuseToServe(const std::string& reason, std::FILE* out)
{
    std::fprintf(out, "error %s\n", oneLine(reason).c_str());
    std::fflush(out);
}

}
