// vantor-artwork: draws the extension's resource folder (images, the
// count-down sound) and, on request, lays out a device root around it or a
// contact sheet of the artwork.

#include "resources/artwork/ArtworkWriter.h"
#include "resources/artwork/ContactSheet.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: vantor-artwork [FOLDER] [--device-root DIR] [--settings-bundle DIR] [--contact-sheet FILE]\n"
    "  FOLDER               write the resource folder's files here\n"
    "  --device-root DIR    lay out a device root in DIR and write the resource\n"
    "                       folder into it at its device path\n"
    "  --settings-bundle DIR write the settings bundle's images (the colour picker's\n"
    "                       plane, the manual's pictures) into its folder\n"
    "  --contact-sheet FILE write every image on one sheet (PNG) to look at\n";

struct Options {
    std::optional<std::filesystem::path> folder;
    std::optional<std::filesystem::path> deviceRoot;
    std::optional<std::filesystem::path> settingsBundle;
    std::optional<std::filesystem::path> contactSheet;
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        auto value = [&]() -> std::optional<std::filesystem::path> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::filesystem::path(argv[++i]);
        };
        if (argument == "--device-root") {
            if (!(options.deviceRoot = value()))
                return std::nullopt;
        } else if (argument == "--settings-bundle") {
            if (!(options.settingsBundle = value()))
                return std::nullopt;
        } else if (argument == "--contact-sheet") {
            if (!(options.contactSheet = value()))
                return std::nullopt;
        } else if (!argument.starts_with("-") && !options.folder) {
            options.folder = std::filesystem::path(argument);
        } else {
            return std::nullopt;
        }
    }
    if (!options.folder && !options.deviceRoot && !options.settingsBundle && !options.contactSheet)
        return std::nullopt;
    return options;
}

bool reportOutcome(const vantor::resources::GenerationReport& report, const std::filesystem::path& folder)
{
    for (const auto& failure : report.failures)
        std::fprintf(stderr, "vantor-artwork: %s\n", failure.c_str());
    std::printf("vantor-artwork: %d images%s in %s\n", report.imagesWritten, report.soundWritten ? " and the count-down sound" : "", folder.c_str());
    return report.succeeded();
}

}

int main(int argc, char** argv)
{
    using namespace vantor::resources;
    auto options = parse(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    bool ok = true;
    if (options->deviceRoot) {
        auto report = writeDeviceRoot(*options->deviceRoot);
        ok = reportOutcome(report, resourceFolderInDeviceRoot(*options->deviceRoot)) && ok;
    }
    if (options->folder)
        ok = reportOutcome(writeResourceFolder(*options->folder), *options->folder) && ok;
    if (options->settingsBundle)
        ok = reportOutcome(writeSettingsBundleImages(*options->settingsBundle), *options->settingsBundle) && ok;
    if (options->contactSheet) {
        if (writeContactSheet(*options->contactSheet)) {
            std::printf("vantor-artwork: contact sheet in %s\n", options->contactSheet->c_str());
        } else {
            std::fprintf(stderr, "vantor-artwork: cannot write the contact sheet %s\n", options->contactSheet->c_str());
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
