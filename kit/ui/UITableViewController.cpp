#include "kit/ui/UITableViewController.h"

#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIScreen.h"

namespace kit {

KIT_REGISTER_CLASS(UITableViewController);

UITableView* UITableViewController::tableView()
{
    return dynamic_cast<UITableView*>(view());
}

void UITableViewController::loadView()
{
    if (!nibName().empty())
        UIViewController::loadView();
    auto table = std::dynamic_pointer_cast<UITableView>(isViewLoaded() ? viewShared() : nullptr);
    if (!table) {
        if (isViewLoaded())
            logf("UITableViewController: the layout %s gives no table; an empty one stands in", nibName().c_str());
        table = std::make_shared<UITableView>(UIScreen::mainScreen()->bounds(), m_style);
        table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        setView(table);
    }
    auto self = strongRef<UITableViewController>();
    if (!self) {
        logf("UITableViewController: %s is not owned by a shared pointer; its table has no data source", className());
        return;
    }
    if (!table->dataSource())
        table->setDataSource(self);
    if (!table->delegate())
        table->setDelegate(self);
}

}
