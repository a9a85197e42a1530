#include "Scenario.h"

#include "kit/foundation/StringValues.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace sim {

namespace {

std::vector<std::string> words(std::string_view line)
{
    std::vector<std::string> result;
    std::istringstream in { std::string(line) };
    for (std::string w; in >> w;)
        result.push_back(w);
    return result;
}

std::optional<double> number(const std::string& text)
{
    return kit::finiteNumber(text);
}

std::optional<int> integer(const std::string& text)
{
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The rest of the line after its first `count` words, without the spaces
// around it: a text that may hold spaces of its own.
std::string restOfLine(std::string_view line, const std::vector<std::string>& w, size_t count)
{
    size_t at = 0;
    for (size_t i = 0; i < count && i < w.size(); ++i)
        at = line.find(w[i], at) + w[i].size();
    auto start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos)
        return {};
    auto end = line.find_last_not_of(" \t");
    return std::string(line.substr(start, end + 1 - start));
}

// Reads the line's arguments as numbers: required ones, then optional ones.
// Not-a-number and infinity are refused (number() reads neither).
std::optional<std::vector<double>> numbers(const std::vector<std::string>& w, size_t required, size_t optional)
{
    size_t given = w.size() - 1;
    if (given < required || given > required + optional)
        return std::nullopt;
    std::vector<double> values;
    for (size_t i = 1; i < w.size(); ++i) {
        auto v = number(w[i]);
        if (!v)
            return std::nullopt;
        values.push_back(*v);
    }
    return values;
}

// A duration in seconds, at most `longest`: above zero where a zero time makes
// no sense (a press, a drag), or zero too (a wait). Longer times are refused
// because the clock must stay fine enough to move by a fraction of a second.
bool isDuration(double seconds, double longest, bool zeroAllowed)
{
    return (zeroAllowed ? seconds >= 0 : seconds > 0) && seconds <= longest;
}

template <typename T>
std::optional<T> choice(const std::vector<std::string>& w, std::initializer_list<std::pair<const char*, T>> options)
{
    if (w.size() != 2)
        return std::nullopt;
    for (auto& [name, value] : options) {
        if (w[1] == name)
            return value;
    }
    return std::nullopt;
}

// What each command expects, for the error message.
struct Usage {
    const char* name;
    const char* expects;
};
constexpr Usage kUsages[] = {
    { "device", "MODEL" },
    { "setting", "KEY bool|int|string VALUE" },
    { "launch", "nothing" },
    { "tap", "X Y (finite numbers)" },
    { "tap-view", "CLASS or CLASS#TAG" },
    { "longpress", "X Y [SECONDS] (finite numbers; seconds above 0, at most 604800, a week)" },
    { "drag", "X1 Y1 X2 Y2 [SECONDS] (finite numbers; seconds above 0, at most 60)" },
    { "swipe", "up|down|left|right" },
    { "shutter", "nothing" },
    { "volume", "up|down" },
    { "mode", "photo|video|slomo|pano|square" },
    { "camera", "nothing, back or front" },
    { "rotate", "portrait|upside-down|landscape-left|landscape-right|face-up|face-down" },
    { "gravity", "X Y Z (finite numbers)" },
    { "filters", "on|off" },
    { "wait", "SECONDS (a number from 0 to 604800, a week)" },
    { "background", "nothing" },
    { "foreground", "nothing" },
    { "memory-warning", "nothing" },
    { "screenshot", "NAME.png (a file name, no folders)" },
    { "describe", "NAME.txt (a file name, no folders)" },
    { "quit", "nothing" },
    { "settings", "nothing" },
    { "back", "nothing" },
    { "tap-control", "SELECTOR" },
    { "tap-outlet", "FIELD [FX FY] (fractions from 0 to 1)" },
    { "tap-cell", "TEXT (the rest of the line)" },
    { "light", "KELVIN [STOPS] (1500 to 15000; -10 to 10) or auto" },
    { "lock", "nothing" },
    { "unlock", "nothing" },
    { "lock-camera", "nothing" },
    { "home", "nothing" },
    { "expect",
        "view CLASS[#TAG], no view CLASS[#TAG], text TEXT, no text TEXT, photos N, movies N (whole numbers from 0), "
        "setting KEY VALUE, no setting KEY (KEY one word), or log TEXT" },
};

const char* expectation(const std::string& name)
{
    for (auto& usage : kUsages) {
        if (name == usage.name)
            return usage.expects;
    }
    return nullptr;
}

std::optional<Command> parseSetting(std::string_view line, const std::vector<std::string>& w)
{
    if (w.size() < 4)
        return std::nullopt;
    command::Setting setting;
    setting.key = w[1];
    // A string value is the rest of the line after its kind, spaces and all.
    setting.text = restOfLine(line, w, 3);
    if (w[2] == "bool") {
        if (w.size() != 4)
            return std::nullopt;
        setting.kind = command::Setting::Kind::Bool;
        if (w[3] == "true" || w[3] == "yes" || w[3] == "1")
            setting.boolValue = true;
        else if (w[3] == "false" || w[3] == "no" || w[3] == "0")
            setting.boolValue = false;
        else
            return std::nullopt;
    } else if (w[2] == "int") {
        auto value = w.size() == 4 ? integer(w[3]) : std::nullopt;
        if (!value)
            return std::nullopt;
        setting.kind = command::Setting::Kind::Int;
        setting.intValue = *value;
    } else if (w[2] == "string") {
        setting.kind = command::Setting::Kind::String;
    } else {
        return std::nullopt;
    }
    return setting;
}

// CLASS or CLASS#TAG.
std::optional<command::TapView> viewName(const std::string& word)
{
    if (word.empty() || word[0] == '#')
        return std::nullopt;
    command::TapView view;
    auto hash = word.find('#');
    view.className = word.substr(0, hash);
    if (hash != std::string::npos) {
        view.tag = integer(word.substr(hash + 1));
        if (!view.tag)
            return std::nullopt;
    }
    return view;
}

std::optional<Command> parseTapView(const std::vector<std::string>& w)
{
    if (w.size() != 2)
        return std::nullopt;
    auto view = viewName(w[1]);
    return view ? std::optional<Command>(*view) : std::nullopt;
}

// The one word after the command: a file name in the output folder, with
// the extension given, no folders, not hidden.
std::optional<std::string> outputFileName(const std::vector<std::string>& w, std::string_view extension)
{
    if (w.size() != 2)
        return std::nullopt;
    const std::string& name = w[1];
    bool plainName = name.find('/') == std::string::npos && name.size() > extension.size() && name[0] != '.'
        && name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
    if (!plainName)
        return std::nullopt;
    return name;
}

std::optional<Command> parseTapOutlet(const std::vector<std::string>& w)
{
    if (w.size() != 2 && w.size() != 4)
        return std::nullopt;
    command::TapOutlet tap { w[1] };
    if (w.size() == 4) {
        auto fx = number(w[2]);
        auto fy = number(w[3]);
        if (!fx || !fy || *fx < 0 || *fx > 1 || *fy < 0 || *fy > 1)
            return std::nullopt;
        tap.fx = *fx;
        tap.fy = *fy;
    }
    return tap;
}

// The rest of the line after the command is the cell's text.
std::optional<Command> parseTapCell(std::string_view line, const std::vector<std::string>& w)
{
    if (w.size() < 2)
        return std::nullopt;
    return command::TapCell { restOfLine(line, w, 1) };
}

// expect [no] view CLASS[#TAG] | [no] text TEXT | photos N | movies N |
// setting KEY VALUE | no setting KEY | log TEXT
std::optional<Command> parseExpect(std::string_view line, const std::vector<std::string>& w)
{
    using Kind = command::Expect::Kind;
    command::Expect expect;
    size_t at = 1;
    if (w.size() > at && w[at] == "no") {
        expect.negated = true;
        ++at;
    }
    if (w.size() <= at + 1)
        return std::nullopt;
    const std::string& kind = w[at];
    size_t given = w.size() - at - 1;
    if (kind == "view") {
        auto view = given == 1 ? viewName(w[at + 1]) : std::nullopt;
        if (!view)
            return std::nullopt;
        expect.kind = Kind::View;
        expect.className = view->className;
        expect.tag = view->tag;
    } else if (kind == "text" || (kind == "log" && !expect.negated)) {
        expect.kind = kind == "text" ? Kind::Text : Kind::Log;
        expect.text = restOfLine(line, w, at + 1);
    } else if ((kind == "photos" || kind == "movies") && !expect.negated) {
        auto count = given == 1 ? integer(w[at + 1]) : std::nullopt;
        if (!count || *count < 0)
            return std::nullopt;
        expect.kind = kind == "photos" ? Kind::Photos : Kind::Movies;
        expect.count = *count;
    } else if (kind == "setting") {
        // A key is one word: a quoted key with spaces is no key of the file.
        const std::string& key = w[at + 1];
        if (key.find_first_of("\"'") != std::string::npos || (expect.negated ? given != 1 : given < 2))
            return std::nullopt;
        expect.kind = Kind::Setting;
        expect.key = key;
        if (!expect.negated)
            expect.text = restOfLine(line, w, at + 2);
    } else {
        return std::nullopt;
    }
    return expect;
}

std::optional<Command> parseLight(const std::vector<std::string>& w)
{
    if (w.size() == 2 && w[1] == "auto")
        return command::Light { true };
    auto v = numbers(w, 1, 1);
    if (!v)
        return std::nullopt;
    double kelvin = (*v)[0], stops = v->size() == 2 ? (*v)[1] : 0;
    if (kelvin < kLowestKelvin || kelvin > kHighestKelvin || std::fabs(stops) > kLightStopsRange)
        return std::nullopt;
    return command::Light { false, kelvin, stops };
}

std::optional<Command> parseCommand(std::string_view line, const std::vector<std::string>& w)
{
    using namespace command;
    const std::string& name = w[0];
    bool bare = w.size() == 1;
    if (name == "device")
        return w.size() == 2 ? std::optional<Command>(Device { w[1] }) : std::nullopt;
    if (name == "setting")
        return parseSetting(line, w);
    if (name == "launch")
        return bare ? std::optional<Command>(Launch {}) : std::nullopt;
    if (name == "tap") {
        auto v = numbers(w, 2, 0);
        return v ? std::optional<Command>(Tap { (*v)[0], (*v)[1] }) : std::nullopt;
    }
    if (name == "tap-view")
        return parseTapView(w);
    if (name == "longpress") {
        auto v = numbers(w, 2, 1);
        if (!v || (v->size() == 3 && !isDuration((*v)[2], kLongestWaitSeconds, false)))
            return std::nullopt;
        return LongPress { (*v)[0], (*v)[1], v->size() == 3 ? (*v)[2] : kDefaultLongPressSeconds };
    }
    if (name == "drag") {
        auto v = numbers(w, 4, 1);
        if (!v || (v->size() == 5 && !isDuration((*v)[4], kLongestDragSeconds, false)))
            return std::nullopt;
        return Drag { (*v)[0], (*v)[1], (*v)[2], (*v)[3], v->size() == 5 ? (*v)[4] : kDefaultDragSeconds };
    }
    if (name == "swipe") {
        using D = Swipe::Direction;
        auto d = choice<D>(w, { { "up", D::Up }, { "down", D::Down }, { "left", D::Left }, { "right", D::Right } });
        return d ? std::optional<Command>(Swipe { *d }) : std::nullopt;
    }
    if (name == "shutter")
        return bare ? std::optional<Command>(Shutter {}) : std::nullopt;
    if (name == "volume") {
        auto up = choice<bool>(w, { { "up", true }, { "down", false } });
        return up ? std::optional<Command>(Volume { *up }) : std::nullopt;
    }
    if (name == "mode") {
        auto m = choice<int>(w, { { "photo", 0 }, { "video", 1 }, { "slomo", 2 }, { "pano", 3 }, { "square", 4 } });
        return m ? std::optional<Command>(Mode { *m }) : std::nullopt;
    }
    if (name == "camera" && bare)
        return CameraToFront {};
    if (name == "camera") {
        auto c = choice<int>(w, { { "back", 0 }, { "front", 1 } });
        return c ? std::optional<Command>(Camera { *c }) : std::nullopt;
    }
    if (name == "rotate") {
        auto o = choice<int>(w, { { "portrait", 1 }, { "upside-down", 2 }, { "landscape-right", 3 },
                                    { "landscape-left", 4 }, { "face-up", 5 }, { "face-down", 6 } });
        return o ? std::optional<Command>(Rotate { *o }) : std::nullopt;
    }
    if (name == "gravity") {
        auto v = numbers(w, 3, 0);
        return v ? std::optional<Command>(Gravity { (*v)[0], (*v)[1], (*v)[2] }) : std::nullopt;
    }
    if (name == "filters") {
        auto on = choice<bool>(w, { { "on", true }, { "off", false } });
        return on ? std::optional<Command>(Filters { *on }) : std::nullopt;
    }
    if (name == "wait") {
        auto v = numbers(w, 1, 0);
        if (!v || !isDuration((*v)[0], kLongestWaitSeconds, true))
            return std::nullopt;
        return Wait { (*v)[0] };
    }
    if (name == "background")
        return bare ? std::optional<Command>(Background {}) : std::nullopt;
    if (name == "foreground")
        return bare ? std::optional<Command>(Foreground {}) : std::nullopt;
    if (name == "memory-warning")
        return bare ? std::optional<Command>(MemoryWarning {}) : std::nullopt;
    if (name == "screenshot") {
        auto file = outputFileName(w, ".png");
        return file ? std::optional<Command>(Screenshot { *file }) : std::nullopt;
    }
    if (name == "describe") {
        auto file = outputFileName(w, ".txt");
        return file ? std::optional<Command>(Describe { *file }) : std::nullopt;
    }
    if (name == "quit")
        return bare ? std::optional<Command>(Quit {}) : std::nullopt;
    if (name == "settings")
        return bare ? std::optional<Command>(Settings {}) : std::nullopt;
    if (name == "back")
        return bare ? std::optional<Command>(Back {}) : std::nullopt;
    if (name == "tap-control")
        return w.size() == 2 ? std::optional<Command>(TapControl { w[1] }) : std::nullopt;
    if (name == "tap-outlet")
        return parseTapOutlet(w);
    if (name == "tap-cell")
        return parseTapCell(line, w);
    if (name == "light")
        return parseLight(w);
    if (name == "expect")
        return parseExpect(line, w);
    if (name == "lock")
        return bare ? std::optional<Command>(Lock {}) : std::nullopt;
    if (name == "unlock")
        return bare ? std::optional<Command>(Unlock {}) : std::nullopt;
    if (name == "lock-camera")
        return bare ? std::optional<Command>(LockCamera {}) : std::nullopt;
    if (name == "home")
        return bare ? std::optional<Command>(Home {}) : std::nullopt;
    return std::nullopt;
}

}

std::variant<Scenario, ScenarioError> Scenario::parse(std::string_view text)
{
    Scenario scenario;
    int number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        auto w = words(line);
        if (w.empty() || w[0][0] == '#')
            continue;
        auto command = parseCommand(line, w);
        if (!command) {
            std::string message = "line " + std::to_string(number) + ": ";
            if (const char* expects = expectation(w[0]))
                message += w[0] + " expects " + expects + ", got \"" + std::string(line) + "\"";
            else
                message += "unknown command \"" + w[0] + "\"";
            return ScenarioError { number, message };
        }
        scenario.lines.push_back({ number, std::move(*command) });
    }
    return scenario;
}

}
