// Feeds arbitrary text to the scenario parser: it answers a scenario or the
// first wrong line, never anything else. What it accepts is in line order
// and holds only finite numbers and positive durations.

#include "Scenario.h"

#include <cmath>
#include <cstdlib>
#include <type_traits>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkNumbers(const sim::Command& command)
{
    std::visit(
        [](const auto& c) {
            using T = std::decay_t<decltype(c)>;
            using namespace sim::command;
            if constexpr (std::is_same_v<T, Tap>) {
                require(std::isfinite(c.x) && std::isfinite(c.y));
            } else if constexpr (std::is_same_v<T, LongPress>) {
                require(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.seconds) && c.seconds > 0);
            } else if constexpr (std::is_same_v<T, Drag>) {
                require(std::isfinite(c.x1) && std::isfinite(c.y1) && std::isfinite(c.x2) && std::isfinite(c.y2));
                require(std::isfinite(c.seconds) && c.seconds > 0);
            } else if constexpr (std::is_same_v<T, Gravity>) {
                require(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z));
            } else if constexpr (std::is_same_v<T, Wait>) {
                require(std::isfinite(c.seconds) && c.seconds >= 0);
            }
        },
        command);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto parsed = sim::Scenario::parse(text);
    if (auto* error = std::get_if<sim::ScenarioError>(&parsed)) {
        require(error->line >= 1 && !error->message.empty());
        return 0;
    }
    int last = 0;
    for (auto& line : std::get<sim::Scenario>(parsed).lines) {
        require(line.number > last);
        last = line.number;
        checkNumbers(line.command);
    }
    return 0;
}
