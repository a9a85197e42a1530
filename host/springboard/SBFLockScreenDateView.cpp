#include "host/springboard/SBFLockScreenDateView.h"

#include "host/common/MinuteTimer.h"

#include "kit/foundation/NSDate.h"
#include "kit/foundation/NSDateFormatter.h"
#include "kit/foundation/NSTimer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"

namespace host {

KIT_REGISTER_CLASS(SBFLockScreenDateView);

namespace {

// The era's clock is set in the thinnest face of the system font; the
// installed thin face stands in for it.
constexpr const char* thinFace = "DejaVuSans-ExtraLight";

std::string formatted(const char* pattern)
{
    kit::NSDateFormatter formatter;
    formatter.setDateFormat(pattern);
    return formatter.stringFromDate(kit::NSDate::date());
}

}

SBFLockScreenDateView::SBFLockScreenDateView(kit::CGFloat width)
    : UIView(kit::CGRectMake(0, 0, width, height))
{
    setUserInteractionEnabled(false);
    setBackgroundColor(kit::UIColor::clearColor());
    setOpaque(false);
    setAutoresizingMask(kit::UIViewAutoresizingFlexibleWidth);
    auto label = [&](kit::CGRect frame, std::shared_ptr<kit::UIFont> font) {
        auto l = std::make_shared<kit::UILabel>(frame);
        l->setFont(std::move(font));
        l->setTextColor(kit::UIColor::whiteColor());
        l->setTextAlignment(kit::NSTextAlignmentCenter);
        l->setAutoresizingMask(kit::UIViewAutoresizingFlexibleWidth);
        addSubview(l);
        return l;
    };
    m_time = label(kit::CGRectMake(0, 0, width, 88), kit::UIFont::fontWithName(thinFace, 72));
    m_date = label(kit::CGRectMake(0, 88, width, 26), kit::UIFont::fontWithName(thinFace, 19));
}

SBFLockScreenDateView::~SBFLockScreenDateView()
{
    if (m_timer)
        m_timer->invalidate();
}

void SBFLockScreenDateView::start()
{
    showTime();
}

void SBFLockScreenDateView::showTime()
{
    m_time->setText(formatted("h:mm"));
    m_date->setText(formatted("EEEE, MMMM d"));
    if (m_timer)
        m_timer->invalidate();
    m_timer = scheduleAtNextMinute(kit::Action(strongRef<SBFLockScreenDateView>(), &SBFLockScreenDateView::showTime));
}

}
