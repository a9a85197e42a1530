#include "extension/capture/CameraButtonView.h"

#include "common/CAM_Tools.h"
#include "extension/elements/BlurView.h"
#include "extension/elements/CameraButton.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "kit/ui/CAFilter.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScrollView.h"

#include <vector>

namespace vantor {

KIT_REGISTER_CLASS(CameraButtonView);

namespace {

constexpr const char* photoCaptions[CameraButtonView::captionCount] = { "Adv Mode", "Timer", "Lapse", "WB lock" };
// Slot 3 has no video button; its caption is emptied, not hidden.
constexpr const char* videoCaptions[CameraButtonView::captionCount] = { "Adv Mode", "Snapshot", "", "WB lock" };

// Caption x on a phone: by eye under each button, since the texts differ in width.
constexpr kit::CGFloat phonePhotoCaptionX[CameraButtonView::captionCount] = { 26, 107, 177, 241 };
constexpr kit::CGFloat phoneVideoCaptionStart = 61;
constexpr kit::CGFloat phoneVideoCaptionStep = 73;

// An additive grey over the blurred preview; the darker grey while recording
// makes the strip recede.
std::shared_ptr<kit::CAFilter> greyTint(double white)
{
    auto tint = kit::CAFilter::filterWithName(kit::kCAFilterColorAdd);
    tint->setValue(std::vector<double> { white, white, white, 1.0 }, "inputColor");
    return tint;
}

}

CameraButtonView::CameraButtonView(kit::CGRect frame, kit::id, kit::Action)
    : kit::UIView(frame)
{
    setClipsToBounds(true);

    auto scroll = std::make_shared<kit::UIScrollView>(bounds());
    scroll->setBackgroundColor(kit::UIColor::clearColor());
    scroll->setAlwaysBounceHorizontal(true);
    m_scrollview = scroll;

    for (int index = 0; index < captionCount; ++index) {
        auto caption = std::make_shared<kit::UILabel>(
            kit::CGRectMake(phonePhotoCaptionX[index], phoneCaptionY, captionWidth, captionHeight));
        caption->setText(photoCaptions[index]);
        caption->setFont(kit::UIFont::fontWithName("DINAlternate-Bold", 13));
        caption->setTextColor(kit::UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0));
        scroll->addSubview(caption);
        m_btnTxt[index] = std::move(caption);
    }
    addSubview(scroll);
    setBlur(20);
}

void CameraButtonView::setScrollview(std::shared_ptr<kit::UIScrollView> scroll)
{
    if (scroll == m_scrollview)
        return;
    if (m_scrollview)
        m_scrollview->removeFromSuperview();
    m_scrollview = std::move(scroll);
    if (m_scrollview)
        addSubview(m_scrollview);
}

kit::UILabel* CameraButtonView::btnTxt(int slot) const
{
    if (slot < 1 || slot > captionCount)
        return nullptr;
    return m_btnTxt[slot - 1].get();
}

void CameraButtonView::removeBlur()
{
    if (!m_blur)
        return;
    auto gone = std::move(m_blur);
    gone->removeFromSuperview();
}

void CameraButtonView::setBlur(float radius)
{
    if (!blurButtonBar) {
        if (m_nonBlur)
            return;
        m_nonBlur = CAM_Tools::CreatePlainBackgroundView(bounds());
        insertSubview(m_nonBlur, 0);
        return;
    }
    if (!m_blur) {
        m_blur = CAM_Tools::CreateAndConfigureBlurView(frame());
        m_blur->setBlurRadius(radius);
    }
    insertSubview(m_blur, 0);
}

void CameraButtonView::placeCaption(int slot, kit::CGFloat x, kit::CGFloat y)
{
    if (auto* caption = btnTxt(slot))
        caption->setFrame(kit::CGRectMake(x, y, captionWidth, captionHeight));
}

void CameraButtonView::placeCaptionX(int slot, kit::CGFloat x)
{
    if (auto* caption = btnTxt(slot)) {
        auto frame = caption->frame();
        frame.origin.x = x;
        caption->setFrame(frame);
    }
}

void CameraButtonView::setTextForMode(kit::id controller, bool isCapturing)
{
    bool video = isVideoMode(controller);
    bool recording = video && isCapturing;

    removeBlur();
    setBlur(recording ? 1 : 10);
    if (m_blur)
        m_blur->setTintColorFilter(greyTint(recording ? 0.07 : 0.1));

    // On a pad the captions hang under the buttons of the column; the
    // white-balance caption is placed where that button will stand, since it
    // moves between the photo and the video position only when shown.
    if (!video) {
        if (!IS_IPAD) {
            for (int slot = 1; slot <= captionCount; ++slot)
                placeCaptionX(slot, phonePhotoCaptionX[slot - 1]);
        } else {
            if (modeAdvCameraBtn) {
                auto f = modeAdvCameraBtn->frame();
                placeCaption(1, f.origin.x - 1, kit::CGRectGetMaxY(f));
            }
            if (modeTimerBtn) {
                auto f = modeTimerBtn->frame();
                placeCaption(2, f.origin.x + 8, kit::CGRectGetMaxY(f));
            }
            if (modeLapseTimerBtn) {
                auto f = modeLapseTimerBtn->frame();
                placeCaption(3, f.origin.x + 7, kit::CGRectGetMaxY(f));
                if (modeWBBtn) {
                    auto wb = modeWBBtn->frame();
                    placeCaption(4, wb.origin.x + 3, f.origin.y + CameraBtn_PhotoOffset + wb.size.height);
                }
            }
        }
    } else {
        if (!IS_IPAD) {
            placeCaptionX(1, phoneVideoCaptionStart);
            placeCaptionX(2, phoneVideoCaptionStart + phoneVideoCaptionStep);
            placeCaptionX(4, phoneVideoCaptionStart + 2 * phoneVideoCaptionStep);
        } else {
            if (modeAdvVideoBtn) {
                auto f = modeAdvVideoBtn->frame();
                placeCaption(1, f.origin.x, kit::CGRectGetMaxY(f));
            }
            if (modeTakeRecordingPhotoBtn) {
                auto f = modeTakeRecordingPhotoBtn->frame();
                placeCaption(2, f.origin.x, kit::CGRectGetMaxY(f) - 1);
                if (modeWBBtn) {
                    auto wb = modeWBBtn->frame();
                    placeCaption(4, wb.origin.x + 3, f.origin.y + CameraBtn_VideoOffset + wb.size.height);
                }
            }
        }
    }

    const auto& texts = video ? videoCaptions : photoCaptions;
    for (int slot = 1; slot <= captionCount; ++slot)
        if (auto* caption = btnTxt(slot))
            caption->setText(texts[slot - 1]);
}

}
