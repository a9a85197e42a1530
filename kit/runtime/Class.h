#pragma once

#include "kit/runtime/Object.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace kit {

struct Method {
    IMP imp { nullptr };
    Signature signature { nullptr };
};

// A runtime class: a name, a superclass and a table of methods. Every class
// has a meta-class that holds its class methods; a class is itself an object
// whose isa() is its meta-class, so class methods are sent to the class.
//
// Classes live for the whole process. Method tables may be changed from any
// thread; lookups are cached per thread and see every change at once.
class objc_class final : public Object {
public:
    objc_class(std::string name, Class superclass, objc_class* metaClass);

    Class isa() const override;

    const std::string& name() const { return m_name; }
    Class superclass() const { return m_superclass; }
    bool isMetaClass() const { return m_isMeta; }
    Class metaClass() const { return m_meta; }

    // The implementation found for a selector, searching superclasses.
    std::optional<Method> lookup(SEL) const;
    // The entry in this class's own table only.
    std::optional<Method> ownMethod(SEL) const;

    bool isSubclassOf(Class) const;

    // Makes one instance, as alloc + init would; nothing for classes that
    // cannot be made by name.
    std::shared_ptr<Object> createInstance() const;
    void setFactory(std::function<std::shared_ptr<Object>()>);

private:
    friend class Runtime;

    std::string m_name;
    Class m_superclass { nullptr };
    objc_class* m_meta { nullptr };
    bool m_isMeta { false };
    std::unordered_map<SEL, Method> m_methods;
    std::function<std::shared_ptr<Object>()> m_factory;
};

// Class lookup by name, as on the platform. Unknown names give nothing.
Class objc_getClass(std::string_view name);
Class objc_getMetaClass(std::string_view name);
Class NSClassFromString(std::string_view name);
const char* class_getName(Class);
Class class_getSuperclass(Class);
Class object_getClass(id);

// Adds a method to a class's own table. Fails (returns false) when the class
// already has its own method for the selector.
bool class_addMethod(Class, SEL, IMP, Signature);
// Replaces or adds; answers the previous own implementation, or nothing.
IMP class_replaceMethod(Class, SEL, IMP, Signature);
std::optional<Method> class_getInstanceMethod(Class, SEL);
bool class_respondsToSelector(Class, SEL);

// Typed registration: the signature is taken from the function's type.
template <typename R, typename... A>
bool addMethod(Class cls, SEL sel, R (*imp)(id, SEL, A...))
{
    return class_addMethod(cls, sel, reinterpret_cast<IMP>(imp), signatureOf<R, A...>());
}

template <typename R, typename... A>
bool addClassMethod(Class cls, SEL sel, R (*imp)(id, SEL, A...))
{
    return cls && addMethod(cls->metaClass(), sel, imp);
}

// An implementation that forwards to a member function:
// addMethod(cls, sel, memberImp<&PLCameraView::capturePhoto>()).
template <auto Member>
struct MemberThunk;

template <typename C, typename R, typename... A, R (C::*M)(A...)>
struct MemberThunk<M> {
    static R call(id self, SEL, A... args) { return (static_cast<C*>(self)->*M)(std::forward<A>(args)...); }
};

template <typename C, typename R, typename... A, R (C::*M)(A...) const>
struct MemberThunk<M> {
    static R call(id self, SEL, A... args) { return (static_cast<const C*>(self)->*M)(std::forward<A>(args)...); }
};

template <auto Member>
constexpr auto memberImp()
{
    return &MemberThunk<Member>::call;
}

}
