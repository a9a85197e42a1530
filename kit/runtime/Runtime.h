#pragma once

#include "kit/runtime/Class.h"

namespace kit {

// The class table's writers, shared by registration and method replacement.
class Runtime {
public:
    static Class registerClass(std::string_view name, Class superclass);
    static bool addMethod(Class, SEL, Method);
    // Sets a class's own implementation and answers the entry it replaced; a
    // new entry takes the given signature.
    static std::optional<Method> setImplementation(Class, SEL, IMP, Signature signatureIfNew);
};

}
