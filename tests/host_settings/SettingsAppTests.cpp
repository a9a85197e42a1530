#include "SettingsTestRoot.h"

#include "host/settings/PrefsListController.h"
#include "host/settings/SettingsApp.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UITableView.h"
#include "kit/ui/UITableViewCell.h"
#include "kit/ui/UITableViewController.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Titles = std::vector<std::string>;

class SettingsAppTest : public ::testing::Test {
protected:
    void SetUp() override { kit::SystemLog::clearRecentLines(); }

    host::SettingsApp& launch(const std::string& model = "iPhone6,1")
    {
        auto started = host::SettingsApp::start(model, root.path());
        app = std::move(std::get<std::unique_ptr<host::SettingsApp>>(started));
        app->launch();
        return *app;
    }

    std::vector<std::string> rowLabels()
    {
        std::vector<std::string> labels;
        auto* table = app->rootList()->tableView();
        for (int64_t row = 0; row < table->numberOfRowsInSection(0); ++row)
            labels.push_back(table->cellForRowAtIndexPath({ 0, row })->textLabel()->text());
        return labels;
    }

    void tapRow(int64_t row)
    {
        auto* table = app->rootList()->tableView();
        auto rect = table->rectForRowAtIndexPath({ 0, row });
        app->tap(table->convertPointToScreen(kit::CGPointMake(kit::CGRectGetMidX(rect), kit::CGRectGetMidY(rect))));
        app->advance(0.5);
    }

    bool logged(const std::string& text)
    {
        for (auto& line : kit::SystemLog::recentLines())
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }

    SettingsTestRoot root;
    std::unique_ptr<host::SettingsApp> app;
};

}

TEST_F(SettingsAppTest, TheRootListShowsTheDeclaredEntriesInFileOrder)
{
    root.declareEntry("B", "Beta", "TestPrefs", "TestPrefsController");
    root.declareEntry("A", "Alpha", "TestPrefs", "TestPrefsController");
    root.writeEntryFile("C", "<dict><key>entry</key><dict><key>bundle</key><string>TestPrefs</string></dict></dict>");
    root.writeEntryFile("D", "<array/>");
    launch();
    EXPECT_EQ(kit::ProcessIdentity::current().bundleIdentifier, "com.apple.Preferences");
    EXPECT_EQ(app->pageTitles(), Titles { "Settings" });
    EXPECT_EQ(app->rootList()->tableView()->style(), kit::UITableViewStyleGrouped);
    EXPECT_EQ(rowLabels(), (Titles { "Alpha", "Beta" }));
    EXPECT_TRUE(logged("the entry of C.plist has no label"));
    EXPECT_TRUE(logged("D.plist declares no entry"));
}

TEST_F(SettingsAppTest, TappingAnEntryLoadsItsBundleAndShowsItsPageOnce)
{
    root.declareEntry("TestPrefs", "Test", "TestPrefs", "TestPrefsController");
    launch();
    tapRow(0);
    // The page the entry pushed while it was being created is not stacked
    // over it: the entry shows the page's view under its navigation title.
    EXPECT_EQ(app->pageTitles(), (Titles { "Settings", "Test Entry" }));
    auto* shown = app->navigationController()->topViewController()->view();
    ASSERT_TRUE(shown);
    EXPECT_STREQ(shown->className(), "UIScrollView");

    EXPECT_EQ(app->tapOutlet("featureSwitch"), std::nullopt);
    EXPECT_TRUE(logged("TestPrefs: feature off"));
    EXPECT_EQ(app->tapControl("featureSwitched:"), std::nullopt);
    EXPECT_TRUE(logged("TestPrefs: feature on"));
    EXPECT_NE(app->tapOutlet("noSuchField"), std::nullopt);
}

TEST_F(SettingsAppTest, PagesArePushedAndTheBackButtonReturns)
{
    root.declareEntry("TestPrefs", "Test", "TestPrefs", "TestPrefsController");
    launch();
    EXPECT_FALSE(app->back());
    ASSERT_EQ(app->openEntry("Test"), std::nullopt);
    // The button lies below the fold until the page is scrolled.
    auto problem = app->tapControl("showMore:");
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("out of sight"), std::string::npos);
    app->drag({ 160, 500 }, { 160, 150 }, 0.4);
    app->advance(0.5);
    EXPECT_EQ(app->tapControl("showMore:"), std::nullopt);
    app->advance(0.5);
    EXPECT_EQ(app->pageTitles(), (Titles { "Settings", "Test Entry", "More" }));
    EXPECT_TRUE(app->back());
    EXPECT_EQ(app->pageTitles(), (Titles { "Settings", "Test Entry" }));
    EXPECT_TRUE(app->back());
    EXPECT_EQ(app->pageTitles(), Titles { "Settings" });
    EXPECT_FALSE(app->back());
}

TEST_F(SettingsAppTest, AnEntryThatCannotBeOpenedShowsAndTappingItLogsWhyAndStaysOnTheList)
{
    std::filesystem::create_directories(root.path() / "Library/PreferenceBundles/Broken.bundle");
    std::ofstream(root.path() / "Library/PreferenceBundles/Broken.bundle/Broken.so") << "not a library";
    root.declareEntry("1", "Absent", "Absent", "TestPrefsController");
    root.declareEntry("2", "Broken", "Broken", "BrokenController");
    root.declareEntry("3", "Unknown", "TestPrefs", "NoSuchController");
    root.declareEntry("4", "Plain", "TestPrefs", "NotAController");
    root.declareEntry("5", "Escape", "../TestPrefs.bundle/..", "TestPrefsController");
    launch();
    EXPECT_EQ(rowLabels(), (Titles { "Absent", "Broken", "Unknown", "Plain", "Escape" }));
    const char* reasons[] = { "there is no bundle Library/PreferenceBundles/Absent.bundle", "its library cannot be loaded",
        "the bundle defines no class NoSuchController", "NotAController is not a page controller",
        "the entry names no bundle" };
    for (int64_t row = 0; row < 5; ++row) {
        SCOPED_TRACE(rowLabels()[size_t(row)]);
        kit::SystemLog::clearRecentLines();
        tapRow(row);
        EXPECT_EQ(app->pageTitles(), Titles { "Settings" });
        EXPECT_TRUE(logged("Settings: cannot open " + rowLabels()[size_t(row)] + ": " + reasons[row]));
    }
}

TEST_F(SettingsAppTest, TheRootListIsDrawnInTheGroupedLook)
{
    root.declareEntry("TestPrefs", "Test", "TestPrefs", "TestPrefsController");
    launch();
    const auto& screen = app->renderScreen();
    ASSERT_EQ(screen.width(), 640);
    auto pixel = [&](int x, int y) {
        uint32_t value;
        std::memcpy(&value, screen.data() + size_t(y) * screen.bytesPerRow() + size_t(x) * 4, 4);
        return value & 0xffffff;
    };
    auto* table = app->rootList()->tableView();
    auto row = table->convertRectToView(table->rectForRowAtIndexPath({ 0, 0 }), nullptr);
    // The row is white on the grey of a grouped table; the bar is light.
    EXPECT_EQ(pixel(620, int(kit::CGRectGetMidY(row) * 2)), 0xffffffu);
    EXPECT_NE(pixel(620, int((row.origin.y - 10) * 2)), 0xffffffu);
    EXPECT_GT(pixel(600, 60) & 0xff, 0xe0u);
}

TEST_F(SettingsAppTest, TheExtensionsEntryNamesItsBundleAndEntryClass)
{
    std::filesystem::copy_file(VANTOR_PREFERENCE_ENTRY, root.path() / "Library/PreferenceLoader/Preferences/Vantor2_Prefs.plist");
    auto entries = host::PreferenceEntry::readAll(root.path());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].label, "Vantor2");
    EXPECT_EQ(entries[0].bundleName, "Vantor2_Prefs");
    EXPECT_EQ(entries[0].bundlePath(), "Library/PreferenceBundles/Vantor2_Prefs.bundle");
    EXPECT_EQ(entries[0].entryClass, "Bundle_Template_Controller");
    EXPECT_EQ(entries[0].iconName, "icon.png");
}

namespace {

// A page of a hundred rows, "Row 0" to "Row 99", that notes the rows tapped.
class HundredRows : public kit::UITableViewController {
public:
    std::vector<int64_t> tapped;
    int64_t numberOfRowsInSection(kit::UITableView*, int64_t) override { return 100; }
    std::shared_ptr<kit::UITableViewCell> cellForRowAtIndexPath(kit::UITableView* table, const kit::NSIndexPath& at) override
    {
        auto cell = table->dequeueReusableCellWithIdentifier("row");
        if (!cell)
            cell = std::make_shared<kit::UITableViewCell>(kit::UITableViewCellStyleDefault, "row");
        cell->textLabel()->setText("Row " + std::to_string(at.row));
        return cell;
    }
    void didSelectRowAtIndexPath(kit::UITableView*, const kit::NSIndexPath& at) override { tapped.push_back(at.row); }
};

}

TEST_F(SettingsAppTest, TapCellScrollsTheFrontTableToTheCellAndTapsIt)
{
    launch();
    auto page = std::make_shared<HundredRows>();
    app->navigationController()->pushViewController(page, false);
    app->advance(0.5);
    auto& table = *page->tableView();
    ASSERT_FALSE(table.cellForRowAtIndexPath({ 0, 80 })) << "below the fold";

    EXPECT_EQ(app->tapCell("Row 80"), std::nullopt);
    EXPECT_EQ(page->tapped, std::vector<int64_t> { 80 });
    auto row = table.rectForRowAtIndexPath({ 0, 80 });
    EXPECT_TRUE(kit::CGRectContainsRect(table.bounds(), row)) << "wholly shown";

    // A cell that shows is tapped where it is.
    auto offset = table.contentOffset();
    EXPECT_EQ(app->tapCell("Row 81"), std::nullopt);
    EXPECT_EQ(table.contentOffset(), offset);
    // Above the fold again, and the last row.
    EXPECT_EQ(app->tapCell("Row 2"), std::nullopt);
    EXPECT_EQ(app->tapCell("Row 99"), std::nullopt);
    EXPECT_EQ(page->tapped, (std::vector<int64_t> { 80, 81, 2, 99 }));

    // A text no row has: the table is left where it was.
    offset = table.contentOffset();
    EXPECT_EQ(app->tapCell("Row 100"), "the table has no cell \"Row 100\"");
    EXPECT_EQ(table.contentOffset(), offset);
    EXPECT_EQ(page->tapped.size(), 4u);
}
