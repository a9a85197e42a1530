#include "host/camera/CAMImageWell.h"

#include "host/camera/HostRuntime.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIImage.h"

namespace host {

KIT_REGISTER_CLASS(CAMImageWell);

CAMImageWell::CAMImageWell(kit::CGRect frame)
    : UIImageView(frame)
{
    setContentMode(kit::UIViewContentModeScaleAspectFill);
    setClipsToBounds(true);
    setBackgroundColor(kit::UIColor::colorWithWhite(0.15, 1));
    layer()->setCornerRadius(3);
    layer()->setBorderWidth(1);
    layer()->setBorderColor(kit::UIColor::colorWithWhite(1, 0.4));
    setUserInteractionEnabled(true);
}

void CAMImageWell::setThumbnailImageUuid(kit::id image, std::string uuid, bool animated)
{
    auto* picture = kit::cast<kit::UIImage>(image);
    auto shared = picture ? picture->strongRef<kit::UIImage>() : nullptr;
    m_uuid = std::move(uuid);
    if (!animated) {
        setImage(shared);
        return;
    }
    // The new thumbnail pops in from a smaller size, as the real well does.
    setImage(shared);
    setTransform(kit::CGAffineTransformMakeScale(0.6, 0.6));
    kit::UIView::animateWithDuration(0.2, [this] { setTransform(kit::CGAffineTransformIdentity); });
}

void CAMImageWell::setThumbnailImageAnimated(kit::id image, bool animated)
{
    send(sel::CAMImageWell_setThumbnailImageUuidAnimated, this, image, std::string(), animated);
}

void CAMImageWell::registerRuntimeMethods()
{
    registerMethod(sel::CAMImageWell_setThumbnailImageUuidAnimated, memberImp<&CAMImageWell::setThumbnailImageUuid>());
    registerMethod(sel::CAMImageWell_setThumbnailImageAnimated, memberImp<&CAMImageWell::setThumbnailImageAnimated>());
}

}
