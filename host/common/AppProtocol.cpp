#include "host/common/AppProtocol.h"

#include "kit/foundation/StringValues.h"

#include <cmath>
#include <sstream>

namespace host {

namespace protocol {

std::optional<std::string> readLine(std::FILE* in, bool partialLastLine)
{
    std::string line;
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == '\n')
            return line;
        line.push_back(char(c));
    }
    if (!partialLastLine || line.empty())
        return std::nullopt;
    return line;
}

std::string number(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    return buffer;
}

}


AppCommand AppCommand::parse(const std::string& line)
{
    AppCommand command;
    auto space = line.find(' ');
    command.name = line.substr(0, space);
    command.rest = space == std::string::npos ? std::string() : line.substr(space + 1);
    std::istringstream stream(command.rest);
    for (std::string word; stream >> word;)
        command.words.push_back(word);
    return command;
}

std::optional<double> AppCommand::number(size_t index) const
{
    return index < words.size() ? kit::finiteNumber(words[index]) : std::nullopt;
}

std::optional<std::vector<double>> AppCommand::numbers(size_t count) const
{
    if (words.size() != count)
        return std::nullopt;
    std::vector<double> values;
    for (size_t i = 0; i < count; ++i) {
        auto value = number(i);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

std::optional<std::pair<std::string, std::optional<int>>> AppCommand::viewName() const
{
    if (words.empty() || words.size() > 2)
        return std::nullopt;
    std::optional<int> tag;
    if (words.size() == 2) {
        auto value = number(1);
        if (!value || *value != std::floor(*value) || std::fabs(*value) > 1e9)
            return std::nullopt;
        tag = int(*value);
    }
    return std::pair { words[0], tag };
}

AppAnswer AppAnswer::badArguments(const AppCommand& command)
{
    return error("cannot read the arguments of " + command.name);
}

}
