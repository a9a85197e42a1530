#pragma once

#include "kit/foundation/PropertyList.h"
#include "kit/runtime/Object.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace host {

// A dictionary that can hold both property-list values and objects, as the
// camera's photo dictionary does. It is what "cameraController:capturedPhoto:error:"
// and "_capturedPhotoWithDictionary:error:" receive as their dictionary
// argument (a kit::id; kit::cast<host::NSDictionary> gives this type).
//
// The photo dictionary holds:
//   "kPLCameraPhotoPropertiesKey"  -> a property-list dictionary whose
//                                     "Orientation" is the EXIF orientation
//                                     (integer, 1 to 8)
//   "kPLCameraPhotoSurfaceKey"     -> a kit::IOSurface holding the JPEG bytes
//   "kPLCameraPhotoSurfaceSizeKey" -> the number of JPEG bytes in the
//                                     surface (integer)
//
// Mutable, so it also stands for NSMutableDictionary: mutableCopy() gives an
// independent copy whose object values are shared, as the platform's copy
// retains them. Header-only, needing only kit, so any library may use it.
class NSDictionary final : public kit::Object {
    KIT_OBJECT(NSDictionary, kit::Object)

public:
    using Value = std::variant<kit::PropertyList, std::shared_ptr<kit::Object>>;

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
    const kit::PropertyList* propertyForKey(std::string_view key) const
    {
        auto it = m_values.find(key);
        return it == m_values.end() ? nullptr : std::get_if<kit::PropertyList>(&it->second);
    }
    kit::id objectForKey(std::string_view key) const
    {
        auto shared = sharedObjectForKey(key);
        return shared.get();
    }
    std::shared_ptr<kit::Object> sharedObjectForKey(std::string_view key) const
    {
        auto it = m_values.find(key);
        if (it == m_values.end())
            return nullptr;
        auto object = std::get_if<std::shared_ptr<kit::Object>>(&it->second);
        return object ? *object : nullptr;
    }

    void setProperty(std::string key, kit::PropertyList value) { m_values[std::move(key)] = std::move(value); }
    // A null object removes the key, as setting nil would be refused.
    void setObject(std::string key, std::shared_ptr<kit::Object> object)
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

inline constexpr const char* kPLCameraPhotoPropertiesKey = "kPLCameraPhotoPropertiesKey";
inline constexpr const char* kPLCameraPhotoSurfaceKey = "kPLCameraPhotoSurfaceKey";
inline constexpr const char* kPLCameraPhotoSurfaceSizeKey = "kPLCameraPhotoSurfaceSizeKey";
inline constexpr const char* kPLCameraPhotoOrientationKey = "Orientation";

}
