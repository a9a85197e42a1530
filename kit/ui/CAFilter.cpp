#include "kit/ui/CAFilter.h"

namespace kit {

KIT_REGISTER_CLASS(CAFilter);

const char* const kCAFilterGaussianBlur = "gaussianBlur";
const char* const kCAFilterColorAdd = "colorAdd";

void CAFilter::setValue(CAFilterValue value, const std::string& key)
{
    m_values[key] = std::move(value);
}

void CAFilter::removeValueForKey(const std::string& key)
{
    m_values.erase(key);
}

const CAFilterValue* CAFilter::valueForKey(const std::string& key) const
{
    auto it = m_values.find(key);
    return it == m_values.end() ? nullptr : &it->second;
}

std::optional<double> CAFilter::numberForKey(const std::string& key) const
{
    auto* value = valueForKey(key);
    if (!value)
        return std::nullopt;
    if (auto* number = std::get_if<double>(value))
        return *number;
    return std::nullopt;
}

}
