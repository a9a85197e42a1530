#include "host/camera/CameraCommands.h"

#include "host/camera/CameraScreen.h"

#include "kit/media/DeviceProfile.h"

namespace host {

namespace {

std::optional<SwipeDirection> directionNamed(const std::string& word)
{
    if (word == "up")
        return SwipeDirection::Up;
    if (word == "down")
        return SwipeDirection::Down;
    if (word == "left")
        return SwipeDirection::Left;
    if (word == "right")
        return SwipeDirection::Right;
    return std::nullopt;
}

bool isCameraCommand(const std::string& name)
{
    for (const char* known : { "shutter", "volume", "swipe", "pinch", "mode", "camera-device", "filters" }) {
        if (name == known)
            return true;
    }
    return false;
}

}

std::optional<AppAnswer> performCameraCommand(CameraScreen* camera, const AppCommand& command)
{
    const auto& name = command.name;
    if (name == "memory-warning") {
        CameraScreen::memoryWarning();
        return AppAnswer::ok();
    }
    if (!isCameraCommand(name))
        return std::nullopt;
    if (!camera)
        return AppAnswer::error(name + " needs a camera in front");
    const auto& model = camera->capabilities().profile().model;
    if (name == "shutter") {
        camera->pressShutter();
    } else if (name == "volume") {
        if (command.words.size() != 1 || (command.words[0] != "up" && command.words[0] != "down"))
            return AppAnswer::badArguments(command);
        camera->pressVolume(command.words[0] == "up");
    } else if (name == "swipe") {
        auto direction = command.words.size() == 1 ? directionNamed(command.words[0]) : std::nullopt;
        if (!direction)
            return AppAnswer::badArguments(command);
        camera->swipe(*direction);
    } else if (name == "pinch") {
        auto scale = command.numbers(1);
        if (!scale || (*scale)[0] <= 0)
            return AppAnswer::badArguments(command);
        camera->pinch((*scale)[0]);
    } else if (name == "mode" || name == "camera-device") {
        auto value = command.numbers(1);
        if (!value)
            return AppAnswer::badArguments(command);
        int number = int((*value)[0]);
        if (name == "mode" && !camera->setCameraMode(number))
            return AppAnswer::error(model + " has no such camera mode");
        if (name == "camera-device" && !camera->setCameraDevice(number))
            return AppAnswer::error(model + " has no such camera");
    } else if (name == "filters") {
        if (command.words.size() != 1 || (command.words[0] != "on" && command.words[0] != "off"))
            return AppAnswer::badArguments(command);
        camera->setFiltersShowing(command.words[0] == "on");
    }
    return AppAnswer::ok();
}

}
