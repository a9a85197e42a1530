#include "extension/startup/ReplacementTable.h"

#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"
#include "kit/runtime/Substrate.h"

namespace vantor {

#define VANTOR_DEFINE_SLOT(replacement, slot, cls, selector, kind, result, ...) \
    result (*slot)(kit::id, kit::SEL __VA_OPT__(, ) __VA_ARGS__) = nullptr;
VANTOR_REPLACEMENTS(VANTOR_DEFINE_SLOT)
#undef VANTOR_DEFINE_SLOT

namespace {

kit::Class lookUp(const char* name, ReplacedOn kind)
{
    return kind == ReplacedOn::ClassMethod ? kit::objc_getMetaClass(name) : kit::objc_getClass(name);
}

}

void installReplacements()
{
#define VANTOR_INSTALL_REPLACEMENT(replacement, slot, cls, selector, kind, result, ...) \
    kit::hookMessage(lookUp(cls, ReplacedOn::kind), kit::sel_registerName(selector), &replacement, &slot);
    VANTOR_REPLACEMENTS(VANTOR_INSTALL_REPLACEMENT)
#undef VANTOR_INSTALL_REPLACEMENT
}

}
