// vantor-sim: the camera app with the extension, on a simulated phone.

#include "DemoScenario.h"
#include "DeviceRootInstaller.h"
#include "ScenarioRunner.h"
#include "SimWindow.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/SystemLog.h"

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>

namespace {

namespace fs = std::filesystem;

struct CommonOptions {
    std::string device { "iPhone6,1" };
    std::string root;
    std::string out { "out" };
    std::string scene;
    std::string sceneDepth;
    bool noExtension { false };
    bool verbose { false };
};

std::optional<std::string> readFile(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    if (!file)
        return std::nullopt;
    return text.str();
}

sim::RunOptions runOptions(const CommonOptions& common)
{
    fs::path root = common.root.empty() ? fs::path(VANTOR_DEFAULT_ROOT) : fs::path(common.root);
    sim::RunOptions options;
    options.model = common.device;
    options.deviceRoot = fs::absolute(root);
    options.outputFolder = fs::absolute(common.out);
    options.loadExtension = !common.noExtension;
    if (!common.scene.empty())
        options.sceneImage = fs::absolute(common.scene);
    if (!common.sceneDepth.empty())
        options.sceneDepth = fs::absolute(common.sceneDepth);
    return options;
}

// A scene picture or depth map that cannot be one is refused before anything
// runs, with the one line that says why.
bool sceneIsUsable(const sim::RunOptions& options)
{
    auto made = hardware::CameraHardware::withScene(options.sceneImage, options.sceneDepth);
    if (auto* problem = std::get_if<std::string>(&made)) {
        std::cerr << "vantor-sim: " << *problem << '\n';
        return false;
    }
    return true;
}

// The lines of a time-lapse movie export: its start, the frames written, the
// movie and the album's answer. The export runs after the series, often
// while the app is closing, so a person waits for these at the end of a run.
bool isMovieExportLine(std::string_view line)
{
    static constexpr std::string_view prefixes[] = { "Time-lapse movie: ", "Unresolved error ", "URL: ",
        "CameraViewController: Error on saving movie", "FILE IS NOT COMPATIBLE TO SAVE INTO ROLL", "Write Ended" };
    for (auto prefix : prefixes) {
        if (line.starts_with(prefix))
            return true;
    }
    return false;
}

// What the Settings app says about entries and layouts it could not open: a
// person trying the settings needs to know why a page stayed empty.
bool isSettingsProblemLine(std::string_view line)
{
    return line.starts_with("Settings: ") || line.starts_with("UINib: ");
}

// The build's products and resources, into a device root that lacks them.
bool installInto(const fs::path& root)
{
    auto installed = sim::DeviceRootInstaller(VANTOR_STAGED_ROOT).install(root);
    if (!installed.ok) {
        std::cerr << "vantor-sim: " << installed.error << '\n';
        return false;
    }
    if (!installed.installed.empty())
        std::cout << "installed " << installed.installed.size() << " files into " << root << '\n';
    return true;
}

int runScenario(const std::string& text, const std::string& name, const CommonOptions& common)
{
    auto parsed = sim::Scenario::parse(text);
    if (auto* error = std::get_if<sim::ScenarioError>(&parsed)) {
        std::cerr << "vantor-sim: " << name << ": " << error->message << '\n';
        return 2;
    }
    auto& scenario = std::get<sim::Scenario>(parsed);

    sim::RunOptions options = runOptions(common);
    options.progress = [](const std::string& line) { std::cout << line << std::endl; };
    // With -v every log line already goes to the terminal.
    if (!common.verbose) {
        options.systemLog = [](const std::string& line) {
            if (isMovieExportLine(line) || isSettingsProblemLine(line))
                std::cout << "           " << line << std::endl;
        };
    }

    sim::ScenarioRunner runner(options);
    if (auto problem = runner.check(scenario)) {
        std::cerr << "vantor-sim: " << name << ": " << problem->message << '\n';
        return 2;
    }
    if (!sceneIsUsable(options))
        return 2;
    if (!installInto(options.deviceRoot))
        return 1;

    auto outcome = runner.run(scenario);
    if (!outcome.ok)
        std::cerr << "vantor-sim: " << name << ": " << outcome.error << '\n';
    // A run stopped by a line keeps what it made before it.
    auto events = options.outputFolder / "events.log";
    if (!outcome.ok && !fs::exists(events))
        return 1;
    std::cout << "\nArtefacts:\n  events: " << events.string() << '\n';
    for (auto& shot : outcome.screenshots)
        std::cout << "  screenshot: " << shot.string() << '\n';
    for (auto& file : outcome.cameraRoll)
        std::cout << "  camera roll: " << file.string() << '\n';
    if (outcome.settings)
        std::cout << "  settings: " << outcome.settings->string() << '\n';
    std::cout << "  device root: " << options.deviceRoot.string() << '\n';
    return outcome.ok ? 0 : 1;
}

int runWindow(const CommonOptions& common, double scale, const std::string& script, const std::string& record)
{
    sim::WindowOptions options;
    options.run = runOptions(common);
    options.scale = scale;
    if (!script.empty()) {
        auto text = readFile(script);
        if (!text) {
            std::cerr << "vantor-sim: cannot read " << script << '\n';
            return 1;
        }
        auto parsed = sim::Scenario::parse(*text);
        if (auto* error = std::get_if<sim::ScenarioError>(&parsed)) {
            std::cerr << "vantor-sim: " << script << ": " << error->message << '\n';
            return 2;
        }
        options.script = std::get<sim::Scenario>(std::move(parsed));
    }
    if (!record.empty())
        options.record = fs::absolute(record);
    if (!sceneIsUsable(options.run))
        return 2;

    if (!installInto(options.run.deviceRoot))
        return 1;
    auto opened = sim::SimWindow::open(std::move(options));
    if (auto* problem = std::get_if<std::string>(&opened)) {
        std::cerr << "vantor-sim: " << *problem << '\n';
        return 1;
    }
    auto& window = std::get<std::unique_ptr<sim::SimWindow>>(opened);
    int status = window->run();
    if (window->error())
        std::cerr << "vantor-sim: " << *window->error() << '\n';
    if (!record.empty() && status == 0)
        std::cout << "  movie: " << fs::absolute(record).string() << '\n';
    return status;
}

}

int main(int argc, char** argv)
{
    CLI::App app { "vantor-sim: the phone's camera app with the Vantor2 extension, simulated" };
    app.require_subcommand(1);
    // Options may come before or after the subcommand.
    app.fallthrough();
    CommonOptions common;
    app.add_option("--device", common.device, "device model, e.g. iPhone6,1 or iPad4,1")->capture_default_str();
    app.add_option("--root", common.root, "the device root (default: a folder in the build)");
    app.add_option("--out", common.out, "where screenshots and logs go")->capture_default_str();
    app.add_option("--scene", common.scene, "a picture (PNG or JPEG) as the cameras' scene")->check(CLI::ExistingFile);
    app.add_option("--scene-depth", common.sceneDepth,
           "a greyscale picture of how near each point of the scene picture is (white 0.1 m, black far away)")
        ->check(CLI::ExistingFile);
    app.add_flag("--no-extension", common.noExtension, "run the camera app without the extension");
    app.add_flag("-v,--verbose", common.verbose, "mirror the system log to the terminal");

    std::string script;
    auto* run = app.add_subcommand("run", "run a scenario file, one command a line");
    run->add_option("SCRIPT", script, "the scenario file")->required()->check(CLI::ExistingFile);
    auto* demo = app.add_subcommand("demo", "run the built-in demo and keep its photos and screenshots");
    auto* window = app.add_subcommand("window", "try the camera in a window: the mouse is a finger, keys the buttons");
    double scale = 0;
    std::string windowScript, record;
    window->add_option("--scale", scale, "window pixels per screen point (default: the device's own, or less to fit the display)")
        ->check(CLI::Range(0.25, 8.0));
    window->add_option("--script", windowScript, "play a scenario file in the window, in real time")
        ->check(CLI::ExistingFile);
    window->add_option("--record", record, "write what the window shows as an H.264 movie (.mov)");

    CLI11_PARSE(app, argc, argv);
    kit::SystemLog::openLog("vantor-sim");
    kit::SystemLog::setMirrorsToStandardError(common.verbose);

    if (run->parsed()) {
        auto text = readFile(script);
        if (!text) {
            std::cerr << "vantor-sim: cannot read " << script << '\n';
            return 1;
        }
        return runScenario(*text, script, common);
    }
    if (demo->parsed()) {
        if (common.out == "out")
            common.out = "out/demo";
        return runScenario(sim::kDemoScenario, "demo", common);
    }
    if (window->parsed())
        return runWindow(common, scale, windowScript, record);
    return 0;
}
