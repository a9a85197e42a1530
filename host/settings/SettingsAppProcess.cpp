#include "host/settings/SettingsAppProcess.h"

#include "host/common/AppProtocol.h"

namespace host {

std::variant<std::unique_ptr<SettingsAppProcess>, std::string> SettingsAppProcess::start(Options options)
{
    std::unique_ptr<SettingsAppProcess> process(new SettingsAppProcess());
    if (auto problem = AppProcess::start(*process, "the Settings app", std::move(options)))
        return *problem;
    return process;
}

std::optional<std::string> SettingsAppProcess::tapOutlet(const std::string& field, double fx, double fy)
{
    return send("tap-outlet " + field + " " + protocol::number(fx) + " " + protocol::number(fy));
}

std::vector<std::string> SettingsAppProcess::pageTitles()
{
    std::string text;
    std::vector<std::string> titles;
    if (send("pages", &text) || text.empty())
        return titles;
    size_t start = 0;
    while (true) {
        size_t tab = text.find('\t', start);
        titles.push_back(text.substr(start, tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return titles;
}

}
