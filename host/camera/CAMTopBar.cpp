#include "host/camera/CAMTopBar.h"

#include "host/camera/CAMHDRButton.h"
#include "host/camera/CameraIcons.h"
#include "host/camera/HostRuntime.h"

#include "kit/ui/UIButton.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"

#include <cstdio>

namespace host {

KIT_REGISTER_CLASS(CAMTopBar);

CAMTopBar::CAMTopBar(bool pad, bool hasFlash, bool hasFrontCamera)
    : m_pad(pad)
{
    setBackgroundColor(pad ? nullptr : kit::UIColor::blackColor());
    if (hasFlash && !pad) {
        m_flashButton = std::make_shared<kit::UIButton>();
        m_flashButton->setImage(CameraIcons::flash(false), kit::UIControlStateNormal);
        m_flashButton->setTitle(" Auto", kit::UIControlStateNormal);
        m_flashButton->titleLabel()->setFont(kit::UIFont::systemFontOfSize(13));
        addSubview(m_flashButton);
    }
    m_hdrButton = std::make_shared<CAMHDRButton>();
    addSubview(m_hdrButton);
    m_flipButton = std::make_shared<kit::UIButton>();
    m_flipButton->setImage(CameraIcons::flip(), kit::UIControlStateNormal);
    m_flipButton->setHidden(!hasFrontCamera);
    addSubview(m_flipButton);
    m_recordingLabel = std::make_shared<kit::UILabel>();
    m_recordingLabel->setFont(kit::UIFont::systemFontOfSize(17));
    m_recordingLabel->setTextColor(kit::UIColor::whiteColor());
    m_recordingLabel->setTextAlignment(kit::NSTextAlignmentCenter);
    m_recordingLabel->setHidden(true);
    addSubview(m_recordingLabel);
}

kit::id CAMTopBar::flipButton()
{
    return m_flipButton.get();
}

void CAMTopBar::setRecordingTime(std::optional<double> seconds)
{
    m_recordingLabel->setHidden(!seconds);
    m_hdrButton->setHidden(bool(seconds));
    if (m_flashButton)
        m_flashButton->setHidden(bool(seconds));
    if (!seconds)
        return;
    int total = int(*seconds);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", total / 3600, total / 60 % 60, total % 60);
    m_recordingLabel->setText(text);
}

void CAMTopBar::layoutSubviews()
{
    send(sel::CAMTopBar_layoutSubviews, this);
}

bool CAMTopBar::pointInside(kit::CGPoint point, kit::UIEvent* event)
{
    return send(sel::CAMTopBar_pointInside, this, point, event);
}

void CAMTopBar::hostLayoutSubviews()
{
    auto b = bounds();
    double w = b.size.width, h = b.size.height;
    if (m_pad) {
        m_flipButton->setFrame(kit::CGRectMake(w / 2 - 22, 20, 44, 32));
        m_hdrButton->setFrame(m_hdrButton->isExpanded() ? kit::CGRectMake(-160, 60, w + 160, 36)
                                                        : kit::CGRectMake(w / 2 - 40, 62, 80, 32));
        m_recordingLabel->setFrame(kit::CGRectMake(0, 62, w, 32));
        return;
    }
    if (m_flashButton)
        m_flashButton->setFrame(kit::CGRectMake(4, 0, 72, h));
    m_hdrButton->setFrame(m_hdrButton->isExpanded() ? kit::CGRectMake(0, 0, w, h) : kit::CGRectMake(w / 2 - 40, 0, 80, h));
    m_flipButton->setFrame(kit::CGRectMake(w - 52, 2, 48, h - 4));
    m_recordingLabel->setFrame(kit::CGRectMake(w / 2 - 60, 0, 120, h));
    // The expanded HDR menu lies over everything else on the bar.
    if (m_hdrButton->isExpanded())
        bringSubviewToFront(m_hdrButton.get());
}

bool CAMTopBar::hostPointInside(kit::CGPoint point, kit::UIEvent* event)
{
    return UIView::pointInside(point, event);
}

void CAMTopBar::registerRuntimeMethods()
{
    registerMethod(sel::CAMTopBar_layoutSubviews, memberImp<&CAMTopBar::hostLayoutSubviews>());
    registerMethod(sel::CAMTopBar_pointInside, memberImp<&CAMTopBar::hostPointInside>());
    registerMethod(sel::CAMTopBar_flipButton, memberImp<&CAMTopBar::flipButton>());
}

}
