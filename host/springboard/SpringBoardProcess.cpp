#include "host/springboard/SpringBoardProcess.h"

#include "host/common/AppProtocol.h"

namespace host {

std::variant<std::unique_ptr<SpringBoardProcess>, std::string> SpringBoardProcess::start(Options options)
{
    std::unique_ptr<SpringBoardProcess> process(new SpringBoardProcess());
    auto* handle = process.get();
    options.noticeSink = [handle, passOn = std::move(options.noticeSink)](const std::string& line) {
        handle->notice(line);
        if (passOn)
            passOn(line);
    };
    if (auto problem = AppProcess::start(*process, "the home screen", std::move(options)))
        return *problem;
    return process;
}

void SpringBoardProcess::notice(const std::string& line)
{
    if (line.starts_with("screen ")) {
        if (auto screen = springBoardScreenNamed(line.substr(7)))
            m_screen = *screen;
    } else if (line.starts_with("open ")) {
        m_openRequests.push_back(line.substr(5));
    }
}

std::optional<std::string> SpringBoardProcess::gravity(double x, double y, double z)
{
    return send("gravity " + protocol::number(x) + " " + protocol::number(y) + " " + protocol::number(z));
}

std::optional<std::string> SpringBoardProcess::light(double kelvin, double stops)
{
    return send("light " + protocol::number(kelvin) + " " + protocol::number(stops));
}

std::optional<std::string> SpringBoardProcess::pinch(double scale)
{
    return send("pinch " + protocol::number(scale));
}

}
