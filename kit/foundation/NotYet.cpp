#include "kit/foundation/NotYet.h"

#include "kit/foundation/SystemLog.h"

namespace kit::detail {

void reportNotYet(const char* what, const char* file, int line)
{
    logf("not yet built: %s (%s:%d)", what, file, line);
}

}
