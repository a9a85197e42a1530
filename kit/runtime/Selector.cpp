#include "kit/runtime/Selector.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace kit {

struct objc_selector {
    std::string name;
};

namespace {

struct SelectorTable {
    std::mutex mutex;
    std::unordered_map<std::string_view, std::unique_ptr<objc_selector>> byName;
};

SelectorTable& table()
{
    static SelectorTable t;
    return t;
}

}

SEL sel_registerName(std::string_view name)
{
    auto& t = table();
    std::lock_guard lock(t.mutex);
    if (auto it = t.byName.find(name); it != t.byName.end())
        return it->second.get();
    auto selector = std::make_unique<objc_selector>(objc_selector { std::string(name) });
    std::string_view key = selector->name;
    SEL result = selector.get();
    t.byName.emplace(key, std::move(selector));
    return result;
}

const char* sel_getName(SEL selector)
{
    return selector ? selector->name.c_str() : "<null selector>";
}

}
