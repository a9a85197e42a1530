#include "ViewTestSupport.h"

#include "../resources/TemporaryFolder.h"

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UISwitch.h"
#include "kit/ui/UITableViewController.h"
#include "kit/ui/UIViewController.h"

#include <fstream>
#include <iterator>

namespace kit::test {

// A page whose layout connects a switch, a button and a scroll view.
class LayoutTestPage : public UIViewController {
    KIT_OBJECT(LayoutTestPage, UIViewController)
public:
    std::shared_ptr<UISwitch> advancedPhoto;
    std::shared_ptr<UIButton> fontButton;
    std::weak_ptr<UIScrollView> scrollView;
    std::vector<std::string> calls;
    bool switchWasConnectedAtViewDidLoad { false };

    void advPhotoSwitched(id sender)
    {
        calls.push_back(std::string("advPhotoSwitched: ") + (sender == advancedPhoto.get() ? "switch" : "other"));
    }
    void fontTapped(id) { calls.push_back("fontTapped:"); }
    void viewDidLoad() override { switchWasConnectedAtViewDidLoad = bool(advancedPhoto); }
};

KIT_REGISTER_CLASS(LayoutTestPage);

namespace {

[[maybe_unused]] const bool layoutTestPageConnections = [] {
    registerOutlet("advancedPhoto", &LayoutTestPage::advancedPhoto);
    registerOutlet("fontButton", &LayoutTestPage::fontButton);
    registerOutlet("scrollView", &LayoutTestPage::scrollView);
    registerAction<&LayoutTestPage::advPhotoSwitched>("advPhotoSwitched:");
    registerAction<&LayoutTestPage::fontTapped>("fontTapped:");
    return true;
}();

const char* plistHead = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict><key>views</key><array>)";
const char* plistTail = "</array></dict></plist>\n";

// The page of the format's description: a scroll view holding a row with a
// label and a switch, and a button below.
std::string pageLayout(const std::string& switchExtra = "", const std::string& switchClass = "UISwitch")
{
    return std::string(plistHead) + R"(
<dict>
  <key>class</key><string>UIScrollView</string>
  <key>frame</key><string>{{0, 0}, {320, 504}}</string>
  <key>outlet</key><string>view</string>
  <key>backgroundColor</key><string>groupTableViewBackground</string>
  <key>contentSize</key><string>{300, 410}</string>
  <key>subviews</key><array>
    <dict>
      <key>class</key><string>UILabel</string>
      <key>frame</key><string>{{15, 35}, {220, 44}}</string>
      <key>text</key><string>Advanced Photo Mode</string>
      <key>font</key><string>boldSystem 15</string>
    </dict>
    <dict>
      <key>class</key><string>)" + switchClass + R"(</string>
      <key>frame</key><string>{{254, 41}, {51, 31}}</string>
      <key>outlet</key><string>advancedPhoto</string>
      <key>on</key><true/>
      <key>actions</key><dict><key>valueChanged</key><string>advPhotoSwitched:</string></dict>
      )" + switchExtra + R"(
    </dict>
    <dict>
      <key>class</key><string>UIButton</string>
      <key>buttonType</key><string>system</string>
      <key>frame</key><string>{{20, 120}, {280, 44}}</string>
      <key>title</key><string>GillSans-Bold</string>
      <key>borderWidth</key><real>0.5</real>
      <key>borderColor</key><string>darkGray</string>
      <key>outlet</key><string>fontButton</string>
      <key>actions</key><dict><key>touchUpInside</key><string>fontTapped:</string></dict>
    </dict>
  </array>
</dict>)" + plistTail;
}

class LayoutTest : public ViewsTest {
protected:
    void SetUp() override
    {
        ViewsTest::SetUp();
        DeviceRoot::set(m_root.path());
        auto identity = ProcessIdentity::current();
        identity.workingDirectory = "/";
        ProcessIdentity::set(identity);
        std::filesystem::create_directories(m_root.path() / "Library/PreferenceBundles/Test.bundle");
        m_bundle = NSBundle::bundleWithPath("Library/PreferenceBundles/Test.bundle");
        ASSERT_TRUE(m_bundle);
        SystemLog::clearRecentLines();
    }
    void TearDown() override
    {
        auto identity = ProcessIdentity::current();
        identity.workingDirectory.clear();
        ProcessIdentity::set(identity);
        DeviceRoot::clear();
    }

    void writeLayout(const std::string& name, const std::string& text)
    {
        std::ofstream(m_bundle->hostPath() / (name + ".nib")) << text;
    }

    // The log lines that name the layout.
    std::vector<std::string> linesAbout(const std::string& name)
    {
        std::vector<std::string> lines;
        for (auto& line : SystemLog::recentLines())
            if (line.find("layout " + name) != std::string::npos)
                lines.push_back(line);
        return lines;
    }

    std::shared_ptr<LayoutTestPage> pageFrom(const std::string& name)
    {
        auto page = std::make_shared<LayoutTestPage>();
        page->initWithNibName(name, m_bundle);
        return page;
    }

    TemporaryFolder m_root;
    std::shared_ptr<NSBundle> m_bundle;
};

}

TEST_F(LayoutTest, APageIsBuiltFromItsLayoutWithOutletsSetBeforeViewDidLoad)
{
    writeLayout("MainView_iphone", pageLayout());
    auto page = pageFrom("MainView_iphone");
    auto* scroll = dynamic_cast<UIScrollView*>(page->view());
    ASSERT_TRUE(scroll);
    EXPECT_TRUE(page->switchWasConnectedAtViewDidLoad);
    EXPECT_EQ(page->scrollView.lock().get(), nullptr); // declared, not named by this layout
    EXPECT_EQ(scroll->contentSize(), CGSizeMake(300, 410));
    ASSERT_EQ(scroll->subviews().size(), 3u);
    auto* label = dynamic_cast<UILabel*>(scroll->subviews()[0].get());
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), "Advanced Photo Mode");
    EXPECT_EQ(label->frame(), CGRectMake(15, 35, 220, 44));
    ASSERT_TRUE(page->advancedPhoto);
    EXPECT_TRUE(page->advancedPhoto->isOn());
    EXPECT_EQ(page->advancedPhoto->superview(), scroll);
    ASSERT_TRUE(page->fontButton);
    EXPECT_EQ(page->fontButton->buttonType(), UIButtonTypeSystem);
    EXPECT_EQ(page->fontButton->titleForState(UIControlStateNormal), "GillSans-Bold");
    EXPECT_DOUBLE_EQ(page->fontButton->layer()->borderWidth(), 0.5);
    EXPECT_TRUE(linesAbout("MainView_iphone").empty());
}

TEST_F(LayoutTest, ControlsSendTheirActionsToTheOwnerThroughTheRuntime)
{
    writeLayout("MainView_iphone", pageLayout());
    auto page = pageFrom("MainView_iphone");
    auto window = makeWindow();
    window->addSubview(page->viewShared());
    CGPoint switchCentre = page->advancedPhoto->convertPointToScreen(CGPointMake(25, 15));
    app().touchDown(switchCentre);
    app().touchUp(switchCentre);
    EXPECT_FALSE(page->advancedPhoto->isOn());
    CGPoint buttonCentre = page->fontButton->convertPointToScreen(CGPointMake(140, 22));
    app().touchDown(buttonCentre);
    app().touchUp(buttonCentre);
    EXPECT_EQ(page->calls, (std::vector<std::string> { "advPhotoSwitched: switch", "fontTapped:" }));
    auto selectors = page->advancedPhoto->actionSelectorsForControlEvents(UIControlEventValueChanged);
    ASSERT_EQ(selectors.size(), 1u);
    EXPECT_STREQ(sel_getName(selectors[0]), "advPhotoSwitched:");

    // A replacement of the action method intercepts the layout's connection.
    static int replaced = 0;
    auto replacement = +[](id, SEL, id) { ++replaced; };
    auto previous = class_replaceMethod(LayoutTestPage::staticClass(), sel_registerName("fontTapped:"),
        reinterpret_cast<IMP>(replacement), signatureOf<void, id>());
    page->fontButton->sendActionsForControlEvents(UIControlEventTouchUpInside);
    class_replaceMethod(LayoutTestPage::staticClass(), sel_registerName("fontTapped:"), previous, signatureOf<void, id>());
    EXPECT_EQ(replaced, 1);
}

TEST_F(LayoutTest, ActionsDoNotKeepTheOwnerAlive)
{
    writeLayout("MainView_iphone", pageLayout());
    auto page = pageFrom("MainView_iphone");
    auto view = page->viewShared();
    auto control = page->advancedPhoto;
    std::weak_ptr<LayoutTestPage> weak = page;
    page.reset();
    EXPECT_TRUE(weak.expired());
    control->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_TRUE(connectedOutletViews("advancedPhoto").empty());
}

TEST_F(LayoutTest, TheViewConnectedToAnOutletCanBeFoundByName)
{
    writeLayout("MainView_iphone", pageLayout());
    auto page = pageFrom("MainView_iphone");
    page->view();
    auto found = connectedOutletViews("fontButton");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front().owner, page);
    EXPECT_EQ(found.front().view, page->fontButton);
}

TEST_F(LayoutTest, LoadNibNamedConnectsAnyOwnerAndReportsWhatItConnected)
{
    writeLayout("FeaturesView_iphone", pageLayout());
    auto owner = std::make_shared<LayoutTestPage>();
    auto views = loadNibNamed(m_bundle, "FeaturesView_iphone", owner.get());
    ASSERT_TRUE(views);
    ASSERT_EQ(views->size(), 1u);
    EXPECT_EQ(owner->view(), views->front().get());

    auto contents = std::get<NibContents>(UINib::nibWithNibName("FeaturesView_iphone", m_bundle)->instantiate(owner.get()));
    std::vector<std::string> outlets, actions;
    for (auto& outlet : contents.outlets)
        outlets.push_back(outlet.name);
    for (auto& action : contents.actions)
        actions.push_back(action.selector);
    EXPECT_EQ(outlets, (std::vector<std::string> { "view", "advancedPhoto", "fontButton" }));
    EXPECT_EQ(actions, (std::vector<std::string> { "advPhotoSwitched:", "fontTapped:" }));
}

// Each refusal names the offending name in one log line and connects nothing.
TEST_F(LayoutTest, ALayoutNamingAnUnknownClassOutletOrActionIsRefusedWhole)
{
    struct Case {
        std::string layout;
        std::string named;
    };
    std::string unknownOutlet = pageLayout();
    unknownOutlet.replace(unknownOutlet.find("fontButton"), 10, "fontButtn");
    std::string unknownAction = pageLayout();
    unknownAction.replace(unknownAction.find("fontTapped:"), 11, "fontTaped:");
    std::string wrongKind = pageLayout("", "UIButton");
    wrongKind.erase(wrongKind.find("<key>on</key><true/>"), 20);
    std::vector<Case> cases {
        { pageLayout("", "UISwich"), "unknown class UISwich" },
        { unknownOutlet, "unknown outlet fontButtn of LayoutTestPage" },
        { unknownAction, "unknown action fontTaped: of LayoutTestPage" },
        { wrongKind, "outlet advancedPhoto of LayoutTestPage cannot hold a UIButton" },
        { pageLayout("<key>text</key><string>On</string>"), "a UISwitch has no text" },
        { pageLayout("<key>colour</key><string>red</string>"), "unknown key colour" },
        { pageLayout("<key>onTintColor</key><string>1 0.5</string>"), "the value of onTintColor is not of its form" },
        { pageLayout("<key>actions</key><dict><key>valueChnged</key><string>advPhotoSwitched:</string></dict>"), "unknown control event valueChnged" },
        { std::string(plistHead) + "<dict><key>class</key><string>NSObject</string></dict>" + plistTail, "class NSObject is not a view" },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.named);
        SystemLog::clearRecentLines();
        writeLayout("Refused", c.layout);
        auto page = pageFrom("Refused");
        UIView* view = page->view();
        ASSERT_TRUE(view);
        EXPECT_TRUE(view->isMemberOfClass(UIView::staticClass()));
        EXPECT_FALSE(page->advancedPhoto);
        EXPECT_FALSE(page->fontButton);
        auto lines = linesAbout("Refused");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].find(c.named), std::string::npos) << lines[0];
    }
}

TEST_F(LayoutTest, AMissingOrMalformedLayoutLeavesAPlainPageAndOneLineSayingWhich)
{
    struct Case {
        std::string name;
        std::optional<std::string> text;
        std::string why;
    };
    std::vector<Case> cases {
        { "Missing", std::nullopt, "missing" },
        { "Garbage", "this is not a property list <", "malformed" },
        { "Truncated", pageLayout().substr(0, 400), "malformed" },
        { "ArrayRoot", "<plist version=\"1.0\"><array/></plist>", "root is not a dictionary" },
        { "NoViews", "<plist version=\"1.0\"><dict/></plist>", "no views array" },
        { "BadFrame", std::string(plistHead) + "<dict><key>class</key><string>UIView</string><key>frame</key><string>{{0, 0}, {320}}</string></dict>" + plistTail, "frame" },
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        SystemLog::clearRecentLines();
        if (c.text)
            writeLayout(c.name, *c.text);
        auto page = pageFrom(c.name);
        ASSERT_TRUE(page->view());
        EXPECT_EQ(page->view()->bounds(), UIScreen::mainScreen()->bounds());
        EXPECT_FALSE(page->advancedPhoto);
        auto lines = linesAbout(c.name);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].find(c.why), std::string::npos) << lines[0];
    }
}

TEST_F(LayoutTest, ALayoutNameCannotReachOutsideItsBundle)
{
    std::ofstream(m_root.path() / "Library/PreferenceBundles/Outside.nib") << pageLayout();
    auto page = pageFrom("../Outside");
    page->view();
    EXPECT_FALSE(page->advancedPhoto);
    EXPECT_EQ(linesAbout("../Outside").size(), 1u);
}

TEST_F(LayoutTest, BundlesAreOpenedRelativeToTheWorkingFolder)
{
    EXPECT_EQ(m_bundle->hostPath(), m_root.path() / "Library/PreferenceBundles/Test.bundle");
    EXPECT_FALSE(NSBundle::bundleWithPath("Library/PreferenceBundles/Absent.bundle"));
    EXPECT_TRUE(NSBundle::bundleWithPath("/Library/PreferenceBundles/Test.bundle"));
    writeLayout("MainView_iphone", pageLayout());
    EXPECT_TRUE(m_bundle->pathForResource("MainView_iphone", "nib"));
    EXPECT_FALSE(m_bundle->pathForResource("MainView_ipad", "nib"));
}

}

namespace kit::test {

// The example of the format's description loads as it says.
TEST_F(LayoutTest, TheDocumentedExampleLoads)
{
    std::ifstream readme(KIT_LAYOUTS_README);
    std::string text((std::istreambuf_iterator<char>(readme)), std::istreambuf_iterator<char>());
    auto start = text.find("```xml\n");
    ASSERT_NE(start, std::string::npos);
    start += 7;
    writeLayout("Example", text.substr(start, text.find("```", start) - start));
    auto page = pageFrom("Example");
    ASSERT_TRUE(dynamic_cast<UIScrollView*>(page->view()));
    ASSERT_TRUE(page->advancedPhoto);
    EXPECT_TRUE(page->advancedPhoto->isOn());
    EXPECT_EQ(page->advancedPhoto->actionSelectorsForControlEvents(UIControlEventValueChanged).size(), 1u);
    EXPECT_TRUE(linesAbout("Example").empty());
}

}

namespace kit::test {

namespace {

class TablePage : public UITableViewController {
public:
    using UITableViewController::UITableViewController;
    int64_t numberOfRowsInSection(UITableView*, int64_t) override { return 3; }
};

std::string oneViewLayout(const std::string& viewClass)
{
    return "<plist version=\"1.0\"><dict><key>views</key><array><dict><key>class</key><string>" + viewClass
        + "</string><key>frame</key><string>{{0, 0}, {320, 504}}</string></dict></array></dict></plist>";
}

}

// The table of a layout is the controller's, which answers for it unless it
// already has a data source; a layout that holds no table gets one, and
// says so once.
TEST_F(LayoutTest, ATableViewControllerTakesTheTableOfItsLayoutOrMakesOne)
{
    writeLayout("Table", oneViewLayout("UITableView"));
    auto page = std::make_shared<TablePage>();
    page->initWithNibName("Table", m_bundle);
    ASSERT_TRUE(page->tableView());
    EXPECT_EQ(page->tableView()->frame(), CGRectMake(0, 0, 320, 504));
    EXPECT_EQ(page->tableView()->dataSource().get(), static_cast<UITableViewDataSource*>(page.get()));
    EXPECT_EQ(page->tableView()->delegate().get(), static_cast<UITableViewDelegate*>(page.get()));
    EXPECT_EQ(page->tableView()->numberOfRowsInSection(0), 3);

    writeLayout("Plain", oneViewLayout("UIView"));
    auto plain = std::make_shared<TablePage>(UITableViewStyleGrouped);
    plain->initWithNibName("Plain", m_bundle);
    ASSERT_TRUE(plain->tableView());
    EXPECT_EQ(plain->tableView()->style(), UITableViewStyleGrouped);
    EXPECT_EQ(plain->tableView()->numberOfRowsInSection(0), 3);
    int said = 0;
    for (auto& line : SystemLog::recentLines())
        said += line.find("the layout Plain gives no table") != std::string::npos;
    EXPECT_EQ(said, 1);
}

}
