#include "ViewTestSupport.h"

#include "kit/ui/PSViewController.h"
#include "kit/ui/UINavigationController.h"

namespace kit::test {

TEST_F(ViewsTest, PushControllerShowsThePageOnTheStackOfThePageOrOfItsParent)
{
    auto list = std::make_shared<PSViewController>();
    auto navigation = UINavigationController::withRootViewController(list);
    auto window = makeWindow();
    window->setRootViewController(navigation);

    // A controller still being created has no stack and no parent: nothing shows.
    auto entry = std::make_shared<PSViewController>();
    auto early = std::make_shared<PSViewController>();
    entry->pushController(early);
    EXPECT_EQ(navigation->viewControllers().size(), 1u);

    // Placed under the list (not on the stack), it pushes through the list.
    entry->setParentController(list);
    auto page = std::make_shared<PSViewController>();
    entry->pushController(page);
    ASSERT_EQ(navigation->viewControllers().size(), 2u);
    EXPECT_EQ(navigation->topViewController(), page.get());

    // On the stack, it pushes onto its own navigation controller, once.
    auto next = std::make_shared<PSViewController>();
    page->pushController(next);
    page->pushController(next);
    EXPECT_EQ(navigation->viewControllers().size(), 3u);
    EXPECT_EQ(next->navigationController(), navigation.get());
    EXPECT_EQ(next->navigationTitle(), "");
    next->setTitle("Timestamp");
    EXPECT_EQ(next->navigationTitle(), "Timestamp");
}

}
