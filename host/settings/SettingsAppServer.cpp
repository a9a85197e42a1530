#include "host/settings/SettingsAppServer.h"

#include "host/common/AppServer.h"
#include "host/settings/SettingsApp.h"

namespace host {

namespace {

// The Settings app as its process serves it.
class ServedSettingsApp final : public ServedApp {
public:
    explicit ServedSettingsApp(SettingsApp& app) : m_app(app) { }

    void launch() override { m_app.launch(); }
    void background() override { m_app.background(); }
    void foreground() override { m_app.foreground(); }
    void quit() override { m_app.quit(); }
    const kit::CGImage& renderScreen() override { return m_app.renderScreen(); }
    bool screenshot(const std::filesystem::path& png) override { return m_app.screenshot(png); }

    std::optional<AppAnswer> perform(const AppCommand& command) override
    {
        const auto& name = command.name;
        if (name == "back") {
            if (!m_app.back())
                return AppAnswer::error("there is no back button on the root list");
        } else if (name == "open") {
            return AppAnswer { m_app.openEntry(command.rest), {} };
        } else if (name == "pages") {
            std::string titles;
            for (auto& title : m_app.pageTitles())
                titles += (titles.empty() ? "" : "\t") + title;
            return AppAnswer::ok(titles);
        } else if (name == "tap-control") {
            if (command.words.size() != 1)
                return AppAnswer::badArguments(command);
            return AppAnswer { m_app.tapControl(command.words[0]), {} };
        } else if (name == "tap-outlet") {
            auto fx = command.number(1), fy = command.number(2);
            if (command.words.size() != 3 || !fx || !fy)
                return AppAnswer::badArguments(command);
            return AppAnswer { m_app.tapOutlet(command.words[0], *fx, *fy), {} };
        } else if (name == "tap-cell") {
            if (command.rest.empty())
                return AppAnswer::badArguments(command);
            return AppAnswer { m_app.tapCell(command.rest), {} };
        } else {
            return std::nullopt;
        }
        return AppAnswer::ok();
    }

private:
    SettingsApp& m_app;
};

}

int serveSettingsApp(const std::string& model, const std::filesystem::path& deviceRoot, std::FILE* in, std::FILE* out)
{
    auto started = SettingsApp::start(model, deviceRoot);
    if (auto* problem = std::get_if<std::string>(&started)) {
        refuseToServe(*problem, out);
        return 1;
    }
    ServedSettingsApp app(*std::get<std::unique_ptr<SettingsApp>>(started));
    serveApp(app, in, out);
    return 0;
}

}
