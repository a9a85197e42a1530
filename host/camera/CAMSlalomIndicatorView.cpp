#include "host/camera/CAMSlalomIndicatorView.h"

#include "host/camera/HostRuntime.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"

namespace host {

KIT_REGISTER_CLASS(CAMSlalomIndicatorView);

CAMSlalomIndicatorView::CAMSlalomIndicatorView()
{
    m_numberLabel = std::make_shared<kit::UILabel>();
    m_numberLabel->setTextColor(kit::UIColor::whiteColor());
    m_numberLabel->setFont(kit::UIFont::boldSystemFontOfSize(14));
    m_numberLabel->setTextAlignment(kit::NSTextAlignmentCenter);
    m_framerateLabel = std::make_shared<kit::UILabel>();
    m_framerateLabel->setText("FPS");
    m_framerateLabel->setTextColor(kit::UIColor::whiteColor());
    m_framerateLabel->setFont(kit::UIFont::systemFontOfSize(9));
    m_framerateLabel->setTextAlignment(kit::NSTextAlignmentCenter);
    addSubview(m_numberLabel);
    addSubview(m_framerateLabel);
    setUserInteractionEnabled(true);
}

kit::id CAMSlalomIndicatorView::initWithFrame(kit::CGRect frame)
{
    setFrame(frame);
    double w = frame.size.width, h = frame.size.height;
    m_numberLabel->setFrame(kit::CGRectMake(0, 0, w, h * 0.6));
    m_framerateLabel->setFrame(kit::CGRectMake(0, h * 0.6, w, h * 0.4));
    return this;
}

void CAMSlalomIndicatorView::setFramesPerSecond(int32_t framesPerSecond)
{
    m_framesPerSecond = framesPerSecond;
    m_numberLabel->setText(std::to_string(framesPerSecond));
}

kit::id CAMSlalomIndicatorView::framerateLabel()
{
    return m_framerateLabel.get();
}

void CAMSlalomIndicatorView::registerRuntimeMethods()
{
    staticClass()->setFactory([] { return std::make_shared<CAMSlalomIndicatorView>(); });
    registerMethod(sel::CAMSlalomIndicatorView_initWithFrame, memberImp<&CAMSlalomIndicatorView::initWithFrame>());
    registerMethod(
        sel::CAMSlalomIndicatorView_setFramesPerSecond, memberImp<&CAMSlalomIndicatorView::setFramesPerSecond>());
    registerMethod(sel::CAMSlalomIndicatorView_framerateLabel, memberImp<&CAMSlalomIndicatorView::framerateLabel>());
}

}
