#pragma once

#include "host/camera/EventLog.h"
#include "host/camera/HostSelectors.h"

#include "kit/runtime/Class.h"
#include "kit/runtime/MessageSend.h"

namespace host {

// Sends one of the app's own methods through the runtime, so that a
// replacement installed on it sees the call, and records the call in the
// event log. The argument types are the method's own (HostSelectors.h).
template <typename R, typename... A>
R send(const sel::Method<R, A...>& method, kit::id receiver, std::type_identity_t<A>... args)
{
    EventLog::message(receiver, method.selector);
    return kit::msgSend<R, A...>(receiver, method.sel(), std::move(args)...);
}

// Registers an implementation for a method of the table on the class it
// names (on its meta-class for a class method); the implementation's type
// must be the table's.
template <typename R, typename... A>
void registerMethod(const sel::Method<R, A...>& method, typename sel::Method<R, A...>::Imp imp)
{
    kit::Class cls = kit::objc_getClass(method.className);
    if (method.kind == sel::Kind::ClassMethod)
        kit::addClassMethod(cls, method.sel(), imp);
    else
        kit::addMethod(cls, method.sel(), imp);
}

// An implementation that calls a member function of the receiver's C++ class:
// registerMethod(sel::X, memberImp<&PLCameraView::capturePhoto>()).
using kit::memberImp;

}
