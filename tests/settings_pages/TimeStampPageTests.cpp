#include "SettingsBundleTest.h"

#include "settings/Bundle_Template_Controller.h"
#include "settings/Bundle_Template_ControllerDelegate.h"
#include "settings/Globals.h"
#include "settings/TimeStampViewController.h"

#include "kit/foundation/ColorArchive.h"
#include "kit/ui/CALayer.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UISwitch.h"

namespace {

using settingstest::SettingsBundleTest;
namespace prefs = vantor::prefs;

class TimeStampPageTest : public SettingsBundleTest {
protected:
    vantor::TimeStampViewController* openTimeStamp(const std::string& model = "iPhone6,1")
    {
        m_entry = openEntry(model);
        tap(control("ShowTimeStampSetup:"));
        auto* page = dynamic_cast<vantor::TimeStampViewController*>(frontPage());
        EXPECT_TRUE(page);
        return page;
    }

    // Stands for a picker the page opened.
    void pushPicker()
    {
        navigation()->pushViewController(std::make_shared<kit::UIViewController>(), false);
        kit::RunLoop::main().advance(1);
    }

    std::shared_ptr<vantor::Bundle_Template_Controller> m_entry;
};

// Records what a page stores, then stores it as the root controller does.
class RecordingDelegate : public vantor::Bundle_Template_ControllerDelegate {
public:
    RecordingDelegate(std::shared_ptr<vantor::Bundle_Template_Controller> root, const std::filesystem::path& file)
        : m_root(std::move(root))
        , m_file(file)
    {
    }
    void setObjectForKeyInPreferences(kit::PropertyList object, std::string_view key) override
    {
        m_root->setObjectForKeyInPreferences(std::move(object), key);
        stores.push_back({ std::string(key), std::filesystem::exists(m_file) });
    }
    std::vector<std::pair<std::string, bool>> stores; // key, file written by then

private:
    std::shared_ptr<vantor::Bundle_Template_Controller> m_root;
    std::filesystem::path m_file;
};

TEST_F(TimeStampPageTest, TheControlsShowTheStoredLook)
{
    auto red = kit::UIColor::colorWithRed(1, 0, 0, 1);
    writeSettings({ { "timeStampFontName", "Courier" }, { "timeStampFontColor", red->archivedData() },
        { "timestampIncludeTime", int64_t(1) } });
    auto before = std::filesystem::last_write_time(settingsFile());
    auto* page = openTimeStamp();
    EXPECT_EQ(page->timestampFontSelect->titleForState(kit::UIControlStateNormal), "Courier");
    EXPECT_EQ(page->timestampFontSelect->titleLabel()->font()->pointSize(), 22);
    EXPECT_EQ(page->timestampColorSelect->backgroundColor()->archivedColor(), red->archivedColor());
    EXPECT_EQ(page->timestampColorSelect->layer()->borderWidth(), 0.5);
    EXPECT_EQ(page->timestampColorSelect->layer()->borderColor()->archivedColor(),
        kit::UIColor::darkGrayColor()->archivedColor());
    EXPECT_TRUE(page->timestampIncludeTimeSwitch->isOn());
    // Loading the page wrote nothing.
    EXPECT_EQ(std::filesystem::last_write_time(settingsFile()), before);
}

TEST_F(TimeStampPageTest, TheIncludeTimeSwitchStoresAnInteger)
{
    auto* page = openTimeStamp();
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
    tap(page->timestampIncludeTimeSwitch.get());
    EXPECT_TRUE(prefs::timestampIncludeTime);
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)["timestampIncludeTime"].kind, "integer");
    EXPECT_EQ((*stored)["timestampIncludeTime"].integer, 1);
}

// The archive is written first, then the flag, each in a write of its own.
TEST_F(TimeStampPageTest, AChosenColourIsWrittenTwiceInOrderAndThePickerCloses)
{
    auto* page = openTimeStamp();
    auto recorder = std::make_shared<RecordingDelegate>(m_entry, settingsFile());
    page->setDelegate(recorder);
    pushPicker();
    auto blue = kit::UIColor::colorWithRed(0.1, 0.2, 0.9, 1);
    page->colorPickerViewController(nullptr, blue);
    kit::RunLoop::main().advance(1);

    ASSERT_EQ(recorder->stores.size(), 2u);
    EXPECT_EQ(recorder->stores[0].first, "timeStampFontColor");
    EXPECT_TRUE(recorder->stores[0].second);
    EXPECT_EQ(recorder->stores[1].first, "timeStampFontColorSet");
    auto stored = readSettings();
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)["timeStampFontColorSet"].integer, 1);
    auto archived = kit::unarchiveColor((*stored)["timeStampFontColor"].data);
    ASSERT_TRUE(archived);
    EXPECT_EQ(*archived, blue->archivedColor());
    EXPECT_EQ(page->timestampColorSelect->backgroundColor(), blue);
    EXPECT_EQ(frontPage(), page);
}

TEST_F(TimeStampPageTest, ACancelledColourStoresNothing)
{
    auto* page = openTimeStamp();
    auto before = page->timestampColorSelect->backgroundColor();
    pushPicker();
    page->colorPickerViewControllerDidCancel(nullptr);
    kit::RunLoop::main().advance(1);
    EXPECT_EQ(frontPage(), page);
    EXPECT_EQ(page->timestampColorSelect->backgroundColor(), before);
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
}

TEST_F(TimeStampPageTest, AChosenFontIsShownInItselfAndStored)
{
    auto* page = openTimeStamp();
    pushPicker();
    page->fontPickerViewController(nullptr, "Courier-Bold");
    kit::RunLoop::main().advance(1);
    EXPECT_EQ(frontPage(), page);
    EXPECT_EQ(prefs::timeStampFontName, "Courier-Bold");
    EXPECT_EQ(page->timestampFontSelect->titleForState(kit::UIControlStateNormal), "Courier-Bold");
    EXPECT_EQ(page->timestampFontSelect->titleLabel()->font()->pointSize(), 22);
    EXPECT_EQ((*readSettings())["timeStampFontName"].string, "Courier-Bold");
}

}
