#include "ScenarioRunner.h"
#include "SimWindow.h"
#include "ViewLocator.h"
#include "WindowTestSupport.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/PNGCodec.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

using namespace sim;
using sim::testing::WindowTest;
namespace fs = std::filesystem;

namespace {

constexpr double frameTime = 1.0 / 60;

kit::CGImageRef readPNG(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return kit::PNGCodec::decode(bytes);
}

// Differing pixels, alpha aside (the window's surface has none).
int differingPixels(const kit::CGImage& a, const kit::CGImage& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return a.width() * a.height();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += (a.pixel(x, y) & 0xffffff) != (b.pixel(x, y) & 0xffffff);
    return differing;
}

WindowOptions windowOptions(const fs::path& folder)
{
    WindowOptions options;
    options.run.deviceRoot = folder / "window-root";
    options.run.outputFolder = folder / "window-out";
    options.run.loadExtension = false;
    return options;
}

std::unique_ptr<SimWindow> openWindow(WindowOptions options)
{
    auto opened = SimWindow::open(std::move(options));
    if (auto* problem = std::get_if<std::string>(&opened)) {
        ADD_FAILURE() << *problem;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<SimWindow>>(opened));
}

void push(SDL_Event event)
{
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

SDL_Event mouseButton(Uint32 type, int x, int y)
{
    SDL_Event event {};
    event.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event key(SDL_Keycode code)
{
    SDL_Event event {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = code;
    return event;
}

}

TEST_F(WindowTest, AScriptedSessionShowsTheFramesTheHeadlessRunCaptures)
{
    const char* text = R"(launch
wait 0.4
swipe up
wait 0.35
screenshot swiped.png
shutter
wait 0.8
screenshot shot.png
quit
)";
    kit::RunLoop::main().resetWithVirtualClock();
    RunOptions headless;
    headless.deviceRoot = m_folder / "headless-root";
    headless.outputFolder = m_folder / "headless-out";
    headless.loadExtension = false;
    auto outcome = ScenarioRunner(headless).run(scenario(text));
    ASSERT_TRUE(outcome.ok) << outcome.error;
    ASSERT_EQ(outcome.screenshots.size(), 2u);

    kit::RunLoop::main().resetWithVirtualClock();
    auto options = windowOptions(m_folder);
    options.scale = 2; // the device's own: pixel for pixel
    options.script = scenario(text);
    auto window = openWindow(std::move(options));
    ASSERT_TRUE(window);
    std::map<std::string, kit::CGImageRef> shown;
    int frames = 0;
    while (window->frame(frameTime) && ++frames < 1000) {
        if (auto& shot = window->screenshotInLastFrame())
            shown[shot->filename().string()] = window->shownScreen();
    }
    EXPECT_FALSE(window->error());
    ASSERT_EQ(shown.size(), 2u);
    // A wait passes as frames: at least its time at the frame rate.
    EXPECT_GE(frames, int(1.5 / frameTime) - 2);
    for (auto& path : outcome.screenshots) {
        auto name = path.filename().string();
        auto expected = readPNG(path);
        ASSERT_TRUE(expected && shown[name]) << name;
        EXPECT_EQ(differingPixels(*shown[name], *expected), 0) << name;
        // The window's own screenshot of the moment is the same picture.
        auto written = readPNG(m_folder / "window-out" / name);
        ASSERT_TRUE(written);
        EXPECT_EQ(differingPixels(*written, *expected), 0) << name;
    }
    EXPECT_EQ(window->player().session().cameraRoll().size(), outcome.cameraRoll.size());
}

TEST_F(WindowTest, AClickOnTheScaledScreenPressesTheButtonUnderIt)
{
    kit::RunLoop::main().resetWithVirtualClock();
    auto options = windowOptions(m_folder);
    options.scale = 1.5;
    auto window = openWindow(std::move(options));
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->frame(frameTime));
    auto shutter = centreOfVisibleView("CAMShutterButton");
    ASSERT_TRUE(shutter);
    int x = int(shutter->x * 1.5), y = int(shutter->y * 1.5);
    push(mouseButton(SDL_MOUSEBUTTONDOWN, x, y));
    ASSERT_TRUE(window->frame(frameTime));
    push(mouseButton(SDL_MOUSEBUTTONUP, x, y));
    for (int i = 0; i < 120; ++i)
        ASSERT_TRUE(window->frame(frameTime));
    push(key(SDLK_q));
    EXPECT_FALSE(window->frame(frameTime));
    EXPECT_EQ(window->player().session().cameraRoll().size(), 1u);
    // The window is as wide as the screen at its scale plus the panel.
    ASSERT_TRUE(window->shownScreen());
    EXPECT_EQ(window->shownScreen()->width(), 480);
}

TEST_F(WindowTest, ThePanelBesideTheScreenTellsTheTilt)
{
    kit::RunLoop::main().resetWithVirtualClock();
    auto window = openWindow(windowOptions(m_folder));
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->frame(0));
    auto before = window->shownWindow();
    push(key(SDLK_RIGHTBRACKET));
    ASSERT_TRUE(window->frame(0));
    auto after = window->shownWindow();
    ASSERT_TRUE(before && after);
    EXPECT_DOUBLE_EQ(window->input().tiltDegrees(), 0.5);
    int screenWidth = window->shownScreen()->width();
    int changedBeside = 0;
    for (int y = 0; y < before->height(); ++y)
        for (int x = screenWidth; x < before->width(); ++x)
            changedBeside += before->pixel(x, y) != after->pixel(x, y);
    EXPECT_GT(changedBeside, 0);
    // Half a degree keeps the way the device is held.
    EXPECT_EQ(window->phone()->deviceOrientation(), 1);
}

TEST_F(WindowTest, RecordingWritesAnH264Movie)
{
    kit::RunLoop::main().resetWithVirtualClock();
    auto options = windowOptions(m_folder);
    options.script = scenario("launch\nwait 1\nquit\n");
    options.record = m_folder / "window.mov";
    // An earlier file of that name gives way to the finished movie.
    std::ofstream(m_folder / "window.mov") << "an older take";
    auto window = openWindow(std::move(options));
    ASSERT_TRUE(window);
    while (window->frame(frameTime)) { }
    EXPECT_FALSE(window->error());
    ASSERT_TRUE(fs::exists(m_folder / "window.mov"));
    EXPECT_GT(fs::file_size(m_folder / "window.mov"), 1000u);
    EXPECT_FALSE(fs::exists(m_folder / "window.mov.partial.mov"));
    if (std::system("command -v ffprobe > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffprobe is not installed";
    auto command = "ffprobe -v error -select_streams v:0 -show_entries stream=codec_name -of csv=p=0 '"
        + (m_folder / "window.mov").string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_TRUE(pipe);
    char buffer[64] {};
    std::string codec = std::fgets(buffer, sizeof buffer, pipe) ? buffer : "";
    ::pclose(pipe);
    EXPECT_EQ(codec, "h264\n");
}
