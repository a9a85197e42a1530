#pragma once

#include "kit/runtime/Types.h"

#include <string_view>

namespace kit {

// Selectors are interned: two selectors with the same name are the same
// pointer, so they compare and hash as pointers. They live for the process.
SEL sel_registerName(std::string_view name);
const char* sel_getName(SEL);

}
