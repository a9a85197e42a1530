#include "HostCameraTestSupport.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIView.h"

#include <algorithm>
#include <random>

namespace hosttest {

void HostCameraTest::SetUp()
{
    kit::RunLoop::main().resetWithVirtualClock();
    std::random_device random;
    m_root = std::filesystem::temp_directory_path() / ("host-camera-" + std::to_string(random()));
    std::filesystem::create_directories(m_root);
}

void HostCameraTest::TearDown()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

std::unique_ptr<host::Phone> HostCameraTest::startPhone(const std::string& model)
{
    return startPhone(model, false);
}

std::unique_ptr<host::Phone> HostCameraTest::startPhone(const std::string& model, bool loadExtension)
{
    return startPhone(model, loadExtension, {});
}

std::unique_ptr<host::Phone> HostCameraTest::startPhone(const std::string& model, hardware::SceneChoice scene)
{
    return startPhone(model, false, std::move(scene));
}

std::unique_ptr<host::Phone> HostCameraTest::startPhone(
    const std::string& model, bool loadExtension, hardware::SceneChoice scene)
{
    host::PhoneOptions options;
    options.model = model;
    options.deviceRoot = m_root;
    options.loadExtension = loadExtension;
    options.scene = std::move(scene);
    options.eventLog = [log = m_log](const std::string& line) { log->push_back(line); };
    auto started = host::Phone::start(std::move(options));
    if (auto* error = std::get_if<std::string>(&started)) {
        ADD_FAILURE() << *error;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<host::Phone>>(started));
}

std::vector<std::string> HostCameraTest::events() const
{
    std::vector<std::string> lines;
    for (const auto& line : *m_log)
        lines.push_back(line.substr(line.find(' ') + 1));
    return lines;
}

bool HostCameraTest::logged(const std::string& line) const
{
    auto lines = events();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool HostCameraTest::inOrder(const std::vector<std::string>& wanted) const
{
    auto lines = events();
    auto at = lines.begin();
    for (const auto& line : wanted) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end()) {
            ADD_FAILURE() << "not found in order: " << line;
            return false;
        }
        ++at;
    }
    return true;
}

}
