#include "extension/capture/CameraButtonFunctions.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/camerabar/SelectorDialEx.h"
#include "extension/capture/CameraButtonView.h"
#include "extension/capture/FocusAndExposureFunctions.h"
#include "extension/elements/CameraButton.h"
#include "extension/elements/MovieButton.h"
#include "extension/elements/TimeLapseButton.h"
#include "extension/elements/TimerButton.h"
#include "extension/elements/WBLockButton.h"
#include "extension/elements/ZoomView.h"
#include "extension/hooks/HookSupport.h"
#include "extension/hooks/HostCamera.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UIScrollView.h"

namespace vantor {

namespace {

constexpr kit::CGFloat buttonSize = 47;
constexpr double slideDuration = 0.15;

// Phone: a full-width band of 80 points just above the host's bottom bar.
constexpr kit::CGFloat phoneStripHeight = 80;
// Pad: a column beside the host's side bar, which is its parent.
constexpr kit::CGFloat padStripWidth = 80;
constexpr kit::CGFloat padStripHeight = 300;
constexpr kit::CGFloat padHiddenX = 100;

kit::CGFloat padStripY() { return isLandscapeOrientation() ? 250 : 380; }

kit::CGRect hiddenStripFrame()
{
    if (IS_IPAD)
        return kit::CGRectMake(padHiddenX, padStripY(), padStripWidth, padStripHeight);
    kit::CGRect screen = kit::UIScreen::mainScreen()->bounds();
    kit::CGFloat barHeight = kCameraButtonBarHeight;
    if (auto bar = _CAMBottomBar.lock())
        barHeight = bar->frame().size.height;
    return kit::CGRectMake(-screen.size.width, screen.size.height - barHeight - phoneStripHeight, screen.size.width,
        phoneStripHeight);
}

// The shown and hidden frames differ in x only; the strip keeps its size and
// (on a phone) its y, which the rotation handling may have changed.
kit::CGRect stripFrame(bool shown)
{
    kit::CGRect frame = _cameraButtonView->frame();
    if (IS_IPAD) {
        frame.origin.x = shown ? -frame.size.width : padHiddenX;
        frame.origin.y = padStripY();
    } else {
        frame.origin.x = shown ? 0 : -frame.size.width;
    }
    return frame;
}

// The buttons run along x on a phone and down y on a pad: slot `index` of a
// row that starts at `start` and steps by `offset`.
kit::CGPoint buttonOrigin(int32_t start, int32_t offset, int index)
{
    if (IS_IPAD)
        return kit::CGPointMake(start, CameraBtn_Top + offset * index);
    return kit::CGPointMake(start + offset * index, CameraBtn_Top);
}

// One step past `previous` along the row.
void placeAfter(kit::UIView& button, const kit::UIView& previous, int32_t offset)
{
    kit::CGRect frame = button.frame();
    kit::CGPoint origin = previous.frame().origin;
    if (IS_IPAD)
        frame.origin = kit::CGPointMake(origin.x, origin.y + offset);
    else
        frame.origin = kit::CGPointMake(origin.x + offset, origin.y);
    button.setFrame(frame);
}

// Targets are attached again at every show, for the camera bar of the
// moment; the old ones go first so that a tap is never delivered twice.
void attachTarget(kit::UIControl* button)
{
    if (!button)
        return;
    button->removeTargetsForControlEvents(kit::UIControlEventTouchUpInside);
    if (cameraBar)
        button->addTarget(cameraBar, &CameraBar::floatingButtonTapped, kit::UIControlEventTouchUpInside);
}

template <typename Button>
std::shared_ptr<Button> makeModeButton(kit::CGPoint origin, int64_t tag)
{
    auto button = std::make_shared<Button>(kit::CGRectMake(origin.x, origin.y, buttonSize, buttonSize));
    button->setTag(tag);
    attachTarget(button.get());
    return button;
}

void addToStrip(const std::shared_ptr<kit::UIView>& button)
{
    if (button && _cameraButtonView && _cameraButtonView->scrollview())
        _cameraButtonView->scrollview()->addSubview(button);
}

template <typename Button>
void removeAndRelease(std::shared_ptr<Button>& button)
{
    if (!button)
        return;
    auto gone = std::move(button);
    gone->removeFromSuperview();
}

void layOutPhotoButtons()
{
    if (modeWBBtn && modeLapseTimerBtn)
        placeAfter(*modeWBBtn, *modeLapseTimerBtn, CameraBtn_PhotoOffset);
    for (kit::UIControl* button : { static_cast<kit::UIControl*>(modeAdvCameraBtn.get()),
             static_cast<kit::UIControl*>(modeTimerBtn.get()), static_cast<kit::UIControl*>(modeLapseTimerBtn.get()),
             static_cast<kit::UIControl*>(modeWBBtn.get()) })
        attachTarget(button);
    addToStrip(modeAdvCameraBtn);
    addToStrip(modeTimerBtn);
    addToStrip(modeLapseTimerBtn);
    addToStrip(modeWBBtn);
    if (modeAdvCameraBtn && cameraBar)
        modeAdvCameraBtn->setSelected(cameraBar->cameraMode() == CameraBar::CameraModeAdvanced);
}

void layOutVideoButtons()
{
    if (modeWBBtn && modeTakeRecordingPhotoBtn)
        placeAfter(*modeWBBtn, *modeTakeRecordingPhotoBtn, CameraBtn_VideoOffset);
    for (kit::UIControl* button : { static_cast<kit::UIControl*>(modeAdvVideoBtn.get()),
             static_cast<kit::UIControl*>(modeTakeRecordingPhotoBtn.get()),
             static_cast<kit::UIControl*>(modeWBBtn.get()) })
        attachTarget(button);
    addToStrip(modeAdvVideoBtn);
    addToStrip(modeTakeRecordingPhotoBtn);
    addToStrip(modeWBBtn);
    if (modeAdvVideoBtn && cameraBar)
        modeAdvVideoBtn->setSelected(cameraBar->videoMode() == CameraBar::CameraModeAdvanced);
}

void takeButtonsOut()
{
    for (kit::UIView* button : { static_cast<kit::UIView*>(modeAdvCameraBtn.get()),
             static_cast<kit::UIView*>(modeTimerBtn.get()), static_cast<kit::UIView*>(modeLapseTimerBtn.get()),
             static_cast<kit::UIView*>(modeAdvVideoBtn.get()), static_cast<kit::UIView*>(modeTakeRecordingPhotoBtn.get()),
             static_cast<kit::UIView*>(modeWBBtn.get()) })
        if (button)
            button->removeFromSuperview();
}

void slideStrip(bool shown)
{
    auto strip = _cameraButtonView;
    kit::CGRect target = stripFrame(shown);
    kit::UIView::animateWithDuration(
        slideDuration, 0, kit::UIViewAnimationOptionCurveEaseIn,
        [strip, target, shown] {
            strip->setFrame(target);
            if (IS_IPAD)
                toggleZoomBarOffset(shown);
        },
        nullptr);
}

void showStrip()
{
    if (!IS_IPAD) {
        if (auto slider = _CAMZoomSlider.lock())
            host::makeInvisible(slider.get());
    }
    if (auto bar = cameraBar) {
        bar->toggleElementFinished(-3, 0.0f);
        bar->toggleElementFinished(-4, 0.1f);
    }
    // The element codes may have run teardown code; the strip is checked again.
    if (!_cameraButtonView)
        return;

    takeButtonsOut();
    kit::id controller = currentCameraController();
    bool recording = modeTakeRecordingPhotoBtn && modeTakeRecordingPhotoBtn->isEnabled();
    _cameraButtonView->setTextForMode(controller, recording);
    bool photo = isCameraMode(controller);
    bool video = isVideoMode(controller);
    if (photo)
        layOutPhotoButtons();
    else if (video)
        layOutVideoButtons();
    // In a mode with no buttons (panorama) the strip shows empty, without
    // captions for buttons that are not there.
    if (auto& scroll = _cameraButtonView->scrollview())
        scroll->setHidden(!photo && !video);

    if (auto* parent = _cameraButtonView->superview())
        parent->bringSubviewToFront(_cameraButtonView.get());
    showingButtonArray = true;
    slideStrip(true);
}

}

void createCameraButtonArray(kit::UIView* bottomBar)
{
    if (buttonsCreated)
        return;
    buttonsCreated = true;

    if (!cameraBar)
        createCameraBar();
    if (_CAMBottomBar.lock())
        createFocusAndExposureObjects();

    if (IS_IPAD && bottomBar) {
        if (zoomView)
            zoomView->setAlpha(1);
        else if (IS_IPAD_ZOOM) {
            double y = isLandscapeOrientation() ? zoomViewYLandscape : zoomViewYPortrait;
            zoomView = ZoomView::initWithFrame(kit::CGRectMake(minXForZoom, y, 400, 400));
            bottomBar->addSubview(zoomView);
        }
        // The control outlives the camera bar of the session that made it:
        // each session's camera bar takes its moves.
        if (auto* zoom = kit::cast<ZoomView>(zoomView.get()))
            zoom->setDelegate(cameraBar);
    }

    if (!_cameraButtonView) {
        _cameraButtonView = std::make_shared<CameraButtonView>(hiddenStripFrame(), cameraBar.get(), kit::Action());
        _cameraButtonView->setAlpha(1);
        std::shared_ptr<kit::UIView> parent = IS_IPAD ? (bottomBar ? bottomBar->strongRef<kit::UIView>() : nullptr)
                                                      : cameraView.lock();
        if (parent)
            parent->addSubview(_cameraButtonView);
    }

    CameraBtn_PhotoOffset = 70;
    CameraBtn_PhotoStart = IS_IPAD ? 15 : 30;
    CameraBtn_Top = 10;
    modeAdvCameraBtn = makeModeButton<CameraButton>(buttonOrigin(CameraBtn_PhotoStart, CameraBtn_PhotoOffset, 0), 1);
    modeTimerBtn = makeModeButton<TimerButton>(buttonOrigin(CameraBtn_PhotoStart, CameraBtn_PhotoOffset, 1), 2);
    modeLapseTimerBtn = makeModeButton<TimeLapseButton>(buttonOrigin(CameraBtn_PhotoStart, CameraBtn_PhotoOffset, 2), 3);

    CameraBtn_VideoStart = IS_IPAD ? 15 : 65;
    if (IS_IPAD)
        CameraBtn_Top = 40;
    CameraBtn_VideoOffset = 70;
    modeAdvVideoBtn = makeModeButton<MovieButton>(buttonOrigin(CameraBtn_VideoStart, CameraBtn_VideoOffset, 0), 6);
    modeTakeRecordingPhotoBtn
        = makeModeButton<CameraButton>(buttonOrigin(CameraBtn_VideoStart, CameraBtn_VideoOffset, 1), 10);
    // Enabled only while a recording runs (the capture hooks switch it).
    modeTakeRecordingPhotoBtn->setEnabled(false);
    modeWBBtn = makeModeButton<WBLockButton>(buttonOrigin(CameraBtn_VideoStart, CameraBtn_VideoOffset, 2), 7);

    if (zoomView)
        zoomView->setHidden(isVideoMode(currentCameraController()));

    if (auto bar = cameraBar)
        bar->createHelpViews();
}

void toggleCameraButtonArray(int state)
{
    bool hide = (showingButtonArray && state == -1) || state == 0;
    bool show = (!showingButtonArray && state == -1) || state == 1;
    if (!hide && !show)
        return;
    if (!_cameraButtonView) {
        kit::logf("Vantor2: the mode strip cannot be %s before it is created", show ? "shown" : "hidden");
        return;
    }
    if (hide) {
        showingButtonArray = false;
        slideStrip(false);
        return;
    }
    showStrip();
}

void toggleZoomBarOffset(bool stripShown)
{
    if (!zoomView)
        return;
    kit::CGRect frame = zoomView->frame();
    frame.origin.x = stripShown ? maxXForZoom : minXForZoom;
    frame.origin.y = isLandscapeOrientation() ? zoomViewYLandscape : zoomViewYPortrait;
    zoomView->setFrame(frame);
}

void destroyCameraButtonArray()
{
    if (_cameraButtonView)
        toggleCameraButtonArray(0);
    removeAndRelease(modeAdvCameraBtn);
    removeAndRelease(modeTimerBtn);
    removeAndRelease(modeLapseTimerBtn);
    removeAndRelease(modeAdvVideoBtn);
    removeAndRelease(modeWBBtn);
    removeAndRelease(modeTakeRecordingPhotoBtn);
    removeAndRelease(_cameraButtonView);
    showingButtonArray = false;
    buttonsCreated = false;
}

void hideCameraBar(kit::id sender) { hideCameraBar4(sender, 0.3f, true, false); }

void hideCameraBar4(kit::id, float duration, bool keepDialAttached, bool leaveDial)
{
    auto bar = cameraBar;
    if (!bar)
        return;
    // A running or chosen time-lapse keeps its dial unless it is only faded;
    // decided once, so the fade and the report agree.
    bool timeLapse = bar->prevTimerMode() == CameraBar::TimerModeTimeLapse
        || bar->timerMode() == CameraBar::TimerModeTimeLapse;
    bool fade = !leaveDial && (keepDialAttached || !timeLapse);
    std::weak_ptr<CameraBar> weakBar = bar;

    kit::UIView::animateWithDuration(
        duration, 0, kit::UIViewAnimationOptionCurveEaseInOut,
        [weakBar, fade, keepDialAttached] {
            auto owner = weakBar.lock();
            if (!fade || !owner)
                return;
            if (auto dial = owner->selDialEx()) {
                dial->setAlpha(0);
                if (!keepDialAttached)
                    dial->removeFromSuperview();
            }
        },
        [weakBar, fade](bool) {
            auto owner = weakBar.lock();
            if (!fade || !owner)
                return;
            owner->toggleElementFinished(-5, 1.0f);
            owner->toggleElementFinished(1, 0.0f);
        });
}

}
