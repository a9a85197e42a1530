#pragma once

#include <typeinfo>

// The runtime's basic names, as the platform spells them.
namespace kit {

class Object;
class objc_class;
struct objc_selector;

// A message receiver. Never owning: whoever keeps an object alive holds a
// std::shared_ptr to it; a message to nil does nothing and answers zero.
using id = Object*;
using Class = objc_class*;
using SEL = const objc_selector*;

// An implementation as stored in a method table. It is always called through
// its real type, R (*)(id, SEL, Args...), which the table records beside it.
using IMP = void (*)();

// The type of an implementation, used to catch calls through a wrong one.
using Signature = const std::type_info*;

template <typename R, typename... A>
Signature signatureOf()
{
    return &typeid(R (*)(id, SEL, A...));
}

inline bool sameSignature(Signature a, Signature b)
{
    return a == b || (a && b && *a == *b);
}

}
