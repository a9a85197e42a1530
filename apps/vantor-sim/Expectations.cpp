#include "Expectations.h"

#include "ScenarioSession.h"

#include "kit/foundation/PropertyListFile.h"
#include "kit/foundation/StringValues.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace sim {

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The value as the file holds it, in words, with its kind where the text
// alone would not say it.
std::string valueWords(const kit::PropertyList& value)
{
    if (auto* b = value.boolean())
        return *b ? "true" : "false";
    if (auto* i = value.integer())
        return std::to_string(*i);
    if (auto* r = value.real())
        return number(*r);
    if (auto* s = value.string())
        return quoted(*s);
    if (auto* d = value.data())
        return "data of " + std::to_string(d->size()) + " bytes";
    if (value.dictionary())
        return "a dictionary";
    return "an array or a date";
}

std::optional<std::string> failure(const command::Expect& expect, const std::string& found)
{
    return "expected " + expectedWords(expect) + "; found " + found;
}

}

std::string expectedWords(const command::Expect& expect)
{
    using Kind = command::Expect::Kind;
    switch (expect.kind) {
    case Kind::View: {
        auto name = expect.className + (expect.tag ? "#" + std::to_string(*expect.tag) : std::string());
        return (expect.negated ? "no visible " : "a visible ") + name;
    }
    case Kind::Text:
        return std::string(expect.negated ? "no visible" : "a visible") + " label or button with the text "
            + quoted(expect.text);
    case Kind::Photos:
        return std::to_string(expect.count) + (expect.count == 1 ? " photo" : " photos");
    case Kind::Movies:
        return std::to_string(expect.count) + (expect.count == 1 ? " movie" : " movies");
    case Kind::Setting:
        return expect.negated ? "no setting " + expect.key : "setting " + expect.key + " = " + expect.text;
    case Kind::Log:
        return "a line of events.log containing " + quoted(expect.text);
    }
    return {};
}

std::optional<std::string> checkScreen(const command::Expect& expect, const host::ScreenFinding& finding)
{
    if (finding.visible == !expect.negated)
        return std::nullopt;
    return failure(expect, finding.seen);
}

std::optional<std::string> checkCameraRoll(const command::Expect& expect, const fs::path& deviceRoot,
    const std::set<fs::path>& before)
{
    const char* extension = expect.kind == command::Expect::Kind::Photos ? ".jpg" : ".mov";
    int count = 0;
    for (auto& file : cameraRollFiles(deviceRoot))
        count += !before.count(file) && lowercase(file.extension().string()) == extension;
    if (count == expect.count)
        return std::nullopt;
    return failure(expect, std::to_string(count));
}

std::optional<std::string> checkSetting(const command::Expect& expect, const fs::path& settingsFile)
{
    std::error_code error;
    if (!fs::exists(settingsFile, error))
        return expect.negated ? std::nullopt : failure(expect, "no settings file");
    auto file = kit::readPropertyListFile(settingsFile);
    if (!file || !file->dictionary())
        return failure(expect, "a settings file that is not a property-list dictionary");
    auto it = file->dictionary()->find(expect.key);
    if (it == file->dictionary()->end())
        return expect.negated ? std::nullopt : failure(expect, "no such key");
    const auto& value = it->second;
    if (expect.negated)
        return failure(expect, valueWords(value));

    bool holds = false;
    if (auto* b = value.boolean()) {
        holds = expect.text == (*b ? "true" : "false");
    } else if (auto n = value.numberValue()) {
        auto expected = kit::finiteNumber(expect.text);
        holds = expected && *expected == *n;
    } else if (auto* s = value.string()) {
        holds = *s == expect.text;
    }
    if (holds)
        return std::nullopt;
    return failure(expect, valueWords(value));
}

std::optional<std::string> checkLog(const command::Expect& expect, const std::vector<std::string>& eventLines)
{
    for (auto& line : eventLines) {
        if (line.find(expect.text) != std::string::npos)
            return std::nullopt;
    }
    return failure(expect, "none among its " + std::to_string(eventLines.size()) + " lines");
}

}
