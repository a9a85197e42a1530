#include "extension/camerabar/CameraBar.h"

#include "extension/elements/CustomTransparentFilledLabel.h"
#include "extension/startup/Globals.h"
#include "kit/ui/UIView.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace vantor {

namespace {

constexpr double captionHoldSeconds = 1.7;
constexpr double captionFadeOutSeconds = 1.2;

// Full Unicode upper-casing in the root locale, so the result does not
// depend on the process's language ("ß" becomes "SS").
std::string upperCased(const std::string& text)
{
    std::string upper;
    icu::UnicodeString::fromUTF8(text).toUpper(icu::Locale::getRoot()).toUTF8String(upper);
    return upper;
}

void fadeOutCaption(const std::shared_ptr<CustomTransparentFilledLabel>& label)
{
    kit::UIView::animateWithDuration(
        captionFadeOutSeconds, [label] { label->setAlpha(0); },
        [label](bool) {
            label->setTextEx("");
            label->setHidden(true);
            label->removeFromSuperview();
        });
}

}

void CameraBar::fadeinText(const std::string& text) { fadeinText(text, 0.8f); }

void CameraBar::fadeinText(const std::string& text, float duration)
{
    std::shared_ptr<kit::UIView> parent;
    std::shared_ptr<CustomTransparentFilledLabel> label;
    if (IS_IPAD) {
        parent = cameraView.lock();
        label = std::make_shared<CustomTransparentFilledLabel>(kit::CGRectMake(10, 14, 200, 22));
    } else {
        parent = _CAMTopBar.lock();
        label = std::make_shared<CustomTransparentFilledLabel>(kit::CGRectMake(0, 55.5, 320, 22));
    }
    if (parent)
        parent->addSubview(label);
    label->setAlpha(0);
    label->setHidden(false);
    label->setTextEx(upperCased(text));

    // Each caption owns its chain: an overlapping caption runs its own and
    // neither cuts the other short. The chain carries on when the parent
    // lets the label go early, and ends by letting it go itself.
    kit::UIView::animateWithDuration(
        duration, 0, kit::UIViewAnimationOptionCurveLinear, [label] { label->setAlpha(1); },
        [label](bool) {
            kit::UIView::animateWithDuration(
                captionHoldSeconds, [] {}, [label](bool) { fadeOutCaption(label); });
        });
}

}
