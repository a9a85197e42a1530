#include "kit/foundation/SystemLog.h"

extern "C" __attribute__((visibility("default"))) void TestTweakInitialize()
{
    kit::SystemLog::write("TestTweak initialised");
}
