// Load and save of a settings file of 40 keys, the size the camera's file has.

#include "kit/foundation/ColorArchive.h"
#include "kit/foundation/PropertyListFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

using namespace kit;

namespace {

PropertyList::Dictionary fortyKeys()
{
    PropertyList::Dictionary settings;
    for (int i = 0; i < 12; ++i)
        settings["flag" + std::to_string(i)] = (i % 2 == 0);
    for (int i = 0; i < 24; ++i)
        settings["value" + std::to_string(i)] = i * 10;
    settings["timeStampFontName"] = "GillSans-Bold";
    settings["timeStampFontColor"] = archiveColor(ArchivedColor::rgba(1.0, 0.8, 0.0, 1.0));
    settings["timeStampFontColorSet"] = 1;
    settings["rememberSettings"] = true;
    return settings;
}

std::string benchPath()
{
    return (std::filesystem::temp_directory_path() / ("bench-settings-" + std::to_string(::getpid()) + ".plist"))
        .string();
}

void BM_SaveSettingsFile(benchmark::State& state)
{
    auto settings = fortyKeys();
    auto path = benchPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(writeToFile(settings, path, true));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveSettingsFile)->Unit(benchmark::kMicrosecond);

void BM_LoadSettingsFile(benchmark::State& state)
{
    auto path = benchPath();
    writeToFile(fortyKeys(), path, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(dictionaryWithContentsOfFile(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadSettingsFile)->Unit(benchmark::kMicrosecond);

}
