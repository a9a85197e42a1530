#pragma once

#include "kit/runtime/Object.h"

#include <memory>

namespace host {

// The photo library's class side: simpleDCIMDirectory answers the camera's
// photo folder (a PLDCIMDirectory), which names the next file.
class PLPhotoLibrary final : public kit::Object {
    KIT_OBJECT(PLPhotoLibrary, kit::Object)

public:
    // The one folder object of the process; it lives as long as the process.
    static kit::id simpleDCIMDirectory();

    static void registerRuntimeMethods();
};

}
