#include "host/settings/PrefsListController.h"

#include "host/settings/PreferenceBundleLoader.h"

#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/SystemLog.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UITableView.h"
#include "kit/ui/UITableViewCell.h"

#include <fstream>
#include <iterator>

namespace host {

KIT_REGISTER_CLASS(PrefsListController);

namespace {

// The row's icon: the image file the entry names in its bundle folder.
std::shared_ptr<kit::UIImage> iconOf(const PreferenceEntry& entry)
{
    if (entry.iconName.empty() || entry.iconName.find('/') != std::string::npos)
        return nullptr;
    auto bundle = kit::NSBundle::bundleWithPath(entry.bundlePath());
    auto path = bundle ? bundle->pathForResource(entry.iconName, "") : std::nullopt;
    if (!path)
        return nullptr;
    std::ifstream file(*path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return kit::UIImage::imageWithData(bytes, 2);
}

}

PrefsListController::PrefsListController(std::vector<PreferenceEntry> entries)
    : m_entries(std::move(entries))
{
    setTitle("Settings");
}

void PrefsListController::loadView()
{
    m_table = std::make_shared<kit::UITableView>(kit::UIScreen::mainScreen()->bounds(), kit::UITableViewStyleGrouped);
    m_table->setAlwaysBounceVertical(true);
    setView(m_table);
}

void PrefsListController::viewDidLoad()
{
    auto self = std::dynamic_pointer_cast<PrefsListController>(strongRef<kit::UIViewController>());
    m_table->setDataSource(self);
    m_table->setDelegate(self);
}

std::shared_ptr<kit::UITableViewCell> PrefsListController::cellForRowAtIndexPath(kit::UITableView* table,
    const kit::NSIndexPath& path)
{
    auto cell = table->dequeueReusableCellWithIdentifier("entry");
    if (!cell)
        cell = std::make_shared<kit::UITableViewCell>(kit::UITableViewCellStyleDefault, "entry");
    const auto& entry = m_entries[size_t(path.row)];
    cell->textLabel()->setText(entry.label);
    cell->imageView()->setImage(iconOf(entry));
    cell->setAccessoryType(kit::UITableViewCellAccessoryDisclosureIndicator);
    return cell;
}

void PrefsListController::didSelectRowAtIndexPath(kit::UITableView* table, const kit::NSIndexPath& path)
{
    table->deselectRowAtIndexPath(path, true);
    openEntry(size_t(path.row));
}

std::optional<std::string> PrefsListController::openEntry(size_t index, bool animated)
{
    if (index >= m_entries.size())
        return std::string("there is no such entry");
    const auto& entry = m_entries[index];
    auto* navigation = navigationController();
    if (!navigation)
        return std::string("the list is not shown");
    auto bounds = kit::UIScreen::mainScreen()->bounds();
    kit::CGSize contentSize { bounds.size.width,
        bounds.size.height - kit::UINavigationController::statusBarHeight - kit::UINavigationController::navigationBarHeight };
    auto opened = openPreferenceEntry(entry, contentSize);
    if (auto* problem = std::get_if<std::string>(&opened)) {
        kit::logf("Settings: cannot open %s: %s", entry.label.c_str(), problem->c_str());
        return *problem;
    }
    auto controller = std::get<std::shared_ptr<kit::PSViewController>>(opened);
    // Placed only now: what the entry pushes while it is being created is not shown.
    controller->setParentController(std::dynamic_pointer_cast<kit::PSViewController>(strongRef<kit::UIViewController>()));
    std::string title = controller->navigationTitle();
    controller->setTitle(title.empty() ? entry.label : title);
    navigation->pushViewController(controller, animated);
    return std::nullopt;
}

}
