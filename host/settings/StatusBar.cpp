#include "host/settings/StatusBar.h"

#include "kit/foundation/NSDate.h"
#include "kit/foundation/NSDateFormatter.h"
#include "kit/foundation/NSTimer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"

namespace host {

KIT_REGISTER_CLASS(StatusBar);

StatusBar::StatusBar(kit::CGFloat width)
    : UIView(kit::CGRectMake(0, 0, width, height))
{
    setUserInteractionEnabled(false);
    setAutoresizingMask(kit::UIViewAutoresizingFlexibleWidth);
    auto label = [&](kit::CGRect frame, kit::NSTextAlignment alignment, bool bold) {
        auto l = std::make_shared<kit::UILabel>(frame);
        l->setFont(bold ? kit::UIFont::boldSystemFontOfSize(12) : kit::UIFont::systemFontOfSize(12));
        l->setTextAlignment(alignment);
        addSubview(l);
        return l;
    };
    // Five signal dots, then the carrier.
    for (int i = 0; i < 5; ++i) {
        auto dot = std::make_shared<kit::UIView>(kit::CGRectMake(6 + i * 7, 7, 5.5, 5.5));
        dot->setBackgroundColor(kit::UIColor::blackColor());
        dot->layer()->setCornerRadius(2.75);
        addSubview(dot);
    }
    m_carrier = label(kit::CGRectMake(44, 0, 80, height), kit::NSTextAlignmentLeft, false);
    m_carrier->setText("Carrier");
    m_time = label(kit::CGRectMake(width / 2 - 50, 0, 100, height), kit::NSTextAlignmentCenter, true);
    m_time->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin | kit::UIViewAutoresizingFlexibleRightMargin);
    m_charge = label(kit::CGRectMake(width - 76, 0, 40, height), kit::NSTextAlignmentRight, false);
    m_charge->setText("100%");
    m_charge->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin);
    // The battery: an outlined body, full, with its knob.
    auto battery = std::make_shared<kit::UIView>(kit::CGRectMake(width - 32, 5, 24, 10.5));
    battery->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin);
    battery->layer()->setBorderWidth(1);
    battery->layer()->setBorderColor(kit::UIColor::blackColor());
    battery->layer()->setCornerRadius(2);
    auto charge = std::make_shared<kit::UIView>(kit::CGRectMake(2, 2, 20, 6.5));
    charge->setBackgroundColor(kit::UIColor::blackColor());
    battery->addSubview(charge);
    addSubview(battery);
    auto knob = std::make_shared<kit::UIView>(kit::CGRectMake(width - 7.5, 8, 1.5, 4.5));
    knob->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin);
    knob->setBackgroundColor(kit::UIColor::blackColor());
    addSubview(knob);
}

StatusBar::~StatusBar()
{
    if (m_timer)
        m_timer->invalidate();
}

void StatusBar::start()
{
    showTime();
    if (!m_timer)
        m_timer = kit::NSTimer::scheduledTimerWithTimeInterval(
            1, kit::Action(strongRef<StatusBar>(), &StatusBar::showTime), true);
}

void StatusBar::showTime()
{
    kit::NSDateFormatter formatter;
    formatter.setDateFormat("h:mm a");
    m_time->setText(formatter.stringFromDate(kit::NSDate::date()));
}

}
