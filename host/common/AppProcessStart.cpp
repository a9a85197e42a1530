#include "host/common/AppProcessStart.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIApplication.h"

namespace host {

void startAppProcess(kit::ProcessIdentity identity, const std::filesystem::path& deviceRoot)
{
    kit::ProcessIdentity::set(std::move(identity));
    if (!std::filesystem::exists(deviceRoot / "var/mobile"))
        kit::DeviceRoot::prepare(deviceRoot);
    kit::DeviceRoot::set(deviceRoot);
    kit::RunLoop::main().resetWithVirtualClock();
    kit::UIApplication::sharedApplication()->resetTouches();
}

}
