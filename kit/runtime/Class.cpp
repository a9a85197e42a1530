#include "kit/runtime/Class.h"

#include "kit/foundation/SystemLog.h"
#include "kit/runtime/Runtime.h"
#include "kit/runtime/Selector.h"

#include <atomic>
#include <cassert>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace kit {

namespace {

struct ClassTable {
    std::shared_mutex mutex;
    std::unordered_map<std::string, std::unique_ptr<objc_class>> classes;
    std::vector<std::unique_ptr<objc_class>> metaClasses;
    Class rootClass { nullptr };
    // Bumped on every change of any method table; per-thread caches that hold
    // an older generation are dropped.
    std::atomic<uint64_t> generation { 1 };
};

ClassTable& table()
{
    static ClassTable t;
    return t;
}

struct LookupKey {
    const objc_class* cls;
    SEL sel;
    bool operator==(const LookupKey&) const = default;
};

struct LookupKeyHash {
    size_t operator()(const LookupKey& k) const
    {
        auto a = reinterpret_cast<uintptr_t>(k.cls);
        auto b = reinterpret_cast<uintptr_t>(k.sel);
        return std::hash<uintptr_t> {}(a * 31 + (b >> 3));
    }
};

struct LookupCache {
    uint64_t generation { 0 };
    std::unordered_map<LookupKey, std::optional<Method>, LookupKeyHash> entries;
};

std::optional<Method> uncachedLookup(const objc_class* cls, SEL sel)
{
    for (Class c = const_cast<objc_class*>(cls); c; c = c->superclass()) {
        if (auto method = c->ownMethod(sel))
            return method;
    }
    return std::nullopt;
}

}

objc_class::objc_class(std::string name, Class superclass, objc_class* metaClass)
    : m_name(std::move(name))
    , m_superclass(superclass)
    , m_meta(metaClass)
    , m_isMeta(metaClass == nullptr)
{
}

Class objc_class::isa() const
{
    if (!m_isMeta)
        return m_meta;
    // Every meta-class is an instance of the root meta-class.
    auto root = table().rootClass;
    return root ? root->metaClass() : nullptr;
}

std::optional<Method> objc_class::ownMethod(SEL sel) const
{
    std::shared_lock lock(table().mutex);
    if (auto it = m_methods.find(sel); it != m_methods.end())
        return it->second;
    return std::nullopt;
}

std::optional<Method> objc_class::lookup(SEL sel) const
{
    thread_local LookupCache cache;
    auto& t = table();
    auto generation = t.generation.load(std::memory_order_acquire);
    if (cache.generation != generation) {
        cache.entries.clear();
        cache.generation = generation;
    }
    LookupKey key { this, sel };
    if (auto it = cache.entries.find(key); it != cache.entries.end())
        return it->second;
    auto found = uncachedLookup(this, sel);
    cache.entries.emplace(key, found);
    return found;
}

bool objc_class::isSubclassOf(Class other) const
{
    for (const objc_class* c = this; c; c = c->superclass()) {
        if (c == other)
            return true;
    }
    return false;
}

std::shared_ptr<Object> objc_class::createInstance() const
{
    std::function<std::shared_ptr<Object>()> factory;
    {
        std::shared_lock lock(table().mutex);
        factory = m_factory;
    }
    return factory ? factory() : nullptr;
}

void objc_class::setFactory(std::function<std::shared_ptr<Object>()> factory)
{
    std::unique_lock lock(table().mutex);
    m_factory = std::move(factory);
}

Class Runtime::registerClass(std::string_view name, Class superclass)
{
    auto& t = table();
    std::unique_lock lock(t.mutex);
    if (auto it = t.classes.find(std::string(name)); it != t.classes.end()) {
        assert(it->second->superclass() == superclass && "a class was registered twice with different superclasses");
        return it->second.get();
    }
    // A meta-class inherits from the superclass's meta-class; the root
    // meta-class inherits from the root class, as on the platform.
    Class metaSuper = superclass ? superclass->metaClass() : nullptr;
    auto meta = std::make_unique<objc_class>(std::string(name), metaSuper, nullptr);
    auto cls = std::make_unique<objc_class>(std::string(name), superclass, meta.get());
    Class result = cls.get();
    if (!superclass && !t.rootClass) {
        t.rootClass = result;
        meta->m_superclass = result;
    }
    t.metaClasses.push_back(std::move(meta));
    t.classes.emplace(std::string(name), std::move(cls));
    t.generation.fetch_add(1, std::memory_order_release);
    return result;
}

bool Runtime::addMethod(Class cls, SEL sel, Method method)
{
    if (!cls || !sel)
        return false;
    auto& t = table();
    std::unique_lock lock(t.mutex);
    bool added = cls->m_methods.emplace(sel, method).second;
    t.generation.fetch_add(1, std::memory_order_release);
    return added;
}

std::optional<Method> Runtime::setImplementation(Class cls, SEL sel, IMP imp, Signature signatureIfNew)
{
    auto& t = table();
    std::unique_lock lock(t.mutex);
    std::optional<Method> previous;
    auto it = cls->m_methods.find(sel);
    if (it != cls->m_methods.end()) {
        previous = it->second;
        it->second.imp = imp;
    } else {
        cls->m_methods.emplace(sel, Method { imp, signatureIfNew });
    }
    t.generation.fetch_add(1, std::memory_order_release);
    return previous;
}

Class registerClass(std::string_view name, Class superclass)
{
    return Runtime::registerClass(name, superclass);
}

Class objc_getClass(std::string_view name)
{
    auto& t = table();
    std::shared_lock lock(t.mutex);
    auto it = t.classes.find(std::string(name));
    return it == t.classes.end() ? nullptr : it->second.get();
}

Class objc_getMetaClass(std::string_view name)
{
    Class cls = objc_getClass(name);
    return cls ? cls->metaClass() : nullptr;
}

Class NSClassFromString(std::string_view name)
{
    return objc_getClass(name);
}

const char* class_getName(Class cls)
{
    return cls ? cls->name().c_str() : "nil";
}

Class class_getSuperclass(Class cls)
{
    return cls ? cls->superclass() : nullptr;
}

Class object_getClass(id object)
{
    return object ? object->isa() : nullptr;
}

bool class_addMethod(Class cls, SEL sel, IMP imp, Signature signature)
{
    return Runtime::addMethod(cls, sel, Method { imp, signature });
}

IMP class_replaceMethod(Class cls, SEL sel, IMP imp, Signature signature)
{
    if (!cls || !sel)
        return nullptr;
    auto previous = Runtime::setImplementation(cls, sel, imp, signature);
    return previous ? previous->imp : nullptr;
}

std::optional<Method> class_getInstanceMethod(Class cls, SEL sel)
{
    return cls ? cls->lookup(sel) : std::nullopt;
}

bool class_respondsToSelector(Class cls, SEL sel)
{
    return cls && cls->lookup(sel).has_value();
}

// Object's runtime side lives here, beside the class table it reads.

Class Object::staticClass()
{
    static const Class cls = Runtime::registerClass("NSObject", nullptr);
    return cls;
}

Class Object::isa() const
{
    return staticClass();
}

bool Object::respondsToSelector(SEL sel) const
{
    return class_respondsToSelector(isa(), sel);
}

bool Object::isKindOfClass(Class cls) const
{
    Class mine = isa();
    return mine && cls && mine->isSubclassOf(cls);
}

bool Object::isMemberOfClass(Class cls) const
{
    return cls && isa() == cls;
}

bool Object::isKindOfClassNamed(std::string_view name) const
{
    return isKindOfClass(objc_getClass(name));
}

bool Object::isMemberOfClassNamed(std::string_view name) const
{
    return isMemberOfClass(objc_getClass(name));
}

const char* Object::className() const
{
    return class_getName(isa());
}

}
