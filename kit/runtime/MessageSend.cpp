#include "kit/runtime/MessageSend.h"

#include "kit/foundation/SystemLog.h"

#include <cstdio>
#include <cstdlib>

namespace kit::detail {

void signatureMismatch(Class cls, SEL sel, Signature registered, Signature called)
{
    std::fprintf(stderr, "kit: [%s %s] called through a signature that does not match its method\n"
                         "  registered: %s\n  called:     %s\n",
        class_getName(cls), sel_getName(sel), registered ? registered->name() : "(none)",
        called ? called->name() : "(none)");
    std::abort();
}

void unrecognizedSelector(id receiver, SEL sel)
{
    logf("-[%s %s]: unrecognized selector sent to instance %p", receiver->className(), sel_getName(sel),
        static_cast<void*>(receiver));
#ifndef NDEBUG
    std::fprintf(stderr, "kit: -[%s %s]: unrecognized selector sent to instance %p\n", receiver->className(),
        sel_getName(sel), static_cast<void*>(receiver));
    std::abort();
#endif
}

}
