#include "extension/composition/OverlaySelectionView.h"

#include "common/CAM_Tools.h"
#include "extension/composition/OverlayModes.h"
#include "extension/elements/BlurView.h"
#include "extension/startup/Globals.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace vantor {

KIT_REGISTER_CLASS(OverlaySelectionView);

namespace {

struct Choice {
    int32_t tag;
    const char* caption;
    kit::CGFloat captionX;
};

// In strip order. The captions stand by eye under their images, since the
// texts differ in width.
constexpr Choice choices[] = {
    { 2, "Golden", 30 },
    { 3, "Trisec", 106 },
    { 1, "Thirds", 175 },
    { 4, "Square", 243 },
};

}

OverlaySelectionView::OverlaySelectionView(kit::CGRect frame, kit::Action callback)
    : kit::UIView(frame)
{
    auto scroll = std::make_shared<kit::UIScrollView>(bounds());
    scroll->setBackgroundColor(kit::UIColor::clearColor());
    scroll->setAlwaysBounceHorizontal(true);
    m_scrollview = scroll;

    int index = 0;
    for (const auto& entry : choices) {
        auto image = std::make_shared<kit::UIImageView>(kit::CGRectMake(25 + 70 * index, 1, 55, 65));
        image->setImage(kit::UIImage::imageWithContentsOfFile(overlayThumbnailPath(overlayModeForChoiceTag(entry.tag).value_or(0))));
        image->setTag(entry.tag);
        image->setUserInteractionEnabled(true);
        image->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(callback));
        scroll->addSubview(image);

        auto caption = std::make_shared<kit::UILabel>(kit::CGRectMake(entry.captionX, 65, 55, 10));
        caption->setText(entry.caption);
        caption->setFont(kit::UIFont::fontWithName("DINAlternate-Bold", 13));
        caption->setTextColor(kit::UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0));
        scroll->addSubview(caption);
        ++index;
    }
    addSubview(scroll);
    setBlur();
}

void OverlaySelectionView::setBlur()
{
    if (!blurButtonBar) {
        if (!m_nonBlur)
            m_nonBlur = CAM_Tools::CreatePlainBackgroundView(bounds());
        insertSubview(m_nonBlur, 0);
        return;
    }
    if (!m_blur)
        m_blur = CAM_Tools::CreateAndConfigureBlurView(frame());
    insertSubview(m_blur, 0);
}

kit::UIImageView* OverlaySelectionView::choice(int64_t tag) const
{
    for (const auto& view : m_scrollview->subviews())
        if (auto* image = dynamic_cast<kit::UIImageView*>(view.get()); image && image->tag() == tag)
            return image;
    return nullptr;
}

}
