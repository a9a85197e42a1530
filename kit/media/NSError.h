#pragma once

#include "kit/foundation/PropertyList.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kit {

// What went wrong, as the platform reports it: a domain, a code and texts a
// person can read. Immutable and shared.
class NSError final {
public:
    NSError(std::string domain, int64_t code, std::string localizedDescription, std::string failureReason = {});

    static std::shared_ptr<const NSError> make(
        std::string domain, int64_t code, std::string localizedDescription, std::string failureReason = {});

    const std::string& domain() const { return m_domain; }
    int64_t code() const { return m_code; }
    const std::string& localizedDescription() const { return m_description; }
    const std::string& localizedFailureReason() const { return m_failureReason; }
    // "NSLocalizedDescription" and, when there is one, "NSLocalizedFailureReason".
    PropertyList::Dictionary userInfo() const;
    // One line for a log: domain, code and the texts.
    std::string description() const;

private:
    std::string m_domain;
    int64_t m_code { 0 };
    std::string m_description;
    std::string m_failureReason;
};

using NSErrorRef = std::shared_ptr<const NSError>;

// Fills an optional error out-parameter, as platform calls do.
inline void setError(NSErrorRef* out, NSErrorRef error)
{
    if (out)
        *out = std::move(error);
}

}
