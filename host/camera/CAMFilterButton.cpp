#include "host/camera/CAMFilterButton.h"

#include "host/camera/CameraIcons.h"
#include "host/camera/HostRuntime.h"

namespace host {

KIT_REGISTER_CLASS(CAMFilterButton);

CAMFilterButton::CAMFilterButton(kit::CGRect frame)
    : UIButton(frame)
{
}

void CAMFilterButton::commonInitialization()
{
    setImage(CameraIcons::filters(m_on), kit::UIControlStateNormal);
}

void CAMFilterButton::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    setImage(CameraIcons::filters(m_on), kit::UIControlStateNormal);
}

void CAMFilterButton::registerRuntimeMethods()
{
    registerMethod(sel::CAMFilterButton_commonInitialization, memberImp<&CAMFilterButton::commonInitialization>());
    registerMethod(sel::CAMFilterButton_isOn, +[](kit::id self, kit::SEL) {
        return static_cast<CAMFilterButton*>(self)->isOn();
    });
}

}
