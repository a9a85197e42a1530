#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kit {

using Data = std::vector<uint8_t>;

// A property-list value: boolean, integer, real, string, data, date, array or
// dictionary, plus the keyed archiver's object references (UIDs).
// Dictionaries keep their keys sorted, as the platform writes them.
class PropertyList {
public:
    using Array = std::vector<PropertyList>;
    using Dictionary = std::map<std::string, PropertyList, std::less<>>;

    // Seconds since 1 January 2001 00:00:00 UTC, the platform's reference date.
    struct Date {
        double secondsSinceReferenceDate { 0 };
        bool operator==(const Date&) const = default;
    };
    struct Uid {
        uint64_t value { 0 };
        bool operator==(const Uid&) const = default;
    };

    enum class Type { Boolean, Integer, Real, String, Data, Date, Array, Dictionary, Uid };

    PropertyList() : m_value(false) { }
    PropertyList(bool value) : m_value(value) { }
    PropertyList(int value) : m_value(int64_t(value)) { }
    PropertyList(int64_t value) : m_value(value) { }
    PropertyList(double value) : m_value(value) { }
    PropertyList(std::string value) : m_value(std::move(value)) { }
    PropertyList(const char* value) : m_value(std::string(value)) { }
    PropertyList(kit::Data value) : m_value(std::move(value)) { }
    PropertyList(Date value) : m_value(value) { }
    PropertyList(Array value) : m_value(std::move(value)) { }
    PropertyList(Dictionary value) : m_value(std::move(value)) { }
    PropertyList(Uid value) : m_value(value) { }

    Type type() const { return static_cast<Type>(m_value.index()); }
    bool isNumber() const { return type() == Type::Boolean || type() == Type::Integer || type() == Type::Real; }

    // Each gives nothing when the value is of another kind.
    const bool* boolean() const { return std::get_if<bool>(&m_value); }
    const int64_t* integer() const { return std::get_if<int64_t>(&m_value); }
    const double* real() const { return std::get_if<double>(&m_value); }
    const std::string* string() const { return std::get_if<std::string>(&m_value); }
    const kit::Data* data() const { return std::get_if<kit::Data>(&m_value); }
    const Date* date() const { return std::get_if<Date>(&m_value); }
    const Array* array() const { return std::get_if<Array>(&m_value); }
    const Dictionary* dictionary() const { return std::get_if<Dictionary>(&m_value); }
    const Uid* uid() const { return std::get_if<Uid>(&m_value); }
    Array* array() { return std::get_if<Array>(&m_value); }
    Dictionary* dictionary() { return std::get_if<Dictionary>(&m_value); }

    // A number's value as a real (booleans 1 or 0); nothing for other kinds.
    std::optional<double> numberValue() const;

    bool operator==(const PropertyList&) const = default;

private:
    std::variant<bool, int64_t, double, std::string, kit::Data, Date, Array, Dictionary, Uid> m_value;
};

}
