#pragma once

#include "kit/ui/Geometry.h"

#include <optional>
#include <string>

namespace sim {

// Where a person would touch a view: the centre of the front-most visible
// view of exactly that class on the main screen, in screen points. Nothing
// when none is shown. For tests and measurements that click what they see.
std::optional<kit::CGPoint> centreOfVisibleView(const std::string& className);

}
