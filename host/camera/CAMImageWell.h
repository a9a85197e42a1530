#pragma once

#include "kit/ui/UIImageView.h"

#include <string>

namespace host {

// The thumbnail of the newest photo, left of the shutter: a small rounded
// picture with a thin border; empty (dark) before the first photo.
class CAMImageWell final : public kit::UIImageView {
    KIT_OBJECT(CAMImageWell, kit::UIImageView)

public:
    explicit CAMImageWell(kit::CGRect frame = kit::CGRectZero);

    // The image is a kit::UIImage (nil empties the well); the uuid names the
    // photo it shows.
    void setThumbnailImageUuid(kit::id image, std::string uuid, bool animated);
    void setThumbnailImageAnimated(kit::id image, bool animated);
    const std::string& uuid() const { return m_uuid; }

    static void registerRuntimeMethods();

private:
    std::string m_uuid;
};

}
