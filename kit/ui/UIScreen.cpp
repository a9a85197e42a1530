#include "kit/ui/UIScreen.h"

#include "kit/foundation/ProcessIdentity.h"

namespace kit {

KIT_REGISTER_CLASS(UIScreen);

UIScreen* UIScreen::mainScreen()
{
    static auto screen = std::make_shared<UIScreen>();
    return screen.get();
}

CGRect UIScreen::bounds() const
{
    auto& identity = ProcessIdentity::current();
    return CGRectMake(0, 0, identity.screenWidth, identity.screenHeight);
}

CGFloat UIScreen::scale() const
{
    return ProcessIdentity::current().screenScale;
}

}
