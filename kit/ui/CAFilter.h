#pragma once

#include "kit/runtime/Object.h"
#include "kit/ui/Geometry.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kit {

// The filter types the renderer knows. A layer's filters apply, in list
// order, to what lies behind the layer (the way a backdrop layer works):
// "colorAdd" adds its "inputColor" (an array of red, green, blue, alpha in
// 0..1) to every pixel, "gaussianBlur" blurs by "inputRadius" points.
extern const char* const kCAFilterGaussianBlur;
extern const char* const kCAFilterColorAdd;

// A filter parameter: a number, a string, an array of numbers or a rectangle.
using CAFilterValue = std::variant<double, std::string, std::vector<double>, CGRect>;

// A named image filter with key-value parameters, as QuartzCore's CAFilter.
class CAFilter final : public Object {
    KIT_OBJECT(CAFilter, Object)

public:
    explicit CAFilter(std::string type) : m_type(std::move(type)) { }
    static std::shared_ptr<CAFilter> filterWithType(std::string type) { return std::make_shared<CAFilter>(std::move(type)); }
    static std::shared_ptr<CAFilter> filterWithName(std::string name) { return filterWithType(std::move(name)); }

    const std::string& type() const { return m_type; }
    const std::string& name() const { return m_type; }

    // setValue:forKey:. Keys are free-form; unknown keys are kept and ignored.
    void setValue(CAFilterValue, const std::string& key);
    void removeValueForKey(const std::string& key);
    // Nothing when the key was never set.
    const CAFilterValue* valueForKey(const std::string& key) const;
    // The value as a number (booleans stored as numbers too); nothing when
    // it is missing or of another kind.
    std::optional<double> numberForKey(const std::string& key) const;

private:
    std::string m_type;
    std::map<std::string, CAFilterValue, std::less<>> m_values;
};

}
