#include "kit/foundation/NotYet.h"
#include "kit/foundation/SystemLog.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kit;

TEST(NotYetMarker, LogsItsTextOncePerCallSite)
{
    SystemLog::clearRecentLines();
    for (int i = 0; i < 3; ++i)
        NOT_YET("the movie export");
    NOT_YET("the movie export");
    auto lines = SystemLog::recentLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                  [](auto& l) { return l.find("not yet built: the movie export") != std::string::npos; }),
        2);
}
