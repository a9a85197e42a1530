#include "kit/runtime/MessageSend.h"
#include "kit/runtime/Substrate.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace kit;

namespace {

// A host class that calls its own methods through the runtime, as the
// simulated camera app does, so a replacement sees those internal calls.
class HostCamera : public Object {
    KIT_OBJECT(HostCamera, Object)

public:
    std::vector<std::string> calls;

    void shutterPressed() { msgSend<void>(this, sel_registerName("capturePhoto")); }
    void capturePhoto() { calls.push_back("host capturePhoto"); }
    int zoomLevel(int step) { return step * 2; }
    bool isFocusAllowed() const { return true; }
};

class HostFrontCamera : public HostCamera {
    KIT_OBJECT(HostFrontCamera, HostCamera)
};

struct Registered {
    Registered()
    {
        addMethod(HostCamera::staticClass(), sel_registerName("capturePhoto"), memberImp<&HostCamera::capturePhoto>());
        addMethod(HostCamera::staticClass(), sel_registerName("zoomLevel:"), memberImp<&HostCamera::zoomLevel>());
        addMethod(HostCamera::staticClass(), sel_registerName("isFocusAllowed"),
            memberImp<&HostCamera::isFocusAllowed>());
    }
};

void registerHostMethods()
{
    static Registered once;
}

void (*origCapturePhoto)(id, SEL) = nullptr;

void replacementCapturePhoto(id self, SEL cmd)
{
    static_cast<HostCamera*>(self)->calls.push_back("replacement before");
    origCapturePhoto(self, cmd);
    static_cast<HostCamera*>(self)->calls.push_back("replacement after");
}

int (*origZoomLevel)(id, SEL, int) = nullptr;

int replacementZoomLevel(id self, SEL cmd, int step)
{
    return origZoomLevel(self, cmd, step) + 100;
}

}

TEST(MessageSend, ReplacementInterceptsTheHostsOwnCallsAndTheOriginalStillRuns)
{
    registerHostMethods();
    Class cls = objc_getClass("HostCamera");
    ASSERT_TRUE(cls);
    hookMessage(cls, sel_registerName("capturePhoto"), &replacementCapturePhoto, &origCapturePhoto);
    ASSERT_TRUE(origCapturePhoto);

    auto camera = std::make_shared<HostCamera>();
    camera->shutterPressed();
    EXPECT_EQ(camera->calls,
        (std::vector<std::string> { "replacement before", "host capturePhoto", "replacement after" }));

    // Subclasses inherit the replacement.
    auto front = std::make_shared<HostFrontCamera>();
    front->shutterPressed();
    EXPECT_EQ(front->calls.size(), 3u);

    // Hooking again chains: the new original is the earlier replacement.
    void (*previous)(id, SEL) = nullptr;
    MSHookMessageEx(cls, sel_registerName("capturePhoto"), reinterpret_cast<IMP>(&replacementCapturePhoto),
        reinterpret_cast<IMP*>(&previous));
    EXPECT_EQ(previous, &replacementCapturePhoto);
    // Put the chain back so other tests see one replacement.
    MSHookMessageEx(cls, sel_registerName("capturePhoto"), reinterpret_cast<IMP>(previous), nullptr);
}

TEST(MessageSend, ArgumentsAndResultsPassThroughAReplacement)
{
    registerHostMethods();
    auto camera = std::make_shared<HostCamera>();
    SEL zoom = sel_registerName("zoomLevel:");
    EXPECT_EQ((msgSend<int, int>(camera.get(), zoom, 3)), 6);
    hookMessage(HostCamera::staticClass(), zoom, &replacementZoomLevel, &origZoomLevel);
    EXPECT_EQ((msgSend<int, int>(camera.get(), zoom, 3)), 106);
    EXPECT_EQ(send<int>(camera.get(), zoom, 4), 108);
}

TEST(MessageSend, HookingAnInheritedMethodAffectsOnlyTheSubclass)
{
    registerHostMethods();
    SEL sel = sel_registerName("isFocusAllowed");
    static bool (*orig)(id, SEL) = nullptr;
    bool (*refuse)(id, SEL) = [](id self, SEL cmd) { return !orig(self, cmd); };
    hookMessage(HostFrontCamera::staticClass(), sel, refuse, &orig);
    ASSERT_TRUE(orig);

    auto back = std::make_shared<HostCamera>();
    auto front = std::make_shared<HostFrontCamera>();
    EXPECT_TRUE(msgSend<bool>(back.get(), sel));
    EXPECT_FALSE(msgSend<bool>(front.get(), sel));
}

TEST(MessageSend, AMissingClassOrSelectorReplacesNothingAndLeavesTheSlotEmpty)
{
    registerHostMethods();
    void (*slot)(id, SEL) = &replacementCapturePhoto; // must be cleared
    MSHookMessageEx(objc_getClass("NoSuchHostClass"), sel_registerName("capturePhoto"),
        reinterpret_cast<IMP>(&replacementCapturePhoto), reinterpret_cast<IMP*>(&slot));
    EXPECT_EQ(slot, nullptr);

    slot = &replacementCapturePhoto;
    MSHookMessageEx(HostCamera::staticClass(), sel_registerName("noSuchSelector"),
        reinterpret_cast<IMP>(&replacementCapturePhoto), reinterpret_cast<IMP*>(&slot));
    EXPECT_EQ(slot, nullptr);
    EXPECT_FALSE(class_respondsToSelector(HostCamera::staticClass(), sel_registerName("noSuchSelector")));
}

TEST(MessageSend, AMessageToNilAnswersZero)
{
    EXPECT_EQ(msgSend<int>(nullptr, sel_registerName("anything")), 0);
    EXPECT_EQ(msgSend<double>(nullptr, sel_registerName("anything")), 0.0);
    msgSend<void>(nullptr, sel_registerName("anything"));
}

TEST(MessageSend, ClassMethodsAreFoundAndReplacedOnTheMetaClass)
{
    Class utilities = registerClass("TestFilterUtilities", Object::staticClass());
    SEL sel = sel_registerName("outputScale:");
    addClassMethod(utilities, sel, +[](id, SEL, double scale) { return scale * 2; });
    EXPECT_EQ((msgSendClass<double, double>(utilities, sel, 1.5)), 3.0);

    static double (*orig)(id, SEL, double) = nullptr;
    hookMessage(objc_getMetaClass("TestFilterUtilities"), sel,
        +[](id self, SEL cmd, double scale) { return orig(self, cmd, scale) + 1; }, &orig);
    EXPECT_EQ((msgSendClass<double, double>(utilities, sel, 1.5)), 4.0);
    // Instances do not answer class methods.
    EXPECT_FALSE(class_respondsToSelector(utilities, sel));
}

#ifndef NDEBUG
TEST(MessageSendDeathTest, ACallThroughTheWrongSignatureFailsLoudly)
{
    registerHostMethods();
    auto camera = std::make_shared<HostCamera>();
    EXPECT_DEATH((msgSend<int, double>(camera.get(), sel_registerName("zoomLevel:"), 3.0)), "does not match");
    EXPECT_DEATH((msgSend<int>(camera.get(), sel_registerName("unknownSelector"))), "unrecognized selector");
}
#endif
