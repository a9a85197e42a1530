#include "host/camera/PLPhotoLibrary.h"

#include "host/camera/HostRuntime.h"
#include "host/camera/PLDCIMDirectory.h"

namespace host {

KIT_REGISTER_CLASS(PLPhotoLibrary);

kit::id PLPhotoLibrary::simpleDCIMDirectory()
{
    static const auto directory = std::make_shared<PLDCIMDirectory>();
    return directory.get();
}

void PLPhotoLibrary::registerRuntimeMethods()
{
    registerMethod(sel::PLPhotoLibrary_simpleDCIMDirectory, +[](kit::id, kit::SEL) { return simpleDCIMDirectory(); });
}

}
