// The window loop under SDL's offscreen driver: frames a second with the
// camera's screen shown (each frame handles events, moves the clock, draws
// the screen with the renderer, blits it and the panel, and presents), and
// how many frames a tap takes to show on the screen.

#include "SimWindow.h"
#include "ViewLocator.h"

#include "kit/foundation/RunLoop.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr double framePeriod = 1.0 / 60;

struct Session {
    fs::path folder;
    std::unique_ptr<sim::SimWindow> window;

    explicit Session(double scale = 2)
    {
        ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
        folder = fs::temp_directory_path() / ("bench-sim-window-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        kit::RunLoop::main().resetWithVirtualClock();
        sim::WindowOptions options;
        options.run.deviceRoot = folder / "root";
        options.run.outputFolder = folder / "out";
        options.run.loadExtension = false;
        // 2: the screen pixel for pixel, whatever the display; others resample.
        options.scale = scale;
        auto opened = sim::SimWindow::open(std::move(options));
        if (auto* made = std::get_if<std::unique_ptr<sim::SimWindow>>(&opened))
            window = std::move(*made);
        // Let the launch settle before measuring.
        for (int i = 0; window && i < 30; ++i)
            window->frame(framePeriod);
    }
    ~Session()
    {
        window.reset();
        fs::remove_all(folder);
    }
};

void push(Uint32 type, int x, int y)
{
    SDL_Event event {};
    event.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

void WindowFrame(benchmark::State& state)
{
    Session session(state.range(0) / 4.0);
    if (!session.window) {
        state.SkipWithError("no offscreen window");
        return;
    }
    for (auto _ : state)
        session.window->frame(framePeriod);
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
// The argument is the window's scale in quarters: 8 pixel for pixel, 6 the
// resampled window of a display too short for the whole screen.
BENCHMARK(WindowFrame)->Arg(8)->Arg(6)->Unit(benchmark::kMillisecond)->MinTime(3);

// Presses the shutter button with the mouse and counts the frames until the
// button's pixels change, compared with the frame drawn just before.
void TapToScreenLatency(benchmark::State& state)
{
    Session session;
    if (!session.window) {
        state.SkipWithError("no offscreen window");
        return;
    }
    auto& window = *session.window;
    auto shutter = sim::centreOfVisibleView("CAMShutterButton");
    if (!shutter) {
        state.SkipWithError("no shutter button on screen");
        return;
    }
    int x = int(shutter->x * window.scale()), y = int(shutter->y * window.scale());
    int latency = -1;
    for (auto _ : state) {
        window.frame(framePeriod);
        auto before = window.shownScreen();
        push(SDL_MOUSEBUTTONDOWN, x, y);
        latency = -1;
        for (int frames = 1; frames <= 30 && latency < 0; ++frames) {
            window.frame(framePeriod);
            auto now = window.shownScreen();
            for (int dy = -20; dy <= 20 && latency < 0; ++dy)
                for (int dx = -20; dx <= 20; ++dx)
                    if (now->pixel(x + dx, y + dy) != before->pixel(x + dx, y + dy)) {
                        latency = frames;
                        break;
                    }
        }
        push(SDL_MOUSEBUTTONUP, x, y);
        for (int i = 0; i < 90; ++i)
            window.frame(framePeriod);
    }
    state.counters["latency_frames"] = latency;
}
BENCHMARK(TapToScreenLatency)->Iterations(3)->Unit(benchmark::kMillisecond);

}
