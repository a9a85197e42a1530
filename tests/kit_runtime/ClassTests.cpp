#include "kit/foundation/ProcessIdentity.h"
#include "kit/runtime/MessageSend.h"
#include "kit/ui/UIDevice.h"

#include <gtest/gtest.h>

using namespace kit;

namespace {

class TestView : public Object {
    KIT_OBJECT(TestView, Object)
};

class TestImageView : public TestView {
    KIT_OBJECT(TestImageView, TestView)
};

KIT_REGISTER_CLASS(TestImageView);

}

TEST(Classes, AreFoundByNameWithTheirSuperclassesAndMetaClasses)
{
    Class imageView = objc_getClass("TestImageView");
    ASSERT_TRUE(imageView);
    EXPECT_EQ(NSClassFromString("TestImageView"), imageView);
    EXPECT_STREQ(class_getName(class_getSuperclass(imageView)), "TestView");
    EXPECT_EQ(class_getSuperclass(class_getSuperclass(imageView)), Object::staticClass());
    EXPECT_EQ(objc_getClass("NoSuchClass"), nullptr);
    EXPECT_EQ(objc_getMetaClass("NoSuchClass"), nullptr);

    Class meta = objc_getMetaClass("TestImageView");
    ASSERT_TRUE(meta);
    EXPECT_TRUE(meta->isMetaClass());
    EXPECT_EQ(object_getClass(imageView), meta);
    EXPECT_EQ(meta->superclass(), objc_getMetaClass("TestView"));
}

TEST(Classes, ExactAndKindOfClassTestsWorkByName)
{
    auto imageView = std::make_shared<TestImageView>();
    EXPECT_TRUE(imageView->isMemberOfClassNamed("TestImageView"));
    EXPECT_FALSE(imageView->isMemberOfClassNamed("TestView"));
    EXPECT_TRUE(imageView->isKindOfClassNamed("TestView"));
    EXPECT_TRUE(imageView->isKindOfClassNamed("NSObject"));
    EXPECT_FALSE(imageView->isKindOfClassNamed("NoSuchClass"));

    auto view = std::make_shared<TestView>();
    EXPECT_FALSE(view->isKindOfClassNamed("TestImageView"));
    EXPECT_STREQ(view->className(), "TestView");
    EXPECT_EQ(cast<TestImageView>(view.get()), nullptr);
    EXPECT_EQ(cast<TestView>(imageView.get()), imageView.get());
}

TEST(Classes, CanBeMadeByNameWhenTheyHaveAFactory)
{
    Class cls = registerClass("TestLibrary", Object::staticClass());
    EXPECT_EQ(cls->createInstance(), nullptr);
    cls->setFactory([] { return std::make_shared<TestView>(); });
    auto made = NSClassFromString("TestLibrary")->createInstance();
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->isKindOfClassNamed("TestView"));
}

TEST(Classes, RegisteringTheSameNameTwiceGivesTheSameClass)
{
    Class first = registerClass("TestTwice", Object::staticClass());
    EXPECT_EQ(registerClass("TestTwice", Object::staticClass()), first);
}

TEST(ProcessIdentityTest, TheDeviceAnswersTheIdiomQueryOnlyWhenItCan)
{
    SEL idiom = sel_registerName("userInterfaceIdiom");
    ProcessIdentity pad;
    pad.interfaceIdiom = 1;
    ProcessIdentity::set(pad);
    ASSERT_TRUE(UIDevice::currentDevice()->respondsToSelector(idiom));
    EXPECT_EQ(msgSend<int>(UIDevice::currentDevice(), idiom), 1);

    ProcessIdentity old;
    old.interfaceIdiom.reset();
    ProcessIdentity::set(old);
    EXPECT_FALSE(UIDevice::currentDevice()->respondsToSelector(idiom));
    ProcessIdentity::set({});
}

TEST(ProcessIdentityTest, SysctlbynameAnswersTheMachineLikeTheBsdCall)
{
    ProcessIdentity identity;
    identity.machine = "iPhone6,1";
    ProcessIdentity::set(identity);

    size_t size = 0;
    ASSERT_EQ(sysctlbyname("hw.machine", nullptr, &size, nullptr, 0), 0);
    EXPECT_EQ(size, 10u);
    std::string machine(size, '\0');
    ASSERT_EQ(sysctlbyname("hw.machine", machine.data(), &size, nullptr, 0), 0);
    EXPECT_STREQ(machine.c_str(), "iPhone6,1");

    char small[4];
    size = sizeof small;
    EXPECT_EQ(sysctlbyname("hw.machine", small, &size, nullptr, 0), -1);
    EXPECT_EQ(sysctlbyname("hw.model", nullptr, &size, nullptr, 0), -1);
    ProcessIdentity::set({});
}
