#include "kit/media/NSError.h"

namespace kit {

NSError::NSError(std::string domain, int64_t code, std::string localizedDescription, std::string failureReason)
    : m_domain(std::move(domain))
    , m_code(code)
    , m_description(std::move(localizedDescription))
    , m_failureReason(std::move(failureReason))
{
}

std::shared_ptr<const NSError> NSError::make(
    std::string domain, int64_t code, std::string localizedDescription, std::string failureReason)
{
    return std::make_shared<const NSError>(
        std::move(domain), code, std::move(localizedDescription), std::move(failureReason));
}

PropertyList::Dictionary NSError::userInfo() const
{
    PropertyList::Dictionary info;
    info["NSLocalizedDescription"] = m_description;
    if (!m_failureReason.empty())
        info["NSLocalizedFailureReason"] = m_failureReason;
    return info;
}

std::string NSError::description() const
{
    std::string text = "Error Domain=" + m_domain + " Code=" + std::to_string(m_code) + " \"" + m_description + "\"";
    if (!m_failureReason.empty())
        text += " (" + m_failureReason + ")";
    return text;
}

}
