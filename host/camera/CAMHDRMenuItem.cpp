#include "host/camera/CAMHDRMenuItem.h"

#include "host/camera/HostRuntime.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"

namespace host {

KIT_REGISTER_CLASS(CAMHDRMenuItem);

CAMHDRMenuItem::CAMHDRMenuItem(std::string title)
{
    m_label = std::make_shared<kit::UILabel>();
    m_label->setText(std::move(title));
    m_label->setFont(kit::UIFont::systemFontOfSize(13));
    m_label->setTextAlignment(kit::NSTextAlignmentCenter);
    m_label->setTextColor(kit::UIColor::whiteColor());
    addSubview(m_label);
}

kit::id CAMHDRMenuItem::label()
{
    return m_label.get();
}

void CAMHDRMenuItem::setSelected(bool selected)
{
    m_label->setTextColor(selected ? kit::UIColor::colorWithRed(1, 0.8, 0, 1) : kit::UIColor::whiteColor());
}

void CAMHDRMenuItem::layoutSubviews()
{
    m_label->setFrame(bounds());
}

void CAMHDRMenuItem::registerRuntimeMethods()
{
    registerMethod(sel::CAMHDRMenuItem_label, memberImp<&CAMHDRMenuItem::label>());
}

}
