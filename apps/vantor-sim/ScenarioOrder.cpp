#include "ScenarioOrder.h"

#include "ScenarioSession.h"

#include "kit/media/DeviceProfile.h"

namespace sim {

namespace {

std::string named(const Command& command, const std::string& why)
{
    return std::string(commandName(command)) + " " + why;
}

// `settings` and `camera` start their app when it is not running yet; `lock`
// and `home` start the home screen.
bool startsApp(const Command& command)
{
    using namespace command;
    return isCommand<Settings, CameraToFront, Lock, Home>(command);
}

// The light on the scene is the world's: it may be set before the launch
// and whichever app is in front.
bool isForTheWorld(const Command& command)
{
    return isCommand<command::Light>(command);
}

// Expectations of the screen look at the app in front; the others read
// files and the log, which are there before the launch and after quit.
bool looksAtScreen(const Command& command)
{
    auto* expect = std::get_if<command::Expect>(&command);
    return expect && (expect->kind == command::Expect::Kind::View || expect->kind == command::Expect::Kind::Text);
}

bool needsRunningApp(const Command& command)
{
    using namespace command;
    if (isCommand<Expect>(command))
        return looksAtScreen(command);
    return !isCommand<Device, Setting, Launch>(command) && !startsApp(command) && !isForTheWorld(command);
}

bool mayComeAnywhere(const Command& command)
{
    return isCommand<command::Expect>(command) && !looksAtScreen(command);
}

// What a person does to a camera only (the app's or the lock screen's), to
// the camera app only, and to the Settings app only.
bool isForCamera(const Command& command)
{
    using namespace command;
    return isCommand<LongPress, Swipe, Shutter, Volume, Mode, Camera, Filters, MemoryWarning>(command);
}

bool isForCameraApp(const Command& command)
{
    using namespace command;
    return isCommand<Background, Foreground>(command);
}

bool isForSettings(const Command& command)
{
    using namespace command;
    return isCommand<Back, TapControl, TapOutlet, TapCell>(command);
}

bool isLocked(Front front)
{
    return front == Front::LockScreen || front == Front::LockCamera;
}

// What a line brings to the front; `beforeLock` is what the side button sent
// away, which unlocking brings back. Before any app runs, a phone shows its
// home screen.
struct Phone {
    Front front { Front::HomeScreen };
    std::optional<Front> beforeLock;

    void follow(const Command& command)
    {
        using namespace command;
        if (isCommand<Launch, CameraToFront>(command)) {
            front = Front::Camera;
        } else if (isCommand<Settings>(command)) {
            front = Front::Settings;
        } else if (isCommand<Lock>(command)) {
            if (front == Front::Camera || front == Front::Settings || front == Front::Unknown)
                beforeLock = front;
            else if (front == Front::HomeScreen)
                beforeLock.reset();
            front = Front::LockScreen;
        } else if (isCommand<Home>(command)) {
            if (front == Front::LockCamera)
                front = Front::LockScreen;
            else if (front != Front::LockScreen && front != Front::Unknown)
                front = Front::HomeScreen;
        } else if (isCommand<Unlock>(command)) {
            front = beforeLock.value_or(Front::HomeScreen);
            beforeLock.reset();
        } else if (isCommand<LockCamera>(command)) {
            front = Front::LockCamera;
        } else if (isCommand<Tap, TapView, Drag>(command)) {
            // A finger on the home screen's own screens may unlock the
            // phone, open or close the camera, or open an app.
            if (front == Front::LockScreen || front == Front::LockCamera || front == Front::HomeScreen)
                front = Front::Unknown;
        }
    }
};

}

std::optional<std::string> frontProblem(const Command& command, Front front)
{
    using namespace command;
    if (front == Front::Unknown)
        return std::nullopt;
    if (isForSettings(command) && front != Front::Settings)
        return named(command, "needs the Settings app in front: put settings before it");
    if (isForCameraApp(command) && front != Front::Camera)
        return named(command, "needs the camera app in front: put camera before it");
    if (isForCamera(command) && front != Front::Camera && front != Front::LockCamera)
        return named(command,
            front == Front::LockScreen ? "needs the camera in front: put lock-camera before it"
                                       : "needs the camera in front: put camera before it");
    if (isCommand<Settings, CameraToFront>(command) && isLocked(front))
        return named(command, "needs the phone unlocked: put unlock before it");
    if (isCommand<Unlock>(command) && front == Front::LockCamera)
        return named(command, "needs the lock screen in front: home or lock closes the camera first");
    if (isCommand<LockCamera>(command) && front == Front::LockCamera)
        return named(command, "needs the lock screen in front: its camera is open already");
    if (isCommand<Unlock, LockCamera>(command) && front != Front::LockScreen)
        return named(command, "needs the phone locked: put lock before it");
    return std::nullopt;
}

std::optional<ScenarioError> checkOrder(const Scenario& scenario)
{
    enum class Stage { BeforeLaunch, Running, Quit } stage = Stage::BeforeLaunch;
    Phone phone;
    for (auto& line : scenario.lines) {
        auto fail = [&](const std::string& why) {
            return ScenarioError { line.number, "line " + std::to_string(line.number) + ": " + why };
        };
        const auto& command = line.command;
        if (mayComeAnywhere(command))
            continue;
        if (stage == Stage::Quit)
            return fail(named(command, "comes after quit"));
        if (auto* device = std::get_if<command::Device>(&command); device && !kit::DeviceProfile::forModel(device->model))
            return fail("unknown device model \"" + device->model + "\"");
        if (stage == Stage::Running && isCommand<command::Launch>(command))
            return fail("launch comes once, before any app runs: camera brings the camera to the front");
        if (stage == Stage::Running && !needsRunningApp(command) && !startsApp(command) && !isForTheWorld(command))
            return fail(named(command, "must come before launch"));
        if (stage == Stage::BeforeLaunch && isCommand<command::Unlock, command::LockCamera>(command))
            return fail(named(command, "needs the phone locked: put lock before it"));
        if (stage == Stage::BeforeLaunch && needsRunningApp(command) && !isCommand<command::Quit>(command))
            return fail(named(command, "needs the camera running: put launch before it"));
        if (stage == Stage::Running) {
            if (auto problem = frontProblem(command, phone.front))
                return fail(*problem);
        }
        if (isCommand<command::Launch>(command) || startsApp(command))
            stage = Stage::Running;
        else if (isCommand<command::Quit>(command))
            stage = Stage::Quit;
        phone.follow(command);
    }
    return std::nullopt;
}

}
