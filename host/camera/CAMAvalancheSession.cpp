#include "host/camera/CAMAvalancheSession.h"

#include "host/camera/HostRuntime.h"

namespace host {

KIT_REGISTER_CLASS(CAMAvalancheSession);

kit::id CAMAvalancheSession::init()
{
    m_photoCount = 0;
    m_ended = false;
    return this;
}

void CAMAvalancheSession::dealloc()
{
    m_ended = true;
}

void CAMAvalancheSession::registerRuntimeMethods()
{
    staticClass()->setFactory([] { return std::make_shared<CAMAvalancheSession>(); });
    registerMethod(sel::CAMAvalancheSession_init, memberImp<&CAMAvalancheSession::init>());
    registerMethod(sel::CAMAvalancheSession_dealloc, memberImp<&CAMAvalancheSession::dealloc>());
}

}
