#include "host/common/StatusBar.h"

#include "host/common/MinuteTimer.h"

#include "kit/foundation/NSDate.h"
#include "kit/foundation/NSDateFormatter.h"
#include "kit/foundation/NSTimer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"

namespace host {

KIT_REGISTER_CLASS(StatusBar);

namespace {

// A padlock of views: its shackle, an outlined arch, above a filled body.
std::shared_ptr<kit::UIView> makePadlock(kit::CGFloat centreX, const std::shared_ptr<kit::UIColor>& colour)
{
    auto padlock = std::make_shared<kit::UIView>(kit::CGRectMake(centreX - 5, 3, 10, 14));
    padlock->setBackgroundColor(kit::UIColor::clearColor());
    padlock->setOpaque(false);
    auto shackle = std::make_shared<kit::UIView>(kit::CGRectMake(1.5, 0, 7, 10));
    shackle->setBackgroundColor(kit::UIColor::clearColor());
    shackle->layer()->setBorderWidth(1.5);
    shackle->layer()->setBorderColor(colour);
    shackle->layer()->setCornerRadius(3.5);
    padlock->addSubview(shackle);
    auto body = std::make_shared<kit::UIView>(kit::CGRectMake(0, 6, 10, 8));
    body->setBackgroundColor(colour);
    body->layer()->setCornerRadius(1.5);
    padlock->addSubview(body);
    padlock->setHidden(true);
    return padlock;
}

}

StatusBar::StatusBar(kit::CGFloat width, Style style)
    : UIView(kit::CGRectMake(0, 0, width, height))
{
    auto colour = style == Style::Dark ? kit::UIColor::blackColor() : kit::UIColor::whiteColor();
    setUserInteractionEnabled(false);
    setAutoresizingMask(kit::UIViewAutoresizingFlexibleWidth);
    if (style == Style::Light) {
        setBackgroundColor(kit::UIColor::clearColor());
        setOpaque(false);
    }
    auto label = [&](kit::CGRect frame, kit::NSTextAlignment alignment, bool bold) {
        auto l = std::make_shared<kit::UILabel>(frame);
        l->setFont(bold ? kit::UIFont::boldSystemFontOfSize(12) : kit::UIFont::systemFontOfSize(12));
        l->setTextAlignment(alignment);
        l->setTextColor(colour);
        addSubview(l);
        return l;
    };
    // Five signal dots, then the carrier.
    for (int i = 0; i < 5; ++i) {
        auto dot = std::make_shared<kit::UIView>(kit::CGRectMake(6 + i * 7, 7, 5.5, 5.5));
        dot->setBackgroundColor(colour);
        dot->layer()->setCornerRadius(2.75);
        addSubview(dot);
    }
    m_carrier = label(kit::CGRectMake(44, 0, 80, height), kit::NSTextAlignmentLeft, false);
    m_carrier->setText("Carrier");
    m_time = label(kit::CGRectMake(width / 2 - 50, 0, 100, height), kit::NSTextAlignmentCenter, true);
    m_time->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin | kit::UIViewAutoresizingFlexibleRightMargin);
    m_padlock = makePadlock(width / 2, colour);
    m_padlock->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin | kit::UIViewAutoresizingFlexibleRightMargin);
    addSubview(m_padlock);
    m_charge = label(kit::CGRectMake(width - 76, 0, 40, height), kit::NSTextAlignmentRight, false);
    m_charge->setText("100%");
    m_charge->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin);
    // The battery: an outlined body, full, with its knob.
    auto battery = std::make_shared<kit::UIView>(kit::CGRectMake(width - 32, 5, 24, 10.5));
    battery->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin);
    battery->layer()->setBorderWidth(1);
    battery->layer()->setBorderColor(colour);
    battery->layer()->setCornerRadius(2);
    if (style == Style::Light)
        battery->setBackgroundColor(kit::UIColor::clearColor());
    auto charge = std::make_shared<kit::UIView>(kit::CGRectMake(2, 2, 20, 6.5));
    charge->setBackgroundColor(colour);
    battery->addSubview(charge);
    addSubview(battery);
    auto knob = std::make_shared<kit::UIView>(kit::CGRectMake(width - 7.5, 8, 1.5, 4.5));
    knob->setAutoresizingMask(kit::UIViewAutoresizingFlexibleLeftMargin);
    knob->setBackgroundColor(colour);
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
}

void StatusBar::showTime()
{
    kit::NSDateFormatter formatter;
    formatter.setDateFormat("h:mm a");
    m_time->setText(formatter.stringFromDate(kit::NSDate::date()));
    scheduleNextMinute();
}

void StatusBar::setLocked(bool locked)
{
    m_locked = locked;
    m_time->setHidden(locked);
    m_padlock->setHidden(!locked);
}

void StatusBar::scheduleNextMinute()
{
    if (m_timer)
        m_timer->invalidate();
    m_timer = scheduleAtNextMinute(kit::Action(strongRef<StatusBar>(), &StatusBar::showTime));
}

}
