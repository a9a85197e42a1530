#include "host/camera/PLDCIMDirectory.h"

#include "host/camera/HostRuntime.h"

#include "kit/foundation/DeviceRoot.h"

#include <cstdio>
#include <filesystem>
#include <regex>

namespace host {

KIT_REGISTER_CLASS(PLDCIMDirectory);

namespace {

struct Position {
    int folder { 100 };
    int number { 0 };
};

Position highestExisting()
{
    namespace fs = std::filesystem;
    static const std::regex folderPattern("([1-9][0-9]{2})APPLE");
    // A file still being written (".IMG_0001.MOV.partial-…", a movie while it
    // records) holds its number too.
    static const std::regex filePattern("\\.?IMG_([0-9]{4})\\.[A-Za-z0-9]+(\\.partial-[A-Za-z0-9]+)?");
    Position highest;
    std::error_code error;
    fs::path dcim = kit::DeviceRoot::resolve(PLDCIMDirectory::devicePath);
    for (const auto& folder : fs::directory_iterator(dcim, error)) {
        std::smatch match;
        std::string name = folder.path().filename().string();
        if (!folder.is_directory(error) || !std::regex_match(name, match, folderPattern))
            continue;
        int folderNumber = std::stoi(match[1]);
        std::error_code inner;
        for (const auto& file : fs::directory_iterator(folder.path(), inner)) {
            std::string fileName = file.path().filename().string();
            std::smatch fileMatch;
            if (!std::regex_match(fileName, fileMatch, filePattern))
                continue;
            Position found { folderNumber, std::stoi(fileMatch[1]) };
            if (found.folder > highest.folder || (found.folder == highest.folder && found.number > highest.number))
                highest = found;
        }
    }
    return highest;
}

}

std::string PLDCIMDirectory::nextAvailableDevicePath(const std::string& extension)
{
    Position next = highestExisting();
    if (++next.number > 9999) {
        ++next.folder;
        next.number = 1;
    }
    char name[64];
    std::snprintf(name, sizeof name, "/%03dAPPLE/IMG_%04d.", next.folder, next.number);
    return std::string(devicePath) + name + extension;
}

std::string PLDCIMDirectory::nextAvailableFileURLWithExtension(std::string extension)
{
    return "file://" + nextAvailableDevicePath(extension);
}

void PLDCIMDirectory::registerRuntimeMethods()
{
    registerMethod(sel::PLDCIMDirectory_nextAvailableFileURL,
        memberImp<&PLDCIMDirectory::nextAvailableFileURLWithExtension>());
}

}
