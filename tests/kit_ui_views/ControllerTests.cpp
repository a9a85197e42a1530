#include "ViewTestSupport.h"

#include "kit/ui/UIButton.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UITableView.h"
#include "kit/ui/UITableViewCell.h"

namespace kit::test {

namespace {

// A settings-style page: a table that is its own data source and delegate.
class Page : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    std::vector<std::vector<std::string>> rows { { "Timer", "Lapse" }, { "Font", "Colour", "Date", "Time" } };
    int cellsMade { 0 };
    std::vector<NSIndexPath> selected;
    std::shared_ptr<UITableView> table;

    void loadView() override
    {
        table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 200), UITableViewStyleGrouped);
        setView(table);
    }
    void viewDidLoad() override
    {
        table->setDataSource(std::dynamic_pointer_cast<Page>(strongRef<UIViewController>()));
        table->setDelegate(std::dynamic_pointer_cast<Page>(strongRef<UIViewController>()));
    }

    int64_t numberOfSectionsInTableView(UITableView*) override { return int64_t(rows.size()); }
    int64_t numberOfRowsInSection(UITableView*, int64_t section) override { return int64_t(rows[size_t(section)].size()); }
    std::optional<std::string> titleForHeaderInSection(UITableView*, int64_t section) override
    {
        return section == 0 ? std::optional<std::string>("Modes") : std::nullopt;
    }
    std::shared_ptr<UITableViewCell> cellForRowAtIndexPath(UITableView* tableView, const NSIndexPath& path) override
    {
        auto cell = tableView->dequeueReusableCellWithIdentifier("cell");
        if (!cell) {
            cell = std::make_shared<UITableViewCell>(UITableViewCellStyleValue1, "cell");
            ++cellsMade;
        }
        cell->textLabel()->setText(rows[size_t(path.section)][size_t(path.row)]);
        cell->setAccessoryType(path.section == 1 ? UITableViewCellAccessoryDisclosureIndicator : UITableViewCellAccessoryNone);
        return cell;
    }
    std::optional<CGFloat> heightForRowAtIndexPath(UITableView*, const NSIndexPath& path) override
    {
        return path.section == 1 ? std::optional<CGFloat>(60) : std::nullopt;
    }
    void didSelectRowAtIndexPath(UITableView*, const NSIndexPath& path) override { selected.push_back(path); }
};

class Tracked : public UIViewController {
public:
    explicit Tracked(std::string name, std::vector<std::string>* log) : m_name(std::move(name)), m_log(log) { setTitle(m_name); }
    void viewDidLoad() override { m_log->push_back(m_name + " load"); }
    void viewWillAppear(bool) override { m_log->push_back(m_name + " will appear"); }
    void viewDidAppear(bool) override { m_log->push_back(m_name + " did appear"); }
    void viewWillDisappear(bool) override { m_log->push_back(m_name + " will disappear"); }
    void viewDidDisappear(bool) override { m_log->push_back(m_name + " did disappear"); }
    void viewWillLayoutSubviews() override { m_log->push_back(m_name + " will lay out"); }

private:
    std::string m_name;
    std::vector<std::string>* m_log;
};

}

using Controllers = ViewsTest;

TEST_F(Controllers, ATableAsksItsDataSourceAndReusesCells)
{
    auto window = makeWindow();
    auto page = std::make_shared<Page>();
    window->addSubview(page->viewShared());
    auto& table = *page->table;
    table.layoutIfNeeded();

    EXPECT_EQ(table.numberOfSections(), 2);
    EXPECT_EQ(table.numberOfRowsInSection(1), 4);
    // Grouped: header 38 + 2 × 44, then a 35 gap and 4 × 60.
    EXPECT_EQ(table.contentSize().height, 38 + 88 + 35 + 240);
    EXPECT_EQ(table.rectForRowAtIndexPath({ 1, 0 }), CGRectMake(0, 161, 320, 60));
    ASSERT_TRUE(table.cellForRowAtIndexPath({ 0, 1 }));
    EXPECT_EQ(table.cellForRowAtIndexPath({ 0, 1 })->textLabel()->text(), "Lapse");
    EXPECT_FALSE(table.cellForRowAtIndexPath({ 1, 3 })) << "off screen";
    int before = page->cellsMade;

    table.setContentOffset(CGPointMake(0, 200));
    table.layoutIfNeeded();
    ASSERT_TRUE(table.cellForRowAtIndexPath({ 1, 3 }));
    EXPECT_EQ(table.cellForRowAtIndexPath({ 1, 3 })->textLabel()->text(), "Time");
    // Three rows came in; two took the cells of the rows that went out.
    EXPECT_EQ(page->cellsMade, before + 1);
    EXPECT_EQ(table.visibleCells().size(), 4u);

    page->rows[1].push_back("Manual");
    table.reloadData();
    EXPECT_EQ(table.numberOfRowsInSection(1), 5);
}

TEST_F(Controllers, TappingARowSelectsItAndTellsTheDelegate)
{
    auto window = makeWindow();
    auto page = std::make_shared<Page>();
    window->addSubview(page->viewShared());
    page->table->layoutIfNeeded();

    app().tap(CGPointMake(100, 60));
    ASSERT_EQ(page->selected.size(), 1u);
    EXPECT_EQ(page->selected[0], (NSIndexPath { 0, 0 }));
    EXPECT_TRUE(page->table->cellForRowAtIndexPath({ 0, 0 })->isSelected());
    app().tap(CGPointMake(100, 190));
    EXPECT_EQ(page->table->indexPathForSelectedRow(), (NSIndexPath { 1, 0 }));
    EXPECT_FALSE(page->table->cellForRowAtIndexPath({ 0, 0 })->isSelected());

    // A drag scrolls and selects nothing.
    app().touchDown(CGPointMake(100, 150));
    app().touchMove(CGPointMake(100, 120));
    app().touchMove(CGPointMake(100, 100));
    app().touchUp(CGPointMake(100, 100));
    EXPECT_EQ(page->selected.size(), 2u);
}

TEST_F(Controllers, ViewsLoadLazilyOnce)
{
    std::vector<std::string> log;
    auto controller = std::make_shared<Tracked>("a", &log);
    EXPECT_FALSE(controller->isViewLoaded());
    UIView* view = controller->view();
    EXPECT_EQ(controller->view(), view);
    EXPECT_EQ(log, (std::vector<std::string> { "a load" }));
    EXPECT_EQ(view->nextResponder(), controller.get());
    view->layoutIfNeeded();
    EXPECT_EQ(log.back(), "a will lay out");
}

TEST_F(Controllers, NavigationPushesAndPopsWithAppearanceCalls)
{
    std::vector<std::string> log;
    auto root = std::make_shared<Tracked>("root", &log);
    auto navigation = UINavigationController::withRootViewController(root);
    auto window = makeWindow();
    window->setRootViewController(navigation);
    EXPECT_EQ(root->navigationController(), navigation.get());
    log.clear();

    auto detail = std::make_shared<Tracked>("detail", &log);
    navigation->pushViewController(detail, true);
    EXPECT_EQ(navigation->topViewController(), detail.get());
    EXPECT_EQ(detail->navigationController(), navigation.get());
    EXPECT_EQ(log, (std::vector<std::string> { "root will disappear", "detail load", "detail will appear" }));
    std::erase(log, "root will lay out");
    std::erase(log, "detail will lay out");
    RunLoop::main().advance(0.4);
    std::erase(log, "detail will lay out");
    EXPECT_EQ(log.back(), "detail did appear");
    EXPECT_FALSE(root->view()->superview()) << "the covered page leaves the screen";
    EXPECT_EQ(detail->view()->frame(), CGRectMake(0, 64, 320, 504));

    // The back button carries the previous title and pops.
    auto* bar = navigation->navigationBar();
    UIButton* back = nullptr;
    for (auto& subview : bar->subviews())
        if (auto* button = cast<UIButton>(subview.get()))
            back = button;
    ASSERT_TRUE(back);
    EXPECT_EQ(back->currentTitle(), "\u2039 root");
    app().tap(CGPointMake(30, 40));
    EXPECT_EQ(navigation->topViewController(), root.get());
    EXPECT_EQ(detail->navigationController(), nullptr);
    RunLoop::main().advance(0.4);
    std::erase(log, "root will lay out");
    EXPECT_EQ(log.back(), "root did appear");
    EXPECT_EQ(navigation->popViewControllerAnimated(true), nullptr) << "the root stays";
}

}
