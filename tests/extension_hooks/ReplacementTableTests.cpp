// The 72 replacements: every host method the extension replaces holds the
// extension's implementation after the launch, in the host's order, and a
// process the extension does not serve keeps the host's own.

#include "HooksTest.h"

#include "extension/startup/ReplacementTable.h"

#include "host/camera/HostSelectors.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/runtime/Class.h"
#include "kit/runtime/Loader.h"

#include <string>
#include <vector>

extern "C" void Vantor2Initialize();

namespace {

struct Row {
    std::string className;
    std::string selector;
    bool classMethod;
    kit::IMP replacement;
    bool (*slotFilled)();
};

std::vector<Row> extensionRows()
{
    std::vector<Row> rows;
#define VANTOR_TEST_ROW(replacement, slot, cls, selector, kind, result, ...)                                    \
    rows.push_back(Row { cls, selector, vantor::ReplacedOn::kind == vantor::ReplacedOn::ClassMethod,           \
        reinterpret_cast<kit::IMP>(&vantor::replacement), [] { return vantor::slot != nullptr; } });
    VANTOR_REPLACEMENTS(VANTOR_TEST_ROW)
#undef VANTOR_TEST_ROW
    return rows;
}

std::vector<host::sel::MethodInfo> hostReplacedRows()
{
    std::vector<host::sel::MethodInfo> rows;
    for (const auto& method : host::sel::allMethods) {
        if (method.role == host::sel::Role::Replaced)
            rows.push_back(method);
    }
    return rows;
}

kit::Class classOf(const Row& row)
{
    return row.classMethod ? kit::objc_getMetaClass(row.className) : kit::objc_getClass(row.className);
}

kit::IMP installed(const Row& row)
{
    auto method = kit::class_getInstanceMethod(classOf(row), kit::sel_registerName(row.selector.c_str()));
    return method ? method->imp : nullptr;
}

TEST(ReplacementTableRows, NameTheHostsReplacedMethodsInTheHostsOrder)
{
    auto ours = extensionRows();
    auto theirs = hostReplacedRows();
    ASSERT_EQ(ours.size(), 72u);
    ASSERT_EQ(theirs.size(), 72u);
    for (size_t i = 0; i < ours.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ours[i].className, theirs[i].className);
        EXPECT_EQ(ours[i].selector, theirs[i].selector);
        EXPECT_EQ(ours[i].classMethod, theirs[i].kind == host::sel::Kind::ClassMethod);
    }
}

class ReplacementTable : public hookstest::HooksTest { };

TEST_F(ReplacementTable, EveryReplacedMethodHoldsTheExtensionsImplementationAfterLaunch)
{
    launch();
    EXPECT_TRUE(logged("loaded Vantor2 into com.apple.camera"));
    for (const auto& row : extensionRows()) {
        SCOPED_TRACE(row.className + " " + row.selector);
        ASSERT_NE(classOf(row), nullptr);
        EXPECT_EQ(installed(row), row.replacement);
        EXPECT_TRUE(row.slotFilled()) << "the host's implementation is kept for the replacement to call";
    }
}

TEST_F(ReplacementTable, AProcessThatIsNotServedStaysInert)
{
    // The phone registers the host's classes without launching the camera.
    m_phone = startPhone();
    ASSERT_TRUE(m_phone);
    auto identity = kit::ProcessIdentity::current();
    identity.bundleIdentifier = "com.apple.mobilesafari";
    kit::ProcessIdentity::set(identity);

    auto result = kit::Loader::loadInto(m_root, identity.bundleIdentifier);
    EXPECT_TRUE(result.loaded.empty()) << "the filter names only the camera and the home screen";

    // Even an entry run by hand changes nothing there.
    Vantor2Initialize();
    for (const auto& row : extensionRows()) {
        SCOPED_TRACE(row.className + " " + row.selector);
        if (classOf(row)) {
            EXPECT_NE(installed(row), row.replacement);
        }
        EXPECT_FALSE(row.slotFilled());
    }
    EXPECT_EQ(vantor::guideIndex, 0) << "the process-wide state is not reset";
}

}
