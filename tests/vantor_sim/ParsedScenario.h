#pragma once

#include "Scenario.h"

#include <gtest/gtest.h>

#include <string_view>

namespace sim::testing {

// The scenario a text makes; a text that does not parse fails the test
// with the parser's message and gives an empty scenario.
inline Scenario parsed(std::string_view text)
{
    auto result = Scenario::parse(text);
    if (auto* error = std::get_if<ScenarioError>(&result))
        ADD_FAILURE() << error->message;
    return std::get_if<Scenario>(&result) ? std::get<Scenario>(result) : Scenario {};
}

}
