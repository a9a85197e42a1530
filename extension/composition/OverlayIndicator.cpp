#include "extension/composition/OverlayIndicator.h"

#include "extension/camerabar/CameraBar.h"
#include "extension/composition/OverlayModes.h"
#include "extension/composition/OverlaySelectionView.h"
#include "extension/startup/Globals.h"
#include "extension/startup/Predicates.h"
#include "extension/startup/Prefs.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace vantor {

KIT_REGISTER_CLASS(OverlayIndicator);

namespace {

constexpr const char* indicatorImagePath = "/Library/Application Support/Vantor2/Overlays/Thumbnails/overlayBtnRectangleOn@2x.png";
constexpr double selectorSlideSeconds = 0.15;
// The strip's height, and the gap the drawing leaves above the bottom bar.
constexpr kit::CGFloat selectorHeight = 80;
constexpr kit::CGFloat drawingBottomGap = 40;

kit::CGFloat heightOf(const std::weak_ptr<kit::UIView>& bar)
{
    auto view = bar.lock();
    return view ? view->frame().size.height : 0;
}

void removeAndForget(std::shared_ptr<kit::UIView> view)
{
    if (view)
        view->removeFromSuperview();
}

}

OverlayIndicator::OverlayIndicator(kit::CGRect frame, kit::Action callback)
    : kit::UIImageView(frame)
    , m_callback(std::move(callback))
{
    setImage(kit::UIImage::imageWithContentsOfFile(indicatorImagePath));
    setBackgroundColor(kit::UIColor::clearColor());
    setUserInteractionEnabled(true);
    setAutoresizesSubviews(false);

    m_actualIndicator = std::make_shared<kit::UIImageView>(
        kit::CGRectMake(5, 7.5, frame.size.width - 10, frame.size.height - 15));
    m_actualIndicator->setTag(thumbnailTag);
    m_actualIndicator->setUserInteractionEnabled(true);
    m_actualIndicator->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(m_callback));
    addSubview(m_actualIndicator);

    overlaySelectorIsShowing = false;
}

OverlayIndicator::~OverlayIndicator()
{
    removeAndForget(std::move(m_overlaySelectionView));
    removeAndForget(std::move(m_actualIndicator));
    removeAndForget(std::move(m_overlay));
}

kit::CGRect OverlayIndicator::overlayFrame()
{
    auto view = cameraView.lock();
    if (!view)
        return kit::CGRectZero;
    auto frame = view->frame();
    if (isCameraMode(cameraController.lock().get())) {
        // The screen stays in portrait while the device turns, so the picture
        // area between the bars is the same whichever way it is held.
        frame.origin.y += heightOf(_CAMTopBar);
        frame.size.height -= heightOf(_CAMBottomBar) + drawingBottomGap;
    }
    return frame;
}

void OverlayIndicator::setOverlayIndicatorImg(int32_t choiceTag, bool isFromStartup)
{
    if (auto target = overlayModeForChoiceTag(choiceTag)) {
        bool switchOff = *target != 0 && sessionOverlayMode == *target && !isFromStartup;
        sessionOverlayMode = switchOff ? 0 : *target;
    }
    globOverlayMode = sessionOverlayMode;
    if (!isFromStartup && rememberSettings)
        savePrefs();

    auto frame = overlayFrame();
    m_actualIndicator->setImage(getCurrentOverlayIndicatorImg());
    if (!m_overlay) {
        m_overlay = std::make_shared<kit::UIImageView>(frame);
        if (auto view = cameraView.lock())
            view->addSubview(m_overlay);
    } else {
        m_overlay->setFrame(frame);
    }
    m_overlay->setImage(getCurrentOverlayImg());
}

std::shared_ptr<kit::UIImage> OverlayIndicator::getCurrentOverlayIndicatorImg() const
{
    return kit::UIImage::imageWithContentsOfFile(overlayThumbnailPath(sessionOverlayMode));
}

std::shared_ptr<kit::UIImage> OverlayIndicator::getCurrentOverlayImg() const
{
    return kit::UIImage::imageWithContentsOfFile(overlayDrawingPath(sessionOverlayMode));
}

void OverlayIndicator::toggleOverlaySelector(int32_t open)
{
    auto screen = kit::UIScreen::mainScreen()->bounds().size;
    if (!m_overlaySelectionView) {
        auto view = cameraView.lock();
        if (!view)
            return;
        auto bottomBar = _CAMBottomBar.lock();
        m_overlaySelectionView = std::make_shared<OverlaySelectionView>(
            kit::CGRectMake(screen.width, screen.height - heightOf(_CAMBottomBar) - selectorHeight, screen.width, selectorHeight),
            m_callback);
        view->insertSubview(m_overlaySelectionView, 0);
        view->bringSubviewToFront(m_overlaySelectionView.get());
        if (bottomBar)
            view->bringSubviewToFront(bottomBar.get());
        m_overlaySelectionView->setAlpha(1);
    }

    auto strip = m_overlaySelectionView;
    bool show = !overlaySelectorIsShowing && open != 0;
    overlaySelectorIsShowing = show;
    kit::UIView::animateWithDuration(selectorSlideSeconds, [strip, show, width = screen.width] {
        auto frame = strip->frame();
        frame.origin.x = show ? 0 : width;
        strip->setFrame(frame);
    });
}

void OverlayIndicator::hideOverlayFunctionality(bool hide)
{
    setHidden(hide);
    if (auto bar = cameraBar)
        bar->toggleElementFinished(-3, 1.0f);
    if (m_overlay)
        m_overlay->setHidden(hide);
}

}
