#pragma once

#include "kit/ui/Geometry.h"
#include "kit/ui/NSIndexPath.h"

#include <memory>
#include <optional>
#include <string>

namespace kit {

class UITableView;
class UITableViewCell;

// What a table asks of its data source (UITableViewDataSource). Each
// selector is named by what it answers: tableView:numberOfRowsInSection:
// is numberOfRowsInSection(tableView, section).
class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;

    virtual int64_t numberOfSectionsInTableView(UITableView*) { return 1; }
    virtual int64_t numberOfRowsInSection(UITableView*, int64_t section) = 0;
    // The cell for the row, typically from dequeueReusableCellWithIdentifier;
    // a row without a cell is left empty.
    virtual std::shared_ptr<UITableViewCell> cellForRowAtIndexPath(UITableView*, const NSIndexPath&) = 0;
    virtual std::optional<std::string> titleForHeaderInSection(UITableView*, int64_t) { return std::nullopt; }
    virtual std::optional<std::string> titleForFooterInSection(UITableView*, int64_t) { return std::nullopt; }
};

// What a table tells and asks its delegate (UITableViewDelegate); nothing
// from an answer means the table's own default.
class UITableViewDelegate {
public:
    virtual ~UITableViewDelegate() = default;

    virtual std::optional<CGFloat> heightForRowAtIndexPath(UITableView*, const NSIndexPath&) { return std::nullopt; }
    virtual std::optional<CGFloat> heightForHeaderInSection(UITableView*, int64_t) { return std::nullopt; }
    virtual void willDisplayCell(UITableView*, UITableViewCell*, const NSIndexPath&) { }
    // May reload or release the table.
    virtual void didSelectRowAtIndexPath(UITableView*, const NSIndexPath&) { }
    virtual void didDeselectRowAtIndexPath(UITableView*, const NSIndexPath&) { }
};

}
