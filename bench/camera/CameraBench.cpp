// The camera hardware's cost where a person meets it, on one core:
//
//   bench_camera [--frames N] [--rounds N]
//
//  - the whole phone screen (the camera app with the extension, 640 × 1136
//    pixels), the live preview through the camera included, frame after
//    frame with the clock moving 1/60 s between them: frames a second
//    (target: at least 120); the camera, at 30 frames a second, makes a
//    new preview for every other one. And the preview's own frame alone,
//    made anew each time;
//  - shutter to saved photo at 3264 × 2448 with the date stamp on: through
//    the camera (depth blur, exposure, white balance), against the same
//    capture with the camera's optics off (the scene's colours as drawn),
//    side by side with their ratio (target: at most 1.5), and the capture
//    alone (the scene drawn, then the optics) to show where the time goes;
//    with the focus where the camera starts, then on the near flower, which
//    blurs all behind it.
// Figures are medians of processor time (user and system).
#include "DeviceRootInstaller.h"
#include "ProcessorTime.h"
#include "ScenarioSession.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/AVCaptureDevice.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

template <typename Work>
double timed(Work work)
{
    double start = benchsupport::processorSeconds();
    work();
    return benchsupport::processorSeconds() - start;
}

void setOptics(host::Phone& phone, bool enabled)
{
    for (const auto& camera : phone.cameraHardware().cameras())
        camera->setOpticsEnabled(enabled);
}

hardware::CameraModule* backCamera(host::Phone& phone)
{
    return phone.cameraHardware().cameraFor(kit::AVCaptureDevice::defaultDeviceWithMediaType(kit::AVMediaTypeVideo));
}

}

// Shutter to saved photo, through the camera and with its optics off, in
// turn; and the capture alone, to show where the time goes.
void photoRounds(host::Phone& phone, int rounds, const char* focus)
{
    std::printf("\nshutter to saved photo, 3264 x 2448, date stamp on, %s, %d rounds, medians\n", focus, rounds);
    std::vector<double> through, without, captureOn, captureOff;
    auto* camera = backCamera(phone);
    hardware::FrameRequest photo { hardware::FramePurpose::Photo, 3264, 2448, 3264.0 / 2448, 1 };
    for (int round = 0; round < rounds; ++round) {
        for (bool optics : { true, false }) {
            setOptics(phone, optics);
            double shutter = timed([&] { phone.pressShutter(); });
            double capture = timed([&] { camera->capture(photo); });
            (optics ? through : without).push_back(shutter);
            (optics ? captureOn : captureOff).push_back(capture);
            phone.advance(1);
        }
    }
    setOptics(phone, true);
    double on = benchsupport::median(through), off = benchsupport::median(without);
    std::printf("  through the camera  %7.1f ms\n  optics off          %7.1f ms\n  ratio               %7.2f (target at most 1.5)\n",
        on * 1e3, off * 1e3, on / off);
    double sceneOnly = benchsupport::median(captureOff), withOptics = benchsupport::median(captureOn);
    std::printf("  where the time goes: drawing the scene %.1f ms, the camera's optics %.1f ms, "
                "encoding, stamping and saving %.1f ms\n",
        sceneOnly * 1e3, (withOptics - sceneOnly) * 1e3, (off - sceneOnly) * 1e3);
}

int main(int argc, char** argv)
{
    int frames = 240, rounds = 5;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--frames" && i + 1 < argc)
            frames = std::max(10, std::atoi(argv[++i]));
        else if (argument == "--rounds" && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--frames N] [--rounds N]\n", argv[0]);
            return 2;
        }
    }
    fs::path folder = fs::temp_directory_path() / ("bench-camera-" + std::to_string(getpid()));
    fs::remove_all(folder);
    sim::RunOptions options;
    options.deviceRoot = folder / "root";
    options.outputFolder = folder / "out";
    auto installed = sim::DeviceRootInstaller(VANTOR_STAGED_ROOT).install(options.deviceRoot);
    if (!installed.ok) {
        std::fprintf(stderr, "bench_camera: %s\n", installed.error.c_str());
        return 1;
    }
    std::ostringstream events;
    sim::ScenarioSession session(options, events);
    int number = 0;
    for (const char* line : { "device iPhone6,1", "setting timeStampVisible bool true", "launch", "wait 1" }) {
        auto parsed = sim::Scenario::parse(line);
        auto& scenario = std::get<sim::Scenario>(parsed);
        scenario.lines[0].number = ++number;
        if (auto problem = session.apply(scenario.lines[0])) {
            std::fprintf(stderr, "bench_camera: %s\n", problem->c_str());
            return 1;
        }
    }
    auto& phone = *session.phone();

    std::printf("the whole screen, 640 x 1136 pixels, %d frames, the clock moving 1/60 s a frame\n", frames);
    for (bool optics : { true, false }) {
        setOptics(phone, optics);
        phone.renderScreen();
        double seconds = timed([&] {
            for (int i = 0; i < frames; ++i) {
                phone.advance(1.0 / 60);
                phone.renderScreen();
            }
        });
        std::printf("  %-26s %6.2f ms a frame, %6.0f frames a second%s\n", optics ? "through the camera" : "optics off",
            seconds / frames * 1e3, frames / seconds, optics ? " (target at least 120)" : "");
    }
    setOptics(phone, true);
    {
        auto* camera = backCamera(phone);
        hardware::FrameRequest preview { hardware::FramePurpose::Preview, 427, 320, 427.0 / 320, 1 };
        // A sensor frame apart each time, so that every one is made anew.
        double seconds = timed([&] {
            for (int i = 0; i < frames; ++i) {
                phone.advance(1.0 / 30);
                camera->capture(preview);
            }
        });
        std::printf("  the preview's frame alone  %6.2f ms (427 x 320, scene, metering and optics)\n", seconds / frames * 1e3);
    }

    photoRounds(phone, rounds, "the focus where the camera starts (the shed, 5 m)");
    // Then on the flower a third of a metre away: everything behind it is
    // blurred, the most the blur does in this scene.
    auto device = kit::AVCaptureDevice::defaultDeviceWithMediaType(kit::AVMediaTypeVideo);
    if (device && device->lockForConfiguration()) {
        device->setFocusPointOfInterest({ 0.68, 0.25 });
        device->setFocusMode(kit::AVCaptureFocusModeAutoFocus);
        device->unlockForConfiguration();
    }
    phone.advance(1);
    if (events.str().find("focus arrived: 0.30 m") == std::string::npos) {
        std::fprintf(stderr, "bench_camera: the camera did not focus on the flower\n");
        return 1;
    }
    photoRounds(phone, rounds, "focused on the flower (0.3 m)");
    session.finish();
    fs::remove_all(folder);
    return 0;
}
