#pragma once

#include "kit/ui/UITableView.h"
#include "kit/ui/UITableViewDataSource.h"
#include "kit/ui/UIViewController.h"

namespace kit {

// A controller whose view is a table, and which is that table's data source
// and delegate. The table comes from the layout given at creation (its view,
// when that is a UITableView), or is made in the controller's style the size
// of the screen; a layout whose view is not a table is replaced by one, with
// a log line. A table that already has a data source or delegate keeps it.
// The table holds both weakly: the controller must be held by a
// std::shared_ptr when its view loads.
class UITableViewController : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
    KIT_OBJECT(UITableViewController, UIViewController)

public:
    // initWithStyle:; the style is used only when no layout gives the table.
    explicit UITableViewController(UITableViewStyle style = UITableViewStylePlain) : m_style(style) { }

    // Loads the view when it is not loaded yet.
    UITableView* tableView();

    void loadView() override;

    // An empty table until a subclass answers.
    int64_t numberOfRowsInSection(UITableView*, int64_t) override { return 0; }
    std::shared_ptr<UITableViewCell> cellForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return nullptr; }

private:
    UITableViewStyle m_style;
};

}
