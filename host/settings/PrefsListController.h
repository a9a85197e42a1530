#pragma once

#include "host/settings/PreferenceEntry.h"

#include "kit/ui/PSViewController.h"
#include "kit/ui/UITableViewDataSource.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kit {
class UITableView;
}

namespace host {

// The Settings app's root list, in the era's look: grouped rows under the
// title "Settings", one per declared entry, each with its icon, its label and
// a disclosure mark. Tapping a row opens the entry (PreferenceBundleLoader)
// and pushes its controller under its navigation title; an entry that
// cannot be opened stays a row, the list stays, and one log line says why.
class PrefsListController : public kit::PSViewController,
                            public kit::UITableViewDataSource,
                            public kit::UITableViewDelegate {
    KIT_OBJECT(PrefsListController, kit::PSViewController)

public:
    explicit PrefsListController(std::vector<PreferenceEntry>);

    const std::vector<PreferenceEntry>& entries() const { return m_entries; }
    kit::UITableView* tableView() const { return m_table.get(); }

    // Opens the entry at the index as a tap on its row does; the reason when
    // it cannot be opened (also logged), nothing when it was pushed.
    std::optional<std::string> openEntry(size_t index, bool animated = true);

    void loadView() override;
    void viewDidLoad() override;

    int64_t numberOfRowsInSection(kit::UITableView*, int64_t) override { return int64_t(m_entries.size()); }
    std::shared_ptr<kit::UITableViewCell> cellForRowAtIndexPath(kit::UITableView*, const kit::NSIndexPath&) override;
    void didSelectRowAtIndexPath(kit::UITableView*, const kit::NSIndexPath&) override;

private:
    std::vector<PreferenceEntry> m_entries;
    std::shared_ptr<kit::UITableView> m_table;
};

}
