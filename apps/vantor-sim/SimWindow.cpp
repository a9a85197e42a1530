#include "SimWindow.h"

#include "ScenarioRunner.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/SystemLog.h"
#include "kit/media/DeviceProfile.h"
#include "kit/ui/CGBitmapContext.h"
#include "kit/ui/CGColor.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace sim {

namespace {

// The model the phone will be: the scenario's last device line before its
// launch, else the window's own.
std::string modelOf(const WindowOptions& options)
{
    std::string model = options.run.model;
    if (options.script) {
        for (auto& line : options.script->lines) {
            if (std::holds_alternative<command::Launch>(line.command))
                break;
            if (auto* device = std::get_if<command::Device>(&line.command))
                model = device->model;
        }
    }
    return model;
}

}

std::variant<std::unique_ptr<SimWindow>, std::string> SimWindow::open(WindowOptions options)
{
    if (!options.script) {
        Scenario launchOnly;
        launchOnly.lines.push_back({ 0, command::Launch {} });
        options.script = std::move(launchOnly);
    }
    if (auto problem = ScenarioRunner(options.run).check(*options.script))
        return problem->message;
    auto* profile = kit::DeviceProfile::forModel(modelOf(options));
    if (!profile)
        return "unknown device model \"" + modelOf(options) + "\"";
    // Video only: the phone's sounds go through kit's own audio output. The
    // window's surface is plain memory the screen is copied into; no GPU
    // renderer stands behind it (it would add a driver, and nothing to gain).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return std::string("no video for the window: ") + SDL_GetError();
    double scale = options.scale > 0 ? std::min(options.scale, 8.0) : profile->screenScale;
    SDL_Rect usable;
    if (options.scale <= 0 && SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.h > 0) {
        // Pixel for pixel unless the screen would not fit on the display
        // (a title bar's room left): then in quarter steps as large as fits.
        double fitting = std::floor((usable.h - 40) / profile->screenHeight * 4) / 4;
        scale = std::min(scale, std::max(0.5, fitting));
    }
    int width = int(std::ceil(profile->screenWidth * scale));
    int height = int(std::ceil(profile->screenHeight * scale));
    std::unique_ptr<SimWindow> window(new SimWindow(std::move(options), scale, width, height));
    if (!window->m_player->isLogging())
        return "cannot write into " + window->m_options.run.outputFolder.string();
    std::string title = "vantor-sim — " + modelOf(window->m_options);
    window->m_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
        width + panelWidth, height, SDL_WINDOW_SHOWN);
    if (!window->m_window)
        return std::string("cannot open the window: ") + SDL_GetError();
    if (window->m_options.record) {
        int movieWidth = int(std::lround(profile->screenWidth * profile->screenScale));
        int movieHeight = int(std::lround(profile->screenHeight * profile->screenScale));
        auto started = WindowRecorder::start(*window->m_options.record, movieWidth, movieHeight);
        if (auto* problem = std::get_if<std::string>(&started))
            return *problem;
        window->m_recorder = std::move(std::get<std::unique_ptr<WindowRecorder>>(started));
    }
    return window;
}

SimWindow::SimWindow(WindowOptions options, double scale, int screenWidth, int screenHeight)
    : m_options(std::move(options))
    , m_scale(scale)
    , m_screenWidth(screenWidth)
    , m_screenHeight(screenHeight)
    , m_player(std::make_unique<ScriptPlayer>(*m_options.script, m_options.run))
    , m_input(scale, m_options.run.outputFolder)
    , m_panel(panelWidth, screenHeight)
{
    m_player->lineApplied = [this](const Command& command) { m_input.follow(command); };
}

SimWindow::~SimWindow()
{
    close();
    if (m_window)
        SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SimWindow::close()
{
    if (m_closed)
        return;
    m_closed = true;
    // The app ends first: quitting waits for its background work (a movie
    // being exported) so nothing is lost.
    m_player->session().finish();
    if (m_recorder && !m_recorder->finish() && !m_error)
        m_error = "the recording could not be completed";
}

void SimWindow::handle(const SDL_Event& event)
{
    // The mouse and the keys reach the whole phone through the session: the
    // finger the app in front, the camera's keys the camera in front.
    auto& session = m_player->session();
    bool running = session.isRunning();
    switch (event.type) {
    case SDL_QUIT:
        m_input.requestQuit();
        break;
    case SDL_KEYDOWN: {
        auto action = WindowInput::actionForKey(event.key.keysym.sym);
        // Holding a tilt key keeps tilting; other keys act once a press.
        bool tilt = action == WindowAction::TiltLeft || action == WindowAction::TiltRight;
        if (action == WindowAction::Quit)
            m_input.requestQuit();
        else if (event.key.repeat && !tilt)
            break;
        else if (action == WindowAction::SwitchApp)
            switchApp();
        else if (action == WindowAction::Home || action == WindowAction::SideButton)
            pressButton(*action);
        else if (action && running)
            m_input.perform(session, *action);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
        if (running && event.button.button == SDL_BUTTON_LEFT && event.button.x < m_screenWidth)
            m_input.mouseDown(session, event.button.x, event.button.y);
        break;
    case SDL_MOUSEMOTION:
        if (running)
            m_input.mouseMove(session, event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONUP:
        if (running && event.button.button == SDL_BUTTON_LEFT)
            m_input.mouseUp(session, event.button.x, event.button.y);
        break;
    case SDL_MOUSEWHEEL:
        m_pendingWheel += event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        break;
    default:
        break;
    }
}

bool SimWindow::frame(double seconds)
{
    if (m_closed)
        return false;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        handle(event);
    // A turn of the wheel arrives as a burst of notches: one pinch for all
    // of them. The pinch itself takes the phone's clock on by its 0.3 s.
    auto& session = m_player->session();
    if (m_pendingWheel && session.isRunning())
        m_input.wheel(session, m_pendingWheel);
    m_pendingWheel = 0;
    if (m_input.wantsQuit()) {
        close();
        return false;
    }
    if (session.isRunning()) {
        // A script line due sooner than the frame's time runs at its own
        // moment, as it would in a headless run.
        double step = std::max(0.0, seconds);
        if (auto due = m_player->nextLineDue())
            step = std::min(step, *due - session.now());
        session.advance(step);
    }
    m_player->runDue();
    session.passOnSystemLog();
    if (m_player->error()) {
        m_error = m_player->error();
        kit::logf("vantor-sim: %s", m_error->c_str());
        close();
        return false;
    }
    if (!session.isRunning()) {
        // The scenario quit the app.
        close();
        return false;
    }
    const auto* screen = session.renderFront();
    if (!screen) {
        m_error = session.front() == ScenarioSession::App::Settings ? "the Settings app has ended"
            : session.front() == ScenarioSession::App::HomeScreen  ? "the home screen has ended"
                                                                   : "no app is in front";
        close();
        return false;
    }
    present(*screen);
    if (m_recorder)
        m_recorder->append(*screen, session.now());
    ++m_frames;
    return true;
}

void SimWindow::pressButton(WindowAction button)
{
    auto& session = m_player->session();
    auto problem = button == WindowAction::Home ? session.pressHomeButton() : session.pressSideButton();
    if (problem)
        kit::logf("vantor-sim: %s", problem->c_str());
}

void SimWindow::switchApp()
{
    // The camera from the Settings app, the Settings app from anything else;
    // a locked phone stays locked.
    auto& session = m_player->session();
    bool toCamera = session.front() == ScenarioSession::App::Settings;
    Command command = toCamera ? Command(command::CameraToFront {}) : Command(command::Settings {});
    auto problem = frontProblem(command, session.frontScreen());
    if (!problem)
        problem = session.bringToFront(toCamera ? ScenarioSession::App::Camera : ScenarioSession::App::Settings);
    if (problem)
        kit::logf("vantor-sim: %s", problem->c_str());
}

int SimWindow::run()
{
    SDL_DisplayMode mode;
    int rate = 60;
    if (SDL_GetWindowDisplayMode(m_window, &mode) == 0 && mode.refresh_rate > 0)
        rate = mode.refresh_rate;
    const double period = 1.0 / rate;
    const double frequency = double(SDL_GetPerformanceFrequency());
    uint64_t last = SDL_GetPerformanceCounter();
    double elapsed = period;
    // The window's clock is the real one: the phone lives on the virtual
    // clock, so each frame moves it on by the real time since the last frame
    // (at most a quarter second, so a stalled window does not leap ahead).
    while (frame(std::min(elapsed, 0.25))) {
        double spent = double(SDL_GetPerformanceCounter() - last) / frequency;
        if (spent < period)
            SDL_Delay(Uint32((period - spent) * 1000));
        uint64_t now = SDL_GetPerformanceCounter();
        elapsed = double(now - last) / frequency;
        last = now;
    }
    return m_error ? 1 : 0;
}

namespace {

// What the camera in use is doing, a line each.
std::string describeCamera(const hardware::CameraModule& camera, const std::optional<hardware::LightSetting>& light)
{
    char text[256];
    auto exposure = camera.exposure();
    double focus = camera.focusNearness();
    std::string distance = focus < 0.01 ? "infinity" : std::to_string(int(std::lround(100 / focus))) + " cm";
    std::string lightText = "the scene's own";
    if (light) {
        char set[64];
        std::snprintf(set, sizeof set, "%.0f K, %+.0f stops", light->kelvin, light->stops);
        lightText = set;
    }
    std::snprintf(text, sizeof text, "Light: %s\nExposure: %s ISO %ld\nFocus: %s\nWhite balance: %ld K%s",
        lightText.c_str(), hardware::describeExposureTime(exposure.duration).c_str(), std::lround(exposure.iso),
        distance.c_str(), std::lround(camera.whiteBalanceKelvin()), camera.isWhiteBalanceLocked() ? ", locked" : "");
    return text;
}

}

PanelState SimWindow::panelState() const
{
    PanelState state;
    if (auto* phone = m_player->phone(); phone && phone->camera())
        state.camera = describeCamera(*phone->camera(), m_input.light());
    state.simulatedTime = m_player->session().now();
    state.orientation = m_input.heldOrientation();
    state.tiltDegrees = m_input.tiltDegrees();
    state.inBackground = m_input.isInBackground();
    if (m_recorder)
        state.status += "Recording\n";
    if (!m_player->isFinished())
        state.status += "Playing the script\n";
    auto& session = m_player->session();
    switch (session.frontScreen()) {
    case Front::Settings:
        state.status += "Settings in front (Tab: camera)\n";
        break;
    case Front::LockScreen:
        state.status += "Locked (drag to unlock, or the camera up)\n";
        break;
    case Front::LockCamera:
        state.status += "Camera on the lock screen (h: close)\n";
        break;
    case Front::HomeScreen:
        state.status += "Home screen (click an icon)\n";
        break;
    case Front::Camera:
    case Front::Unknown:
        break;
    }
    if (auto& shot = m_input.lastScreenshot())
        state.status += "Saved " + shot->filename().string() + "\n";
    return state;
}

void SimWindow::present(const kit::CGImage& screen)
{
    SDL_Surface* target = SDL_GetWindowSurface(m_window);
    if (!target)
        return;
    auto blit = [&](const kit::CGImage& image, SDL_Rect where) {
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(image.data()), image.width(),
            image.height(), 32, image.bytesPerRow(), SDL_PIXELFORMAT_ARGB8888);
        if (!source)
            return;
        // Copied, not blended: the window shows the renderer's pixels.
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(source, nullptr, target, &where);
        SDL_FreeSurface(source);
    };
    if (screen.width() == m_screenWidth && screen.height() == m_screenHeight) {
        blit(screen, { 0, 0, m_screenWidth, m_screenHeight });
    } else {
        // At another scale the screen is resampled smoothly, so text stays
        // readable, into pixels of the window's size.
        if (!m_scaledContext)
            m_scaledContext = kit::CGBitmapContextCreate(nullptr, size_t(m_screenWidth), size_t(m_screenHeight), 8, 0,
                kit::CGColorSpaceCreateDeviceRGB(), kit::kCGImageAlphaPremultipliedFirst);
        if (!m_scaledContext)
            return;
        kit::CGContextSetInterpolationQuality(m_scaledContext, kit::kCGInterpolationHigh);
        kit::CGContextDrawImage(m_scaledContext, kit::CGRectMake(0, 0, m_screenWidth, m_screenHeight),
            std::make_shared<kit::CGImage>(screen));
        if (auto scaled = kit::CGBitmapContextCreateImage(m_scaledContext))
            blit(*scaled, { 0, 0, m_screenWidth, m_screenHeight });
    }
    m_panel.update(panelState());
    blit(m_panel.pixels(), { m_screenWidth, 0, m_panel.pixels().width(), m_panel.pixels().height() });
    SDL_UpdateWindowSurface(m_window);
}

kit::CGImageRef SimWindow::readBack(int x, int y, int width, int height) const
{
    SDL_Surface* target = m_window ? SDL_GetWindowSurface(m_window) : nullptr;
    if (!target || m_frames == 0)
        return nullptr;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(target, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!converted)
        return nullptr;
    width = std::min(width, converted->w - x);
    height = std::min(height, converted->h - y);
    auto image = kit::CGImage::create(width, height);
    if (image) {
        auto* pixels = reinterpret_cast<uint32_t*>(image->mutableData());
        for (int row = 0; row < height; ++row) {
            auto* from = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(converted->pixels)
                + size_t(row + y) * size_t(converted->pitch)) + x;
            for (int column = 0; column < width; ++column)
                pixels[size_t(row) * size_t(width) + size_t(column)] = from[column] | 0xff000000u;
        }
    }
    SDL_FreeSurface(converted);
    return image;
}

kit::CGImageRef SimWindow::shownScreen() const
{
    return readBack(0, 0, m_screenWidth, m_screenHeight);
}

kit::CGImageRef SimWindow::shownWindow() const
{
    return readBack(0, 0, m_screenWidth + panelWidth, m_screenHeight);
}

}
