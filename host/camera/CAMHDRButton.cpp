#include "host/camera/CAMHDRButton.h"

#include "host/camera/CAMHDRMenuItem.h"
#include "host/camera/HostRuntime.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace host {

KIT_REGISTER_CLASS(CAMHDRButton);

CAMHDRButton::CAMHDRButton()
{
    titleLabel()->setFont(kit::UIFont::systemFontOfSize(13));
    setTitleColor(kit::UIColor::whiteColor(), kit::UIControlStateNormal);
    m_onItem = std::make_shared<CAMHDRMenuItem>("On");
    m_offItem = std::make_shared<CAMHDRMenuItem>("Off");
    for (const auto& item : { m_onItem, m_offItem }) {
        item->setHidden(true);
        addSubview(item);
    }
    addTarget(kit::Action::function([this](kit::id) { tapped(); }), kit::UIControlEventTouchUpInside);
    m_onItem->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(
        kit::Action::function([this](kit::id) { choose(true); })));
    m_offItem->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(
        kit::Action::function([this](kit::id) { choose(false); })));
    refresh();
}

void CAMHDRButton::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    refresh();
}

void CAMHDRButton::expand()
{
    if (m_expanded)
        return;
    send(sel::CAMHDRButton_notifyWillExpand, this);
    m_expanded = true;
    refresh();
    if (superview())
        superview()->setNeedsLayout();
}

void CAMHDRButton::collapse()
{
    if (!m_expanded)
        return;
    m_expanded = false;
    refresh();
    if (superview())
        superview()->setNeedsLayout();
    send(sel::CAMHDRButton_notifyDidCollapse, this);
}

kit::id CAMHDRButton::onLabel()
{
    return m_onItem.get();
}

void CAMHDRButton::tapped()
{
    if (!m_expanded)
        expand();
}

void CAMHDRButton::choose(bool on)
{
    setOn(on);
    collapse();
    if (m_onChoice)
        m_onChoice(on);
}

void CAMHDRButton::refresh()
{
    setTitle(m_expanded ? "HDR" : (m_on ? "HDR On" : "HDR Off"), kit::UIControlStateNormal);
    setTitleColor(m_on && !m_expanded ? kit::UIColor::colorWithRed(1, 0.8, 0, 1) : kit::UIColor::whiteColor(),
        kit::UIControlStateNormal);
    // Expanded, the menu covers the whole bar and what lies under it.
    setBackgroundColor(m_expanded ? kit::UIColor::blackColor() : nullptr);
    m_onItem->setHidden(!m_expanded);
    m_offItem->setHidden(!m_expanded);
    m_onItem->setSelected(m_on);
    m_offItem->setSelected(!m_on);
    setNeedsLayout();
}

void CAMHDRButton::layoutSubviews()
{
    UIButton::layoutSubviews();
    auto b = bounds();
    if (m_expanded) {
        // The menu: "HDR" at the left, the two choices in the middle.
        titleLabel()->setFrame(kit::CGRectMake(8, 0, 50, b.size.height));
        m_onItem->setFrame(kit::CGRectMake(b.size.width / 2 - 60, 0, 50, b.size.height));
        m_offItem->setFrame(kit::CGRectMake(b.size.width / 2 + 10, 0, 50, b.size.height));
    }
}

void CAMHDRButton::registerRuntimeMethods()
{
    // The notifications themselves do nothing; the replacements hang off them.
    registerMethod(sel::CAMHDRButton_notifyWillExpand, +[](kit::id, kit::SEL) { });
    registerMethod(sel::CAMHDRButton_notifyDidCollapse, +[](kit::id, kit::SEL) { });
    registerMethod(sel::CAMHDRButton_onLabel, memberImp<&CAMHDRButton::onLabel>());
}

}
