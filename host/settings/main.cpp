// vantor-settings: the Settings app in a process of its own, driven by the
// home screen (vantor-sim) over its standard input and output.

#include "host/settings/SettingsAppServer.h"

#include "kit/foundation/SystemLog.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    std::string model = "iPhone6,1";
    std::string root;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--device") && i + 1 < argc)
            model = argv[++i];
        else if (!std::strcmp(argv[i], "--root") && i + 1 < argc)
            root = argv[++i];
        else if (!std::strcmp(argv[i], "-v"))
            verbose = true;
        else {
            std::fprintf(stderr, "usage: vantor-settings --root DEVICE_ROOT [--device MODEL] [-v]\n");
            return 2;
        }
    }
    kit::SystemLog::openLog("Preferences");
    kit::SystemLog::setMirrorsToStandardError(verbose);
    return host::serveSettingsApp(model, root, stdin, stdout);
}
