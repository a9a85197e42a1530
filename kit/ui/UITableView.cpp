#include "kit/ui/UITableView.h"

#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITableViewCell.h"

#include <algorithm>
#include <utility>

namespace kit {

KIT_REGISTER_CLASS(UITableView);

namespace {

constexpr CGFloat plainHeaderHeight = 22;
constexpr CGFloat groupedHeaderHeight = 38;
constexpr CGFloat groupedSectionGap = 35;

}

UITableView::UITableView(CGRect frame, UITableViewStyle style)
    : UIScrollView(frame)
    , m_style(style)
{
    setAlwaysBounceVertical(true);
    setBackgroundColor(style == UITableViewStyleGrouped ? UIColor::colorWithWhite(0.94, 1) : UIColor::whiteColor());
}

void UITableView::setRowHeight(CGFloat height)
{
    height = std::max<CGFloat>(0, height);
    if (height == m_rowHeight)
        return;
    m_rowHeight = height;
    m_needsReload = true;
    setNeedsLayout();
}

void UITableView::reloadData()
{
    m_needsReload = true;
    loadIfNeeded();
    setNeedsLayout();
}

void UITableView::loadIfNeeded()
{
    if (!m_needsReload)
        return;
    m_needsReload = false;
    auto keep = strongRef<UITableView>();
    for (auto& [path, cell] : std::map(m_visible)) {
        (void)cell;
        recycle(path);
    }
    for (auto& [section, header] : m_headers)
        header->removeFromSuperview();
    m_headers.clear();
    m_sections.clear();

    auto source = m_dataSource.lock();
    auto delegate = m_delegate.lock();
    CGFloat y = 0;
    int64_t sections = source ? std::max<int64_t>(0, source->numberOfSectionsInTableView(this)) : 0;
    for (int64_t s = 0; s < sections; ++s) {
        Section section;
        section.title = source->titleForHeaderInSection(this, s);
        CGFloat standard = section.title ? (m_style == UITableViewStyleGrouped ? groupedHeaderHeight : plainHeaderHeight)
                                         : (m_style == UITableViewStyleGrouped ? groupedSectionGap : 0);
        section.headerHeight = std::max<CGFloat>(0, (delegate ? delegate->heightForHeaderInSection(this, s) : std::nullopt).value_or(standard));
        section.top = y;
        y += section.headerHeight;
        int64_t rows = std::max<int64_t>(0, source->numberOfRowsInSection(this, s));
        for (int64_t r = 0; r < rows; ++r) {
            auto height = delegate ? delegate->heightForRowAtIndexPath(this, { s, r }) : std::nullopt;
            section.rowTops.push_back(y);
            section.rowHeights.push_back(std::max<CGFloat>(0, height.value_or(m_rowHeight)));
            y += section.rowHeights.back();
        }
        m_sections.push_back(std::move(section));
    }
    setContentSize(CGSizeMake(bounds().size.width, y));
    if (m_selected && (m_selected->section >= int64_t(m_sections.size())
                          || m_selected->row >= int64_t(m_sections[size_t(m_selected->section)].rowTops.size())))
        m_selected.reset();
}

void UITableView::recycle(const NSIndexPath& path)
{
    auto it = m_visible.find(path);
    if (it == m_visible.end())
        return;
    auto cell = it->second;
    m_visible.erase(it);
    cell->removeFromSuperview();
    if (!cell->reuseIdentifier().empty())
        m_reusable[cell->reuseIdentifier()].push_back(cell);
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(const std::string& identifier)
{
    auto it = m_reusable.find(identifier);
    if (it == m_reusable.end() || it->second.empty())
        return nullptr;
    auto cell = it->second.back();
    it->second.pop_back();
    cell->prepareForReuse();
    return cell;
}

int64_t UITableView::numberOfSections()
{
    loadIfNeeded();
    return int64_t(m_sections.size());
}

int64_t UITableView::numberOfRowsInSection(int64_t section)
{
    loadIfNeeded();
    return section >= 0 && section < int64_t(m_sections.size()) ? int64_t(m_sections[size_t(section)].rowTops.size()) : 0;
}

CGRect UITableView::rectForRowAtIndexPath(const NSIndexPath& path)
{
    if (path.row >= numberOfRowsInSection(path.section) || path.row < 0)
        return CGRectZero;
    auto& section = m_sections[size_t(path.section)];
    return CGRectMake(0, section.rowTops[size_t(path.row)], bounds().size.width, section.rowHeights[size_t(path.row)]);
}

std::optional<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point)
{
    loadIfNeeded();
    if (point.x < 0 || point.x >= bounds().size.width)
        return std::nullopt;
    for (size_t s = 0; s < m_sections.size(); ++s) {
        auto& section = m_sections[s];
        for (size_t r = 0; r < section.rowTops.size(); ++r)
            if (point.y >= section.rowTops[r] && point.y < section.rowTops[r] + section.rowHeights[r])
                return NSIndexPath { int64_t(s), int64_t(r) };
    }
    return std::nullopt;
}

UITableViewCell* UITableView::cellForRowAtIndexPath(const NSIndexPath& path) const
{
    auto it = m_visible.find(path);
    return it == m_visible.end() ? nullptr : it->second.get();
}

std::vector<UITableViewCell*> UITableView::visibleCells() const
{
    std::vector<UITableViewCell*> cells;
    for (auto& [path, cell] : m_visible)
        cells.push_back(cell.get());
    return cells;
}

std::optional<NSIndexPath> UITableView::indexPathForCell(const UITableViewCell* cell) const
{
    for (auto& [path, visible] : m_visible)
        if (visible.get() == cell)
            return path;
    return std::nullopt;
}

void UITableView::layoutSubviews()
{
    UIScrollView::layoutSubviews();
    loadIfNeeded();
    showVisibleRows();
}

void UITableView::showVisibleRows()
{
    auto keep = strongRef<UITableView>();
    CGRect visible = bounds();
    CGFloat width = visible.size.width;
    // Rows that left the screen go back to the pool first, so that the rows
    // coming in can reuse their cells.
    for (auto& [path, cell] : std::map(m_visible))
        if (!CGRectIntersectsRect(rectForRowAtIndexPath(path), visible))
            recycle(path);

    auto source = m_dataSource.lock();
    auto delegate = m_delegate.lock();
    for (size_t s = 0; s < m_sections.size(); ++s) {
        auto& section = m_sections[s];
        showHeader(s, visible);
        for (size_t r = 0; r < section.rowTops.size(); ++r) {
            NSIndexPath path { int64_t(s), int64_t(r) };
            CGRect rowRect = CGRectMake(0, section.rowTops[r], width, section.rowHeights[r]);
            if (!CGRectIntersectsRect(rowRect, visible) || m_visible.count(path) || !source)
                continue;
            auto cell = source->cellForRowAtIndexPath(this, path);
            if (!cell) {
                logf("UITableView: the data source gave no cell for row %lld of section %lld", (long long)r, (long long)s);
                continue;
            }
            cell->setFrame(rowRect);
            cell->setSelected(m_selected == path);
            m_visible[path] = cell;
            insertSubview(cell, 0);
            if (delegate)
                delegate->willDisplayCell(this, cell.get(), path);
        }
    }
}

void UITableView::showHeader(size_t s, CGRect visible)
{
    auto& section = m_sections[s];
    CGFloat width = visible.size.width;
    CGFloat top = section.top;
    if (m_style == UITableViewStylePlain) {
        // Floats at the top of what shows, but not past its section's end.
        CGFloat end = section.rowTops.empty() ? section.top + section.headerHeight
                                              : section.rowTops.back() + section.rowHeights.back();
        top = std::max(top, std::min(visible.origin.y, end - section.headerHeight));
    }
    CGRect frame = CGRectMake(0, top, width, section.headerHeight);
    // Headers that scrolled away are let go, so a long list keeps only the
    // few it shows.
    if (!section.title || !CGRectIntersectsRect(frame, visible)) {
        if (auto gone = m_headers.extract(int64_t(s)))
            gone.mapped()->removeFromSuperview();
        return;
    }
    auto& header = m_headers[int64_t(s)];
    if (!header) {
        header = std::make_shared<UIView>();
        if (m_style == UITableViewStylePlain)
            header->setBackgroundColor(UIColor::colorWithWhite(0.97, 1));
        auto label = std::make_shared<UILabel>();
        label->setText(*section.title);
        label->setFont(UIFont::systemFontOfSize(m_style == UITableViewStyleGrouped ? 14 : 17));
        label->setTextColor(UIColor::colorWithWhite(0.43, 1));
        label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        header->addSubview(label);
        // In front of the rows (cells go in at the back), which pass under
        // a floating header.
        addSubview(header);
    }
    header->setFrame(frame);
    header->subviews().front()->setFrame(CGRectMake(15, 0, std::max<CGFloat>(0, width - 30), section.headerHeight));
}

UIView* UITableView::headerViewForSection(int64_t section) const
{
    auto it = m_headers.find(section);
    return it == m_headers.end() ? nullptr : it->second.get();
}

bool UITableView::isOnHeader(CGPoint point) const
{
    for (auto& [section, header] : m_headers)
        if (CGRectContainsPoint(header->frame(), point))
            return true;
    return false;
}

void UITableView::selectRowAtIndexPath(const NSIndexPath& path, bool, UITableViewScrollPosition position)
{
    if (path.row < 0 || path.row >= numberOfRowsInSection(path.section))
        return;
    if (m_selected)
        if (auto* previous = cellForRowAtIndexPath(*m_selected))
            previous->setSelected(false);
    m_selected = path;
    if (auto* cell = cellForRowAtIndexPath(path))
        cell->setSelected(true);
    if (position != UITableViewScrollPositionNone)
        scrollToRowAtIndexPath(path, position, false);
}

void UITableView::deselectRowAtIndexPath(const NSIndexPath& path, bool)
{
    if (m_selected != path)
        return;
    m_selected.reset();
    if (auto* cell = cellForRowAtIndexPath(path))
        cell->setSelected(false);
}

void UITableView::scrollToRowAtIndexPath(const NSIndexPath& path, UITableViewScrollPosition position, bool animated)
{
    CGRect row = rectForRowAtIndexPath(path);
    CGFloat height = bounds().size.height;
    CGFloat y = position == UITableViewScrollPositionBottom ? CGRectGetMaxY(row) - height
        : position == UITableViewScrollPositionMiddle      ? CGRectGetMidY(row) - height / 2
                                                           : row.origin.y;
    y = std::clamp<CGFloat>(y, 0, maximumContentOffset().y);
    setContentOffset(CGPointMake(contentOffset().x, y), animated);
    setNeedsLayout();
}

void UITableView::touchesBegan(const UITouchSet& touches, UIEvent*)
{
    auto point = touches.anyObject()->locationInView(this);
    m_pressed = isOnHeader(point) ? std::nullopt : indexPathForRowAtPoint(point);
    if (m_pressed)
        if (auto* cell = cellForRowAtIndexPath(*m_pressed))
            cell->setHighlighted(true);
}

void UITableView::touchesEnded(const UITouchSet& touches, UIEvent*)
{
    auto keep = strongRef<UITableView>();
    auto pressed = std::exchange(m_pressed, std::nullopt);
    if (!pressed)
        return;
    if (auto* cell = cellForRowAtIndexPath(*pressed))
        cell->setHighlighted(false);
    if (indexPathForRowAtPoint(touches.anyObject()->locationInView(this)) != pressed)
        return;
    auto delegate = m_delegate.lock();
    if (m_selected && *m_selected != *pressed) {
        auto previous = *m_selected;
        deselectRowAtIndexPath(previous, false);
        if (delegate)
            delegate->didDeselectRowAtIndexPath(this, previous);
    }
    selectRowAtIndexPath(*pressed, false, UITableViewScrollPositionNone);
    if (delegate)
        delegate->didSelectRowAtIndexPath(this, *pressed);
}

void UITableView::touchesCancelled(const UITouchSet&, UIEvent*)
{
    if (auto pressed = std::exchange(m_pressed, std::nullopt))
        if (auto* cell = cellForRowAtIndexPath(*pressed))
            cell->setHighlighted(false);
}

}
