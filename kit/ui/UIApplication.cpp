#include "kit/ui/UIApplication.h"

#include "kit/foundation/NSNotificationCenter.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/MessageSend.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/TouchDelivery.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>

namespace kit {

KIT_REGISTER_CLASS(UIApplication);

namespace {

struct Registry {
    std::vector<UIWindow*> windows;
    UIWindow* keyWindow { nullptr };
    std::shared_ptr<UIApplication> shared;
};

// Never destroyed: a window released while the process ends (held by a
// pending animation of the run loop, say) still unregisters itself.
Registry& registry()
{
    static auto* r = new Registry;
    return *r;
}

SEL memoryWarningSelector()
{
    static SEL sel = [] {
        SEL s = sel_registerName("didReceiveMemoryWarning");
        addMethod(UIApplication::staticClass(), s, memberImp<&UIApplication::didReceiveMemoryWarning>());
        return s;
    }();
    return sel;
}

[[maybe_unused]] const SEL registeredAtLoad = memoryWarningSelector();

}

UIApplication* UIApplication::sharedApplication()
{
    auto& r = registry();
    if (!r.shared)
        r.shared = std::make_shared<UIApplication>();
    return r.shared.get();
}

void UIApplication::setSharedApplication(std::shared_ptr<UIApplication> application)
{
    if (application)
        registry().shared = std::move(application);
}

std::vector<UIWindow*> UIApplication::windows() const
{
    auto windows = registry().windows;
    std::stable_sort(windows.begin(), windows.end(), [](UIWindow* a, UIWindow* b) {
        if (a->windowLevel() != b->windowLevel())
            return a->windowLevel() < b->windowLevel();
        return a->orderedFrontSequence() < b->orderedFrontSequence();
    });
    return windows;
}

UIWindow* UIApplication::keyWindow() const
{
    return registry().keyWindow;
}

void UIApplication::registerWindow(UIWindow* window)
{
    registry().windows.push_back(window);
}

void UIApplication::unregisterWindow(UIWindow* window)
{
    auto& r = registry();
    std::erase(r.windows, window);
    if (r.keyWindow == window)
        r.keyWindow = nullptr;
}

void UIApplication::setKeyWindow(UIWindow* window)
{
    registry().keyWindow = window;
}

void UIApplication::touchDown(CGPoint point, int finger)
{
    TouchDelivery::shared().down(point, finger);
}

void UIApplication::touchMove(CGPoint point, int finger)
{
    TouchDelivery::shared().move(point, finger);
}

void UIApplication::touchUp(CGPoint point, int finger)
{
    TouchDelivery::shared().up(point, finger);
}

void UIApplication::touchCancel(int finger)
{
    TouchDelivery::shared().cancel(finger);
}

void UIApplication::tap(CGPoint point, int finger)
{
    touchDown(point, finger);
    touchUp(point, finger);
}

void UIApplication::resetTouches()
{
    TouchDelivery::shared().forgetAll();
}

UIView* UIApplication::hitTest(CGPoint point) const
{
    return TouchDelivery::shared().hitTest(point, nullptr);
}

void UIApplication::enterBackground()
{
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationDidEnterBackgroundNotification, this);
}

void UIApplication::enterForeground()
{
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationWillEnterForegroundNotification, this);
}

void UIApplication::simulateMemoryWarning()
{
    msgSend<void>(this, memoryWarningSelector());
    NSNotificationCenter::defaultCenter().postNotificationName(UIApplicationDidReceiveMemoryWarningNotification, this);
}

}
