#pragma once

#include "kit/runtime/Types.h"

#include <memory>
#include <string>
#include <string_view>

namespace kit {

Class registerClass(std::string_view name, Class superclass);

// The root of every object that the runtime can send messages to.
//
// An object's runtime class is given by isa(); C++ classes that take part
// declare it with KIT_OBJECT, so exact-class and kind-of-class tests work by
// the platform's class names. Objects are owned through std::shared_ptr.
class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    static Class staticClass();
    virtual Class isa() const;

    // Whether a message with this selector finds an implementation. A class
    // may answer no for a method it has, as the platform allows.
    virtual bool respondsToSelector(SEL) const;

    bool isKindOfClass(Class) const;
    bool isMemberOfClass(Class) const;
    bool isKindOfClassNamed(std::string_view name) const;
    bool isMemberOfClassNamed(std::string_view name) const;
    const char* className() const;

    // A shared pointer to this object when one owns it; nothing otherwise.
    template <typename T = Object>
    std::shared_ptr<T> strongRef()
    {
        auto self = weak_from_this().lock();
        return std::dynamic_pointer_cast<T>(self);
    }
};

// A checked downcast of a receiver: nothing when it is not a T.
template <typename T>
T* cast(id object)
{
    return dynamic_cast<T*>(object);
}

}

// Declares a C++ class's runtime class: KIT_OBJECT(UILabel, UIView) inside
// class UILabel makes objc_getClass("UILabel") a subclass of "UIView".
#define KIT_OBJECT(Type, Super)                                                        \
public:                                                                                \
    static ::kit::Class staticClass()                                                  \
    {                                                                                  \
        static const ::kit::Class cls = ::kit::registerClass(#Type, Super::staticClass()); \
        return cls;                                                                    \
    }                                                                                  \
    ::kit::Class isa() const override { return staticClass(); }                        \
                                                                                       \
private:

// Registers a class when the library that defines it is loaded, so that it can
// be found by name before the first instance exists. Use once, in a .cpp.
#define KIT_REGISTER_CLASS(Type)                                                       \
    [[maybe_unused]] static const ::kit::Class kitRegisteredClass_##Type = Type::staticClass()
