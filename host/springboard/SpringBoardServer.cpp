#include "host/springboard/SpringBoardServer.h"

#include "host/camera/CameraCommands.h"
#include "host/common/AppServer.h"

#include <memory>
#include <utility>
#include <vector>

namespace host {

namespace {

// The home screen as its process serves it.
class ServedSpringBoard final : public ServedApp {
public:
    // `events` fills with the event record's lines as they are written.
    ServedSpringBoard(SpringBoard& springBoard, std::shared_ptr<std::vector<std::string>> events)
        : m_springBoard(springBoard)
        , m_events(std::move(events))
    {
        m_springBoard.onScreenChange = [this](SpringBoard::Screen screen) {
            m_notices.push_back(std::string("screen ") + nameOf(screen));
        };
        m_springBoard.onOpenApplication = [this](const std::string& app) { m_notices.push_back("open " + app); };
    }

    // It has no launch of its own: it is there from the start.
    void launch() override { }
    void background() override { m_springBoard.appCameToFront(); }
    void foreground() override { m_springBoard.pressHomeButton(); }
    void quit() override { m_springBoard.quit(); }
    const kit::CGImage& renderScreen() override { return m_springBoard.renderScreen(); }
    bool screenshot(const std::filesystem::path& png) override { return m_springBoard.screenshot(png); }

    std::optional<AppAnswer> perform(const AppCommand& command) override
    {
        const auto& name = command.name;
        if (name == "lock") {
            m_springBoard.pressSideButton();
        } else if (name == "home") {
            m_springBoard.pressHomeButton();
        } else if (name == "unlock") {
            return AppAnswer { m_springBoard.slideToUnlock(), {} };
        } else if (name == "lock-camera") {
            return AppAnswer { m_springBoard.swipeCameraGrabberUp(), {} };
        } else if (name == "gravity") {
            auto g = command.numbers(3);
            if (!g)
                return AppAnswer::badArguments(command);
            m_springBoard.reportGravity((*g)[0], (*g)[1], (*g)[2]);
        } else if (name == "light") {
            if (command.words.size() == 1 && command.words[0] == "auto") {
                m_springBoard.setLight(std::nullopt);
            } else {
                auto light = command.numbers(2);
                if (!light)
                    return AppAnswer::badArguments(command);
                m_springBoard.setLight(hardware::LightSetting { (*light)[0], (*light)[1] });
            }
        } else {
            return performCameraCommand(m_springBoard.camera(), command);
        }
        return AppAnswer::ok();
    }

    std::vector<std::string> takeEvents() override { return std::exchange(*m_events, {}); }
    std::vector<std::string> takeNotices() override { return std::exchange(m_notices, {}); }

private:
    SpringBoard& m_springBoard;
    std::shared_ptr<std::vector<std::string>> m_events;
    std::vector<std::string> m_notices;
};

}

int serveSpringBoard(SpringBoardOptions options, std::FILE* in, std::FILE* out)
{
    // The event record is kept from the start: the loader's word comes first.
    auto events = std::make_shared<std::vector<std::string>>();
    options.eventLog = [events](const std::string& line) { events->push_back(line); };
    auto started = SpringBoard::start(std::move(options));
    if (auto* problem = std::get_if<std::string>(&started)) {
        refuseToServe(*problem, out);
        return 1;
    }
    ServedSpringBoard served(*std::get<std::unique_ptr<SpringBoard>>(started), events);
    serveApp(served, in, out);
    return 0;
}

}
