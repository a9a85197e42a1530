// vantor-monkey: random scenarios on every device class, each in a process
// of its own, checked after it ends. A failing seed is printed and its
// scenario kept, so the failure can be replayed:
//
//   vantor-monkey --device iPhone6,1 --seeds 17
//   vantor-sim run OUT/iPhone6,1-seed-17.scenario --root EMPTY_FOLDER

#include "AfterRunChecks.h"
#include "DeviceRootInstaller.h"
#include "Monkey.h"
#include "ScenarioSession.h"

#include <CLI/CLI.hpp>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* kDeviceClasses[] = { "iPhone6,1", "iPhone3,1", "iPad4,1" };

// "1,4,10-12" -> 1 4 10 11 12.
std::optional<std::vector<uint64_t>> parseSeeds(const std::string& text)
{
    std::vector<uint64_t> seeds;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        if (part.empty())
            continue;
        try {
            auto dash = part.find('-');
            size_t used = 0;
            uint64_t first = std::stoull(part.substr(0, dash), &used);
            uint64_t last = first;
            if (dash != std::string::npos)
                last = std::stoull(part.substr(dash + 1));
            if (last < first || last - first > 1000000)
                return std::nullopt;
            for (uint64_t seed = first; seed <= last; ++seed)
                seeds.push_back(seed);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    return seeds;
}

std::string fileStem(const std::string& model, uint64_t seed) { return model + "-seed-" + std::to_string(seed); }

// The user's part of the root emptied, so every scenario starts from a phone
// with no photos and no settings, as its replay on a fresh root does.
bool freshUserFiles(const fs::path& root, const fs::path& staged)
{
    std::error_code error;
    fs::remove_all(root / "var/mobile", error);
    return sim::DeviceRootInstaller(staged).install(root).ok;
}

// In the child: plays and checks one scenario; the exit status says how it went.
[[noreturn]] void playOne(uint64_t seed, const std::string& model, const fs::path& root, const fs::path& out,
    int timeoutSeconds)
{
    // A run that hangs ends with SIGALRM, which the parent reports; a run
    // whose parent is stopped ends with it.
    alarm(unsigned(timeoutSeconds));
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    auto stem = fileStem(model, seed);
    std::ofstream record(out / (stem + ".scenario"));
    std::ofstream events(out / (stem + ".events.log"));

    sim::RunOptions options;
    options.model = model;
    options.deviceRoot = root;
    options.outputFolder = out / (stem + "-screenshots");
    std::error_code error;
    fs::create_directories(options.outputFolder, error);

    std::vector<std::string> problems;
    int lines = 0;
    {
        sim::ScenarioSession session(options, events);
        monkey::Monkey monkey(seed, model);
        if (auto problem = monkey.play(session, record))
            problems.push_back(*problem);
        session.finish();
        lines = monkey.linesRun();
        auto more = monkey::checkNothingLeftRunning();
        problems.insert(problems.end(), more.begin(), more.end());
    }
    for (auto& found : { monkey::checkCameraRoll(root), monkey::checkSettingsFile(root) })
        problems.insert(problems.end(), found.begin(), found.end());
    for (auto& problem : problems)
        std::cerr << model << " seed " << seed << ": " << problem << '\n';
    int photos = 0, movies = 0;
    for (auto& entry : fs::recursive_directory_iterator(root / "var/mobile/Media/DCIM", error)) {
        auto extension = entry.path().extension().string();
        photos += extension == ".JPG";
        movies += extension == ".MOV";
    }
    std::ofstream(out / (stem + ".lines")) << lines << ' ' << photos << ' ' << movies << '\n';
    std::cout.flush();
    std::cerr.flush();
    // exit, not _exit: the leak checker runs at exit.
    std::exit(problems.empty() ? 0 : 1);
}

struct Tally {
    int scenarios { 0 };
    int64_t lines { 0 };
    int64_t photos { 0 };
    int64_t movies { 0 };
    int failed { 0 };
    double slowestSeconds { 0 };
    uint64_t slowestSeed { 0 };
};

// Runs one scenario in a child process; true when it passed.
bool runOne(uint64_t seed, const std::string& model, const fs::path& root, const fs::path& out, const fs::path& staged,
    int timeoutSeconds, bool keep, Tally& tally)
{
    auto stem = fileStem(model, seed);
    if (!freshUserFiles(root, staged)) {
        std::cerr << "cannot prepare the device root " << root << '\n';
        return false;
    }
    auto started = std::chrono::steady_clock::now();
    std::cout.flush();
    pid_t child = fork();
    if (child < 0) {
        std::cerr << "cannot start a process: " << std::strerror(errno) << '\n';
        return false;
    }
    if (child == 0)
        playOne(seed, model, root, out, timeoutSeconds);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    int lines = 0, photos = 0, movies = 0;
    std::ifstream(out / (stem + ".lines")) >> lines >> photos >> movies;
    ++tally.scenarios;
    tally.lines += lines;
    tally.photos += photos;
    tally.movies += movies;
    if (seconds > tally.slowestSeconds) {
        tally.slowestSeconds = seconds;
        tally.slowestSeed = seed;
    }
    bool passed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::error_code error;
    if (passed && keep)
        return true;
    if (passed) {
        for (auto suffix : { ".scenario", ".events.log", ".lines" })
            fs::remove(out / (stem + suffix), error);
        fs::remove_all(out / (stem + "-screenshots"), error);
        return true;
    }
    ++tally.failed;
    std::string how = WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM
        ? "did not finish within " + std::to_string(timeoutSeconds) + " s"
        : WIFSIGNALED(status) ? std::string("ended by signal ") + strsignal(WTERMSIG(status))
                              : "exit status " + std::to_string(WEXITSTATUS(status));
    std::cout << "FAILED " << model << " seed " << seed << ": " << how << "\n"
              << "  scenario: " << (out / (stem + ".scenario")).string() << "\n"
              << "  events:   " << (out / (stem + ".events.log")).string() << "\n"
              << "  replay:   vantor-monkey --device " << model << " --seeds " << seed << std::endl;
    return false;
}

}

int main(int argc, char** argv)
{
    CLI::App app { "vantor-monkey: random valid scenarios on every device class, checked after each" };
    std::vector<std::string> devices;
    std::string seedList;
    int count = 0;
    uint64_t firstSeed = 1000;
    double seconds = 0;
    std::string rootOption, outOption;
    int timeoutSeconds = 300;
    bool keep = false;
    app.add_option("--device", devices, "a model to run on (repeatable; default: a phone, the 3.5-inch phone, a pad)");
    app.add_option("--seeds", seedList, "seeds to replay on each device, e.g. 3,17,40-45");
    app.add_option("--count", count, "then this many fresh seeds on each device, from --first-seed");
    app.add_option("--first-seed", firstSeed, "the first of the fresh seeds");
    app.add_option("--seconds", seconds, "stop starting fresh seeds on a device after this long (0: no limit)");
    app.add_option("--root", rootOption, "the device root to run in (emptied of user files before each scenario)");
    app.add_option("--out", outOption, "where failing scenarios and their event logs are kept");
    app.add_option("--timeout", timeoutSeconds, "a scenario that runs longer than this many seconds fails");
    app.add_flag("--keep", keep, "keep the scenarios, event logs and screenshots of passing runs too");
    CLI11_PARSE(app, argc, argv);

    auto seeds = parseSeeds(seedList);
    if (!seeds) {
        std::cerr << "--seeds expects numbers and ranges such as 3,17,40-45\n";
        return 2;
    }
    if (devices.empty())
        devices.assign(std::begin(kDeviceClasses), std::end(kDeviceClasses));
    fs::path root = fs::absolute(rootOption.empty() ? fs::path(VANTOR_DEFAULT_ROOT) : fs::path(rootOption));
    fs::path out = fs::absolute(outOption.empty() ? fs::path("out/monkey") : fs::path(outOption));
    std::error_code error;
    fs::create_directories(out, error);
    // The children's leak checker and sanitizers report on the terminal.
    std::signal(SIGPIPE, SIG_IGN);

    int failed = 0;
    Tally overall;
    std::string slowestModel;
    for (auto& model : devices) {
        Tally tally;
        auto started = std::chrono::steady_clock::now();
        for (auto seed : *seeds)
            runOne(seed, model, root, out, VANTOR_STAGED_ROOT, timeoutSeconds, keep, tally);
        for (int i = 0; i < count; ++i) {
            double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            if (seconds > 0 && elapsed >= seconds)
                break;
            runOne(firstSeed + uint64_t(i), model, root, out, VANTOR_STAGED_ROOT, timeoutSeconds, keep, tally);
        }
        double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("%-10s %5d scenarios %7lld lines (%lld photos, %lld movies decoded) %3d failed in %6.1f s; "
                    "slowest: seed %llu (%.2f s)\n",
            model.c_str(), tally.scenarios, (long long)tally.lines, (long long)tally.photos, (long long)tally.movies,
            tally.failed, elapsed, (unsigned long long)tally.slowestSeed, tally.slowestSeconds);
        failed += tally.failed;
        overall.scenarios += tally.scenarios;
        overall.lines += tally.lines;
        overall.photos += tally.photos;
        overall.movies += tally.movies;
        if (tally.slowestSeconds > overall.slowestSeconds) {
            overall.slowestSeconds = tally.slowestSeconds;
            overall.slowestSeed = tally.slowestSeed;
            slowestModel = model;
        }
    }
    if (devices.size() > 1)
        std::printf("all        %5d scenarios %7lld lines (%lld photos, %lld movies decoded) %3d failed; "
                    "slowest: %s seed %llu (%.2f s)\n",
            overall.scenarios, (long long)overall.lines, (long long)overall.photos, (long long)overall.movies, failed,
            slowestModel.c_str(),
            (unsigned long long)overall.slowestSeed, overall.slowestSeconds);
    return failed == 0 ? 0 : 1;
}
