#pragma once

#include "kit/ui/NSIndexPath.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UITableViewDataSource.h"

#include <map>
#include <string>
#include <vector>

namespace kit {

class UILabel;
class UITableViewCell;

enum UITableViewStyle {
    UITableViewStylePlain = 0,
    UITableViewStyleGrouped = 1,
};

enum UITableViewScrollPosition {
    UITableViewScrollPositionNone = 0,
    UITableViewScrollPositionTop = 1,
    UITableViewScrollPositionMiddle = 2,
    UITableViewScrollPositionBottom = 3,
};

// A vertical list of rows in sections, filled by a data source. The table
// asks for the cells of the rows it shows when it lays out, and keeps the
// cells that scroll away for dequeueReusableCellWithIdentifier. A tap on a
// row selects it (the previous row is deselected) and tells the delegate; a
// drag scrolls instead. Sections have a header when the data source gives a
// title, made when it shows and let go when it scrolls away. In a plain
// table the headers float: the header of the section at the top stays at the
// top, over the rows, until the next header pushes it up; a tap on a header
// selects nothing. Grouped tables leave a gap before each section, their
// headers scroll with the rows, and they have a grey background. The data
// source and delegate are held weakly.
class UITableView : public UIScrollView {
    KIT_OBJECT(UITableView, UIScrollView)

public:
    explicit UITableView(CGRect frame = CGRectZero, UITableViewStyle = UITableViewStylePlain);

    UITableViewStyle style() const { return m_style; }
    // Nothing when none was set or it is gone.
    std::shared_ptr<UITableViewDataSource> dataSource() const { return m_dataSource.lock(); }
    void setDataSource(std::weak_ptr<UITableViewDataSource> source) { m_dataSource = std::move(source); }
    std::shared_ptr<UITableViewDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(std::weak_ptr<UITableViewDelegate> delegate) { m_delegate = std::move(delegate); }

    // Points; default 44.
    CGFloat rowHeight() const { return m_rowHeight; }
    void setRowHeight(CGFloat);

    // Asks the data source again; the cells shown go back to the reuse pool.
    void reloadData();
    // A cell waiting for reuse with the identifier, prepared for reuse; nothing
    // when none waits.
    std::shared_ptr<UITableViewCell> dequeueReusableCellWithIdentifier(const std::string&);

    int64_t numberOfSections();
    int64_t numberOfRowsInSection(int64_t section);
    // The cell showing the row; nothing when the row is not on screen.
    UITableViewCell* cellForRowAtIndexPath(const NSIndexPath&) const;
    // In row order.
    std::vector<UITableViewCell*> visibleCells() const;
    // In content coordinates.
    CGRect rectForRowAtIndexPath(const NSIndexPath&);
    // The section's header where it shows now (a plain table's floats), in
    // content coordinates; nothing when the section has no title or its
    // header does not show.
    UIView* headerViewForSection(int64_t section) const;
    std::optional<NSIndexPath> indexPathForRowAtPoint(CGPoint);
    std::optional<NSIndexPath> indexPathForCell(const UITableViewCell*) const;

    std::optional<NSIndexPath> indexPathForSelectedRow() const { return m_selected; }
    // Selecting in code does not tell the delegate, as on the platform.
    void selectRowAtIndexPath(const NSIndexPath&, bool animated, UITableViewScrollPosition);
    void deselectRowAtIndexPath(const NSIndexPath&, bool animated);
    void scrollToRowAtIndexPath(const NSIndexPath&, UITableViewScrollPosition, bool animated);

    void layoutSubviews() override;
    void touchesBegan(const UITouchSet&, UIEvent*) override;
    void touchesMoved(const UITouchSet&, UIEvent*) override { }
    void touchesEnded(const UITouchSet&, UIEvent*) override;
    void touchesCancelled(const UITouchSet&, UIEvent*) override;

private:
    struct Section {
        CGFloat top { 0 };
        CGFloat headerHeight { 0 };
        std::optional<std::string> title;
        std::vector<CGFloat> rowTops;
        std::vector<CGFloat> rowHeights;
    };

    void loadIfNeeded();
    void recycle(const NSIndexPath&);
    void showVisibleRows();

    UITableViewStyle m_style;
    std::weak_ptr<UITableViewDataSource> m_dataSource;
    std::weak_ptr<UITableViewDelegate> m_delegate;
    CGFloat m_rowHeight { 44 };
    bool m_needsReload { true };
    std::vector<Section> m_sections;
    std::map<NSIndexPath, std::shared_ptr<UITableViewCell>> m_visible;
    std::map<std::string, std::vector<std::shared_ptr<UITableViewCell>>> m_reusable;
    void showHeader(size_t section, CGRect visible);
    bool isOnHeader(CGPoint) const;

    std::map<int64_t, std::shared_ptr<UIView>> m_headers;
    std::optional<NSIndexPath> m_selected;
    std::optional<NSIndexPath> m_pressed;
};

}
