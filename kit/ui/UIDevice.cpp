#include "kit/ui/UIDevice.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Selector.h"

namespace kit {

KIT_REGISTER_CLASS(UIDevice);

namespace {

SEL idiomSelector()
{
    static SEL sel = [] {
        SEL s = sel_registerName("userInterfaceIdiom");
        addMethod(UIDevice::staticClass(), s, memberImp<&UIDevice::userInterfaceIdiom>());
        addMethod(UIDevice::staticClass(), sel_registerName("systemVersion"), memberImp<&UIDevice::systemVersion>());
        return s;
    }();
    return sel;
}

}

UIDevice* UIDevice::currentDevice()
{
    idiomSelector();
    static auto device = std::make_shared<UIDevice>();
    return device.get();
}

bool UIDevice::respondsToSelector(SEL sel) const
{
    if (sel == idiomSelector() && !ProcessIdentity::current().interfaceIdiom)
        return false;
    return Object::respondsToSelector(sel);
}

int UIDevice::userInterfaceIdiom() const
{
    return ProcessIdentity::current().interfaceIdiom.value_or(UIUserInterfaceIdiomPhone);
}

std::string UIDevice::systemVersion() const
{
    return ProcessIdentity::current().systemVersion;
}

}
