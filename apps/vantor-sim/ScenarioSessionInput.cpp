// ScenarioSession: what a person does to the app in front, a scenario's
// lines for each app and the window's mouse and keys.

#include "ScenarioSession.h"

#include "host/camera/DeviceOrientation.h"

#include <string_view>

namespace sim {

namespace fs = std::filesystem;

namespace {

host::SwipeDirection phoneDirection(command::Swipe::Direction direction)
{
    using D = command::Swipe::Direction;
    using P = host::SwipeDirection;
    switch (direction) {
    case D::Up:
        return P::Up;
    case D::Down:
        return P::Down;
    case D::Left:
        return P::Left;
    case D::Right:
        break;
    }
    return P::Right;
}

// The words the home screen's process takes for a swipe.
const char* directionWord(command::Swipe::Direction direction)
{
    using D = command::Swipe::Direction;
    switch (direction) {
    case D::Up:
        return "up";
    case D::Down:
        return "down";
    case D::Left:
        return "left";
    case D::Right:
        break;
    }
    return "right";
}

}

std::optional<std::string> ScenarioSession::touch(const char* phase, kit::CGPoint point)
{
    std::optional<std::string> problem;
    switch (m_front) {
    case App::Camera:
        if (std::string_view(phase) == "down")
            m_phone->touchDown(point);
        else if (std::string_view(phase) == "move")
            m_phone->touchMove(point);
        else
            m_phone->touchUp(point);
        break;
    case App::Settings:
        problem = m_settingsApp->touch(phase, point);
        break;
    case App::HomeScreen:
        problem = m_springBoard->touch(phase, point);
        if (!problem)
            problem = followHomeScreen();
        break;
    case App::None:
        break;
    }
    return problem;
}

const kit::CGImage* ScenarioSession::renderFront()
{
    switch (m_front) {
    case App::Camera:
        return &m_phone->renderScreen();
    case App::Settings:
        m_frame = m_settingsApp->renderScreen();
        break;
    case App::HomeScreen:
        m_frame = m_springBoard->renderScreen();
        break;
    case App::None:
        m_frame = nullptr;
        break;
    }
    return m_frame.get();
}

bool ScenarioSession::screenshot(const fs::path& png)
{
    switch (m_front) {
    case App::Camera:
        return m_phone->screenshot(png);
    case App::Settings:
        return !m_settingsApp->screenshot(png);
    case App::HomeScreen:
        return !m_springBoard->screenshot(png);
    case App::None:
        break;
    }
    return false;
}

void ScenarioSession::pressShutter()
{
    if (m_front == App::Camera)
        m_phone->pressShutter();
    else if (frontScreen() == Front::LockCamera)
        m_springBoard->shutter();
}

void ScenarioSession::pressVolume(bool up)
{
    if (m_front == App::Camera)
        m_phone->pressVolume(up);
    else if (frontScreen() == Front::LockCamera)
        m_springBoard->volume(up);
}

void ScenarioSession::pinch(double scale)
{
    if (m_front == App::Camera)
        m_phone->pinch(scale);
    else if (frontScreen() == Front::LockCamera)
        m_springBoard->pinch(scale);
}

void ScenarioSession::memoryWarning()
{
    if (m_front == App::Camera)
        m_phone->memoryWarning();
    else if (m_front == App::HomeScreen)
        m_springBoard->memoryWarning();
}

void ScenarioSession::setOrientation(int deviceOrientation)
{
    if (auto g = host::DeviceOrientation::gravityFor(deviceOrientation))
        hold(g->x, g->y, g->z);
}

void ScenarioSession::hold(double x, double y, double z)
{
    m_gravity = { x, y, z };
    if (m_phone)
        m_phone->setGravity(x, y, z);
    if (m_springBoard)
        m_springBoard->gravity(x, y, z);
}

std::optional<std::string> ScenarioSession::applyToCamera(const Command& c)
{
    using namespace command;
    if (auto* tap = std::get_if<Tap>(&c)) {
        m_phone->tap({ tap->x, tap->y });
    } else if (auto* tapView = std::get_if<TapView>(&c)) {
        if (!m_phone->tapView(tapView->className, tapView->tag))
            return "no visible " + tapView->className + (tapView->tag ? "#" + std::to_string(*tapView->tag) : std::string())
                + " on screen";
    } else if (auto* press = std::get_if<LongPress>(&c)) {
        m_phone->longPress({ press->x, press->y }, press->seconds);
    } else if (auto* drag = std::get_if<Drag>(&c)) {
        m_phone->drag({ drag->x1, drag->y1 }, { drag->x2, drag->y2 }, drag->seconds);
    } else if (auto* swipe = std::get_if<Swipe>(&c)) {
        m_phone->swipe(phoneDirection(swipe->direction));
    } else if (isCommand<Shutter>(c)) {
        m_phone->pressShutter();
    } else if (auto* volume = std::get_if<Volume>(&c)) {
        m_phone->pressVolume(volume->up);
    } else if (auto* mode = std::get_if<Mode>(&c)) {
        if (!m_phone->setCameraMode(mode->cameraMode))
            return m_model + " has no such camera mode";
    } else if (auto* camera = std::get_if<Camera>(&c)) {
        if (!m_phone->setCameraDevice(camera->cameraDevice))
            return m_model + " has no such camera";
    } else if (auto* filters = std::get_if<Filters>(&c)) {
        m_phone->setFiltersShowing(filters->on);
    } else if (isCommand<Background>(c)) {
        m_phone->background();
    } else if (isCommand<Foreground>(c)) {
        m_phone->foreground();
    } else if (isCommand<MemoryWarning>(c)) {
        m_phone->memoryWarning();
    } else if (auto* shot = std::get_if<Screenshot>(&c)) {
        auto path = m_options.outputFolder / shot->fileName;
        if (!m_phone->screenshot(path))
            return "cannot write " + path.string();
        m_screenshots.push_back(path);
    } else if (auto* describe = std::get_if<Describe>(&c)) {
        auto path = m_options.outputFolder / describe->fileName;
        if (!m_phone->describe(path))
            return "cannot write " + path.string();
    }
    return std::nullopt;
}

std::optional<std::string> ScenarioSession::applyToProcess(host::AppProcess& app, const Command& c)
{
    using namespace command;
    if (auto* tap = std::get_if<Tap>(&c))
        return app.tap({ tap->x, tap->y });
    if (auto* tapView = std::get_if<TapView>(&c))
        return app.tapView(tapView->className, tapView->tag);
    if (auto* drag = std::get_if<Drag>(&c))
        return app.drag({ drag->x1, drag->y1 }, { drag->x2, drag->y2 }, drag->seconds);
    if (auto* describe = std::get_if<Describe>(&c))
        return app.describe(m_options.outputFolder / describe->fileName);
    if (auto* shot = std::get_if<Screenshot>(&c)) {
        auto path = m_options.outputFolder / shot->fileName;
        if (auto problem = app.screenshot(path))
            return problem;
        m_screenshots.push_back(path);
        return std::nullopt;
    }
    if (&app == m_settingsApp.get()) {
        if (isCommand<Back>(c))
            return m_settingsApp->back();
        if (auto* control = std::get_if<TapControl>(&c))
            return m_settingsApp->tapControl(control->selector);
        if (auto* outlet = std::get_if<TapOutlet>(&c))
            return m_settingsApp->tapOutlet(outlet->field, outlet->fx, outlet->fy);
        if (auto* cell = std::get_if<TapCell>(&c))
            return m_settingsApp->tapCell(cell->text);
    }
    return std::string(commandName(c)) + " cannot be done to " + app.name();
}

std::optional<std::string> ScenarioSession::applyToSpringBoard(const Command& c)
{
    // The camera's commands go to the camera on the lock screen.
    using namespace command;
    auto& springBoard = *m_springBoard;
    std::optional<std::string> problem;
    if (auto* press = std::get_if<LongPress>(&c))
        problem = springBoard.press({ press->x, press->y }, press->seconds);
    else if (auto* swipe = std::get_if<Swipe>(&c))
        problem = springBoard.swipe(directionWord(swipe->direction));
    else if (isCommand<Shutter>(c))
        problem = springBoard.shutter();
    else if (auto* volume = std::get_if<Volume>(&c))
        problem = springBoard.volume(volume->up);
    else if (auto* mode = std::get_if<Mode>(&c))
        problem = springBoard.cameraMode(mode->cameraMode);
    else if (auto* camera = std::get_if<Camera>(&c))
        problem = springBoard.cameraDevice(camera->cameraDevice);
    else if (auto* filters = std::get_if<Filters>(&c))
        problem = springBoard.filters(filters->on);
    else if (isCommand<MemoryWarning>(c))
        problem = springBoard.memoryWarning();
    else
        problem = applyToProcess(springBoard, c);
    if (problem)
        return problem;
    return followHomeScreen();
}

}
