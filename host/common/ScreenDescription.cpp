#include "host/common/ScreenDescription.h"

#include "kit/ui/ViewTreeDescription.h"

#include <fstream>

namespace host {

bool describeScreen(const std::filesystem::path& txt)
{
    std::ofstream out(txt);
    kit::describeWindows(out);
    out.close();
    return bool(out);
}

}
