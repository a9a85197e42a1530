#include "host/settings/SettingsAppServer.h"

#include "host/settings/SettingsApp.h"

#include "host/common/ScreenQuery.h"

#include "kit/foundation/SystemLog.h"

#include <optional>
#include <sstream>
#include <vector>

namespace host {

namespace {

struct Answer {
    std::optional<std::string> problem;
    std::string text;
};

std::optional<std::string> readLine(std::FILE* in)
{
    std::string line;
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == '\n')
            return line;
        line.push_back(char(c));
    }
    if (line.empty())
        return std::nullopt;
    return line;
}

// The words of a line after its command, and the rest of the line as text.
struct Arguments {
    std::vector<std::string> words;
    std::string rest;
};

Arguments argumentsOf(const std::string& line, const std::string& command)
{
    Arguments arguments;
    arguments.rest = line.size() > command.size() ? line.substr(command.size() + 1) : std::string();
    std::istringstream stream(arguments.rest);
    for (std::string word; stream >> word;)
        arguments.words.push_back(word);
    return arguments;
}

std::optional<double> number(const std::string& text)
{
    try {
        size_t used = 0;
        double value = std::stod(text, &used);
        if (used == text.size())
            return value;
    } catch (...) {
    }
    return std::nullopt;
}

// The numbers of the arguments when there are exactly `count` of them.
std::optional<std::vector<double>> numbers(const Arguments& arguments, size_t count)
{
    if (arguments.words.size() != count)
        return std::nullopt;
    std::vector<double> values;
    for (auto& word : arguments.words) {
        auto value = number(word);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

Answer perform(SettingsApp& app, const std::string& command, const Arguments& arguments, std::FILE* out)
{
    auto bad = [&] { return Answer { "cannot read the arguments of " + command, {} }; };
    if (command == "launch") {
        app.launch();
    } else if (command == "background") {
        app.background();
    } else if (command == "foreground") {
        app.foreground();
    } else if (command == "quit") {
        app.quit();
    } else if (command == "back") {
        if (!app.back())
            return { std::string("there is no back button on the root list"), {} };
    } else if (command == "open") {
        return { app.openEntry(arguments.rest), {} };
    } else if (command == "now") {
        return { std::nullopt, std::to_string(app.now()) };
    } else if (command == "pages") {
        std::string titles;
        for (auto& title : app.pageTitles())
            titles += (titles.empty() ? "" : "\t") + title;
        return { std::nullopt, titles };
    } else if (command == "advance") {
        auto n = numbers(arguments, 1);
        if (!n)
            return bad();
        app.advance((*n)[0]);
    } else if (command == "down" || command == "move" || command == "up" || command == "tap") {
        auto n = numbers(arguments, 2);
        if (!n)
            return bad();
        kit::CGPoint point { (*n)[0], (*n)[1] };
        if (command == "down")
            app.touchDown(point);
        else if (command == "move")
            app.touchMove(point);
        else if (command == "up")
            app.touchUp(point);
        else
            app.tap(point);
    } else if (command == "drag") {
        auto n = numbers(arguments, 5);
        if (!n)
            return bad();
        app.drag({ (*n)[0], (*n)[1] }, { (*n)[2], (*n)[3] }, (*n)[4]);
    } else if (command == "tap-view") {
        if (arguments.words.empty() || arguments.words.size() > 2)
            return bad();
        std::optional<int> tag;
        if (arguments.words.size() == 2) {
            auto value = number(arguments.words[1]);
            if (!value)
                return bad();
            tag = int(*value);
        }
        return { app.tapView(arguments.words[0], tag), {} };
    } else if (command == "find-view" || command == "find-text") {
        std::optional<ScreenFinding> finding;
        if (command == "find-text" && !arguments.rest.empty()) {
            finding = findText(arguments.rest);
        } else if (command == "find-view" && (arguments.words.size() == 1 || arguments.words.size() == 2)) {
            std::optional<int> tag;
            if (arguments.words.size() == 2) {
                auto value = number(arguments.words[1]);
                if (!value)
                    return bad();
                tag = int(*value);
            }
            finding = findView(arguments.words[0], tag);
        }
        if (!finding)
            return bad();
        return { std::nullopt, (finding->visible ? "1 " : "0 ") + finding->seen };
    } else if (command == "tap-control") {
        if (arguments.words.size() != 1)
            return bad();
        return { app.tapControl(arguments.words[0]), {} };
    } else if (command == "tap-outlet") {
        if (arguments.words.size() != 3)
            return bad();
        auto fx = number(arguments.words[1]);
        auto fy = number(arguments.words[2]);
        if (!fx || !fy)
            return bad();
        return { app.tapOutlet(arguments.words[0], *fx, *fy), {} };
    } else if (command == "tap-cell") {
        if (arguments.rest.empty())
            return bad();
        return { app.tapCell(arguments.rest), {} };
    } else if (command == "screenshot") {
        if (!app.screenshot(arguments.rest))
            return { "cannot write " + arguments.rest, {} };
    } else if (command == "describe") {
        if (!app.describe(arguments.rest))
            return { "cannot write " + arguments.rest, {} };
    } else if (command == "render") {
        const auto& image = app.renderScreen();
        std::fprintf(out, "image %d %d\n", image.width(), image.height());
        for (int row = 0; row < image.height(); ++row)
            std::fwrite(image.data() + size_t(row) * image.bytesPerRow(), 4, size_t(image.width()), out);
    } else {
        return { "unknown command " + command, {} };
    }
    return {};
}

}

int serveSettingsApp(const std::string& model, const std::filesystem::path& deviceRoot, std::FILE* in, std::FILE* out)
{
    auto started = SettingsApp::start(model, deviceRoot);
    if (auto* problem = std::get_if<std::string>(&started)) {
        std::fprintf(out, "error %s\n", problem->c_str());
        std::fflush(out);
        return 1;
    }
    auto& app = *std::get<std::unique_ptr<SettingsApp>>(started);
    std::fprintf(out, "ok\n");
    std::fflush(out);
    kit::SystemLog::clearRecentLines();
    while (auto line = readLine(in)) {
        std::string command = line->substr(0, line->find(' '));
        auto answer = perform(app, command, argumentsOf(*line, command), out);
        // The lines go first, so the home screen has them before the answer.
        for (auto& logged : kit::SystemLog::takeRecentLines())
            std::fprintf(out, "log %s\n", logged.c_str());
        if (answer.problem)
            std::fprintf(out, "error %s\n", answer.problem->c_str());
        else
            std::fprintf(out, "ok%s%s\n", answer.text.empty() ? "" : " ", answer.text.c_str());
        std::fflush(out);
        if (command == "quit")
            break;
    }
    app.quit();
    return 0;
}

}
