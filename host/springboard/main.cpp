// vantor-springboard: the home screen (lock screen, home screen and the
// camera on the lock screen) in a process of its own, driven by vantor-sim
// over its standard input and output.

#include "host/springboard/SpringBoardServer.h"

#include "kit/foundation/SystemLog.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    host::SpringBoardOptions options;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--device") && i + 1 < argc)
            options.model = argv[++i];
        else if (!std::strcmp(argv[i], "--root") && i + 1 < argc)
            options.deviceRoot = argv[++i];
        else if (!std::strcmp(argv[i], "--scene") && i + 1 < argc)
            options.scene.scene = argv[++i];
        else if (!std::strcmp(argv[i], "--scene-depth") && i + 1 < argc)
            options.scene.sceneDepth = argv[++i];
        else if (!std::strcmp(argv[i], "--camera") && i + 1 < argc)
            options.scene.camera = argv[++i];
        else if (!std::strcmp(argv[i], "--front-camera") && i + 1 < argc)
            options.scene.frontCamera = argv[++i];
        else if (!std::strcmp(argv[i], "--no-extension"))
            options.loadExtension = false;
        else if (!std::strcmp(argv[i], "-v"))
            verbose = true;
        else {
            std::fprintf(stderr,
                "usage: vantor-springboard --root DEVICE_ROOT [--device MODEL] [--scene PICTURE_OR_MOVIE [--scene-depth MAP]]\n"
                "       [--camera SOURCE] [--front-camera SOURCE] [--no-extension] [-v]\n");
            return 2;
        }
    }
    kit::SystemLog::openLog("SpringBoard");
    kit::SystemLog::setMirrorsToStandardError(verbose);
    return host::serveSpringBoard(std::move(options), stdin, stdout);
}
