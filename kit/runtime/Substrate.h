#pragma once

#include "kit/runtime/Class.h"

namespace kit {

// The injection framework's method replacement. Replaces the implementation
// of the selector on the class and stores the previous implementation in
// *result, which the replacement calls to reach the original behaviour.
//
// A method that the class only inherits gets an entry of its own, and the
// inherited implementation is handed back. A class that is nil, or a selector
// that no class in the chain implements, replaces nothing and leaves *result
// empty (nullptr). Safe to call from any thread.
void MSHookMessageEx(Class, SEL, IMP replacement, IMP* result);

// The same with the types checked at compile time against each other and, in
// debug builds, against the method's registered signature:
// hookMessage(cls, sel, &_method$X$y$, &_orig$X$y$).
void checkHookSignature(Class, SEL, Signature);

template <typename R, typename... A>
void hookMessage(Class cls, SEL sel, R (*replacement)(id, SEL, A...), R (**original)(id, SEL, A...))
{
    checkHookSignature(cls, sel, signatureOf<R, A...>());
    MSHookMessageEx(cls, sel, reinterpret_cast<IMP>(replacement), reinterpret_cast<IMP*>(original));
}

}
