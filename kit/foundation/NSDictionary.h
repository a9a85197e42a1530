#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/runtime/Object.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace kit {

// A dictionary that can hold both property-list values and objects, as the
// camera's photo dictionary does. It is what "cameraController:capturedPhoto:error:"
// and "_capturedPhotoWithDictionary:error:" receive as their dictionary
// argument (a kit::id; kit::cast<kit::NSDictionary> gives this type).
//
// The camera's photo dictionary holds:
//   "kPLCameraPhotoPropertiesKey"  -> a property-list dictionary whose
//                                     "Orientation" is the EXIF orientation
//                                     (integer, 1 to 8)
//   "kPLCameraPhotoSurfaceKey"     -> a kit::IOSurface holding the JPEG bytes
//   "kPLCameraPhotoSurfaceSizeKey" -> the number of JPEG bytes in the
//                                     surface (integer)
//
// Mutable, so it also stands for NSMutableDictionary: mutableCopy() gives an
// independent copy whose object values are shared, as the platform's copy
// retains them.
class NSDictionary final : public Object {
    KIT_OBJECT(NSDictionary, Object)

public:
    using Value = std::variant<PropertyList, std::shared_ptr<Object>>;

    NSDictionary() = default;

    std::shared_ptr<NSDictionary> mutableCopy() const
    {
        auto copy = std::make_shared<NSDictionary>();
        copy->m_values = m_values;
        return copy;
    }

    size_t count() const { return m_values.size(); }
    bool containsKey(std::string_view key) const { return m_values.find(key) != m_values.end(); }

    // Nothing when the key is missing or holds a value of the other kind.
    const PropertyList* propertyForKey(std::string_view key) const
    {
        auto it = m_values.find(key);
        return it == m_values.end() ? nullptr : std::get_if<PropertyList>(&it->second);
    }
    id objectForKey(std::string_view key) const
    {
        auto shared = sharedObjectForKey(key);
        return shared.get();
    }
    std::shared_ptr<Object> sharedObjectForKey(std::string_view key) const
    {
        auto it = m_values.find(key);
        if (it == m_values.end())
            return nullptr;
        auto object = std::get_if<std::shared_ptr<Object>>(&it->second);
        return object ? *object : nullptr;
    }

    void setProperty(std::string key, PropertyList value) { m_values[std::move(key)] = std::move(value); }
    // A null object removes the key, as setting nil would be refused.
    void setObject(std::string key, std::shared_ptr<Object> object)
    {
        if (!object) {
            removeObjectForKey(key);
            return;
        }
        m_values[std::move(key)] = std::move(object);
    }
    void removeObjectForKey(std::string_view key)
    {
        if (auto it = m_values.find(key); it != m_values.end())
            m_values.erase(it);
    }

private:
    std::map<std::string, Value, std::less<>> m_values;
};

}
