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
// inside it and answers that cell. A cell already showing is kept where it
// is when it is whole; otherwise the table is read from its top, a screenful
// at a time. When no row has the text the table goes back to where it was
// and the answer is nothing.
kit::UITableViewCell* scrollToCell(kit::UITableView&, const std::string& text);

}
