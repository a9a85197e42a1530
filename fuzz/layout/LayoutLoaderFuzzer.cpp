// Feeds arbitrary bytes to the layout loader as a page's "NAME.nib" in a
// bundle, with an owner that declares a switch, a button and a scroll view
// and two actions, as the settings pages do. A layout is taken whole or not
// at all: whatever it connects must be part of the views it built.

#include "kit/foundation/DeviceRoot.h"
#include "kit/foundation/ProcessIdentity.h"
#include "kit/foundation/RunLoop.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UIScrollView.h"
#include "kit/ui/UISwitch.h"
#include "kit/ui/UIViewController.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FuzzPage : public kit::UIViewController {
    KIT_OBJECT(FuzzPage, kit::UIViewController)
public:
    std::shared_ptr<kit::UISwitch> advancedPhoto;
    std::shared_ptr<kit::UIButton> fontButton;
    std::weak_ptr<kit::UIScrollView> scrollView;
    void advPhotoSwitched(kit::id) { }
    void fontTapped(kit::id) { }
};

}

KIT_REGISTER_CLASS(FuzzPage);

namespace {

fs::path deviceRoot;
fs::path layoutFile;
std::shared_ptr<kit::NSBundle> bundle;

bool inTree(const kit::UIView* view, const std::vector<std::shared_ptr<kit::UIView>>& topLevel)
{
    for (auto& top : topLevel) {
        if (view == top.get() || (view && view->isDescendantOfView(top.get())))
            return true;
    }
    return false;
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kit::registerOutlet("advancedPhoto", &FuzzPage::advancedPhoto);
    kit::registerOutlet("fontButton", &FuzzPage::fontButton);
    kit::registerOutlet("scrollView", &FuzzPage::scrollView);
    kit::registerAction<&FuzzPage::advPhotoSwitched>("advPhotoSwitched:");
    kit::registerAction<&FuzzPage::fontTapped>("fontTapped:");

    // In memory where there is such a folder: the layout is written at every run.
    fs::path memory = "/dev/shm";
    auto folder = fs::is_directory(memory) ? memory : fs::temp_directory_path();
    deviceRoot = folder / ("vantor-layout-fuzz-" + std::to_string(getpid()));
    kit::DeviceRoot::prepare(deviceRoot);
    kit::DeviceRoot::set(deviceRoot);
    std::atexit([] {
        std::error_code error;
        fs::remove_all(deviceRoot, error);
    });
    auto identity = kit::ProcessIdentity::current();
    identity.workingDirectory = "/";
    kit::ProcessIdentity::set(identity);
    auto bundleFolder = deviceRoot / "Library/PreferenceBundles/Fuzz.bundle";
    fs::create_directories(bundleFolder);
    layoutFile = bundleFolder / "Page.nib";
    bundle = kit::NSBundle::bundleWithPath("Library/PreferenceBundles/Fuzz.bundle");
    if (!bundle)
        std::abort();
    kit::RunLoop::main().resetWithVirtualClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::ofstream out(layoutFile, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    auto owner = std::make_shared<FuzzPage>();
    auto loaded = kit::UINib::nibWithNibName("Page", bundle)->instantiate(owner.get());
    auto* contents = std::get_if<kit::NibContents>(&loaded);
    if (!contents) {
        if (owner->advancedPhoto || owner->fontButton || !owner->scrollView.expired())
            std::abort(); // a refused layout connects nothing
        return 0;
    }
    for (auto& outlet : contents->outlets) {
        if (outlet.view && !inTree(outlet.view.get(), contents->topLevelViews))
            std::abort();
    }
    for (auto& action : contents->actions) {
        if (!inTree(action.control.get(), contents->topLevelViews))
            std::abort();
    }
    return 0;
}
