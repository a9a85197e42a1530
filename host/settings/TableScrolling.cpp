#include "host/settings/TableScrolling.h"

#include "kit/ui/UIApplication.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITableView.h"
#include "kit/ui/UITableViewCell.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>

namespace host::tables {

namespace {

// Front-most first: the last subview is drawn last, so it is in front.
kit::UITableView* frontMostTable(kit::UIView* view)
{
    if (view->isHidden() || view->alpha() < 0.01)
        return nullptr;
    const auto& children = view->subviews();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (auto* found = frontMostTable(it->get()))
            return found;
    return dynamic_cast<kit::UITableView*>(view);
}

// The showing cell with the text, first in row order (the table lists its
// visible cells so).
kit::UITableViewCell* showingCell(const kit::UITableView& table, const std::string& text)
{
    for (auto* cell : table.visibleCells())
        if (cell->textLabel() && cell->textLabel()->text() == text)
            return cell;
    return nullptr;
}

void scrollTo(kit::UITableView& table, kit::CGFloat y)
{
    y = std::clamp<kit::CGFloat>(y, 0, table.maximumContentOffset().y);
    table.setContentOffset(kit::CGPointMake(table.contentOffset().x, y));
    table.layoutIfNeeded();
}

// Whether the whole cell shows and a finger at its centre would reach it
// (a floating header may cover a row at the top).
bool isWhollyShown(kit::UITableView& table, kit::UITableViewCell* cell)
{
    auto frame = cell->frame();
    if (!kit::CGRectContainsRect(table.bounds(), frame))
        return false;
    auto* hit = table.hitTest(kit::CGPointMake(kit::CGRectGetMidX(frame), kit::CGRectGetMidY(frame)), nullptr);
    return hit && (hit == cell || hit->isDescendantOfView(cell));
}

// A cell that does not show whole is brought to the middle, as far as the
// table goes.
kit::UITableViewCell* wholly(kit::UITableView& table, kit::UITableViewCell* cell)
{
    if (isWhollyShown(table, cell))
        return cell;
    auto at = table.indexPathForCell(cell);
    if (!at)
        return cell;
    auto row = table.rectForRowAtIndexPath(*at);
    scrollTo(table, kit::CGRectGetMidY(row) - table.bounds().size.height / 2);
    return table.cellForRowAtIndexPath(*at);
}

}

kit::UITableView* frontTableView()
{
    auto windows = kit::UIApplication::sharedApplication()->windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (auto* table = frontMostTable(*it))
            return table;
    return nullptr;
}

kit::UITableViewCell* scrollToCell(kit::UITableView& table, const std::string& text)
{
    auto keep = table.strongRef<kit::UITableView>();
    table.layoutIfNeeded();
    if (auto* cell = showingCell(table, text))
        return wholly(table, cell);
    auto start = table.contentOffset();
    // A screenful less one row, so a row cut at the bottom edge shows whole
    // on the next step.
    kit::CGFloat step = std::max<kit::CGFloat>(1, table.bounds().size.height - table.rowHeight());
    for (kit::CGFloat y = 0;; y += step) {
        scrollTo(table, y);
        if (auto* cell = showingCell(table, text))
            return wholly(table, cell);
        if (table.contentOffset().y >= table.maximumContentOffset().y)
            break;
    }
    table.setContentOffset(start);
    table.layoutIfNeeded();
    return nullptr;
}

}
