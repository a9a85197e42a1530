#pragma once

#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"

#include <type_traits>

namespace kit {

namespace detail {
// Both end the process in debug builds, naming the class and selector; in a
// release build a send that cannot be made answers zero.
[[noreturn]] void signatureMismatch(Class, SEL, Signature registered, Signature called);
void unrecognizedSelector(id receiver, SEL);
}

// Sends a message: finds the receiver's implementation for the selector and
// calls it with the arguments, exactly typed. The call's type
// R (*)(id, SEL, A...) must be the one the method was registered with; give
// the template arguments explicitly where a literal would deduce another
// type (msgSend<void, double>(view, sel, 1.0)). A message to nil does nothing
// and answers a zero R, as on the platform.
template <typename R = void, typename... A>
R msgSend(id self, SEL sel, std::type_identity_t<A>... args)
{
    if (!self) {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R {};
    }
    auto method = object_getClass(self)->lookup(sel);
    if (!method || !method->imp) {
        detail::unrecognizedSelector(self, sel);
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R {};
    }
#ifndef NDEBUG
    if (!sameSignature(method->signature, signatureOf<R, A...>()))
        detail::signatureMismatch(object_getClass(self), sel, method->signature, signatureOf<R, A...>());
#endif
    auto imp = reinterpret_cast<R (*)(id, SEL, A...)>(method->imp);
    return imp(self, sel, std::forward<A>(args)...);
}

// The same, with the arguments' types taken from the call.
template <typename R = void, typename... A>
R send(id self, SEL sel, A... args)
{
    return msgSend<R, A...>(self, sel, std::move(args)...);
}

// Sends to the class itself: its class methods.
template <typename R = void, typename... A>
R msgSendClass(Class cls, SEL sel, std::type_identity_t<A>... args)
{
    return msgSend<R, A...>(cls, sel, std::move(args)...);
}

}
