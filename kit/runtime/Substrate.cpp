#include "kit/runtime/Substrate.h"

#include "kit/foundation/SystemLog.h"
#include "kit/runtime/MessageSend.h"
#include "kit/runtime/Runtime.h"

namespace kit {

void MSHookMessageEx(Class cls, SEL sel, IMP replacement, IMP* result)
{
    if (result)
        *result = nullptr;
    if (!cls) {
        logf("MSHookMessageEx: no class for %s", sel_getName(sel));
        return;
    }
    auto inherited = cls->lookup(sel);
    if (!inherited) {
        logf("MSHookMessageEx: [%s %s] not found", class_getName(cls), sel_getName(sel));
        return;
    }
    auto own = cls->ownMethod(sel);
    auto previous = Runtime::setImplementation(cls, sel, replacement, inherited->signature);
    if (result)
        *result = own && previous ? previous->imp : inherited->imp;
}

void checkHookSignature(Class cls, SEL sel, Signature signature)
{
#ifndef NDEBUG
    if (!cls)
        return;
    if (auto method = cls->lookup(sel); method && !sameSignature(method->signature, signature))
        detail::signatureMismatch(cls, sel, method->signature, signature);
#else
    (void)cls;
    (void)sel;
    (void)signature;
#endif
}

}
