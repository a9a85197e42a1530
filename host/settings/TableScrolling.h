#pragma once

#include <string>

namespace kit {
class UITableView;
class UITableViewCell;
}

namespace host::tables {

// The front-most shown table of the shown windows; nothing when there is none.
kit::UITableView* frontTableView();

// Scrolls the table until the first cell whose text is `text` lies wholly
// inside it, clear of a floating header, and answers that cell. A cell that
// shows so is kept where it is; one that shows in part is brought to the
// middle; otherwise the table is read from its top, a screenful at a time.
// When no row has the text the table goes back to where it was and the
// answer is nothing.
kit::UITableViewCell* scrollToCell(kit::UITableView&, const std::string& text);

}
