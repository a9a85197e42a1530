#include "host/settings/SettingsApp.h"

#include "host/common/AppProcessStart.h"
#include "host/common/ScreenDescription.h"
#include "host/common/ScreenTouches.h"
#include "host/common/StatusBar.h"
#include "host/settings/PrefsListController.h"
#include "host/settings/TableScrolling.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/DeviceProfile.h"
#include "kit/runtime/Loader.h"
#include "kit/runtime/Selector.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIApplication.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UINavigationController.h"
#include "kit/ui/UINib.h"
#include "kit/ui/UIScreen.h"
#include "kit/ui/UITableViewCell.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>

namespace host {

namespace {

constexpr const char* settingsBundle = "com.apple.Preferences";
// A page slides in or out in 0.35 s; what follows waits for it.
constexpr double pageSlide = 0.4;

// Whether a touch at the view's centre would reach it (or a view inside it).
bool isTouchable(kit::UIView* view)
{
    auto* window = view->window();
    if (!window || !touches::isShown(view))
        return false;
    auto point = touches::screenPoint(view);
    auto* hit = window->hitTest(window->convertPointFromScreen(point), nullptr);
    return hit && (hit == view || hit->isDescendantOfView(view));
}

// Front-most first: the last subview is drawn last, so it is in front.
void collectControls(kit::UIView* view, kit::SEL action, std::vector<kit::UIView*>& found)
{
    if (view->isHidden() || view->alpha() < 0.01)
        return;
    const auto& children = view->subviews();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        collectControls(it->get(), action, found);
    if (auto* control = dynamic_cast<kit::UIControl*>(view)) {
        auto selectors = control->actionSelectorsForControlEvents(kit::UIControlEventAllEvents);
        if (std::find(selectors.begin(), selectors.end(), action) != selectors.end())
            found.push_back(view);
    }
}

}

std::variant<std::unique_ptr<SettingsApp>, std::string> SettingsApp::start(std::string model,
    std::filesystem::path deviceRoot)
{
    if (!kit::DeviceProfile::forModel(model))
        return "unknown device model \"" + model + "\"";
    if (deviceRoot.empty())
        return std::string("no device root given");
    std::unique_ptr<SettingsApp> app(new SettingsApp(std::move(model), std::move(deviceRoot)));
    app->powerOn();
    return app;
}

SettingsApp::SettingsApp(std::string model, std::filesystem::path deviceRoot)
    : m_model(std::move(model))
    , m_deviceRoot(std::move(deviceRoot))
{
}

SettingsApp::~SettingsApp()
{
    quit();
}

void SettingsApp::powerOn()
{
    // Who the process is and where its files live; the app's working folder
    // is the file-system root, which bundles are opened relative to.
    auto identity = kit::DeviceProfile::forModel(m_model)->processIdentity(settingsBundle);
    identity.workingDirectory = "/";
    startAppProcess(std::move(identity), m_deviceRoot);
    // The injection framework offers its libraries to every process; their
    // filters keep the camera's extension out of this one, and the log says so.
    kit::Loader::loadInto(m_deviceRoot, settingsBundle);
}

void SettingsApp::launch()
{
    if (m_running)
        return;
    m_inBackground = false;
    m_list = std::make_shared<PrefsListController>(PreferenceEntry::readAll(m_deviceRoot));
    m_navigation = kit::UINavigationController::withRootViewController(m_list);
    m_window = std::make_shared<kit::UIWindow>(kit::UIScreen::mainScreen()->bounds());
    m_window->setRootViewController(m_navigation);
    auto statusBar = std::make_shared<StatusBar>(m_window->bounds().size.width);
    m_window->addSubview(statusBar);
    statusBar->start();
    m_window->layoutIfNeeded();
    m_running = true;
    m_window->makeKeyAndVisible();
    settle();
}

void SettingsApp::background()
{
    if (!m_running || m_inBackground)
        return;
    m_inBackground = true;
    kit::UIApplication::sharedApplication()->enterBackground();
    settle();
}

void SettingsApp::foreground()
{
    if (!m_running || !m_inBackground)
        return;
    m_inBackground = false;
    kit::UIApplication::sharedApplication()->enterForeground();
    settle();
}

void SettingsApp::quit()
{
    if (!m_running)
        return;
    background();
    m_running = false;
    if (m_window)
        m_window->setHidden(true);
    m_window.reset();
    m_navigation.reset();
    m_list.reset();
    kit::RunLoop::main().runDue();
}

std::optional<std::string> SettingsApp::openEntry(const std::string& name)
{
    if (!m_running)
        return std::string("the Settings app is not running");
    const auto& entries = m_list->entries();
    auto it = std::find_if(entries.begin(), entries.end(),
        [&](const PreferenceEntry& e) { return name.empty() || e.label == name || e.bundleName == name; });
    if (it == entries.end())
        return "there is no entry " + name;
    m_navigation->popToRootViewControllerAnimated(false);
    auto problem = m_list->openEntry(size_t(it - entries.begin()), false);
    settle();
    return problem;
}

bool SettingsApp::back()
{
    if (!m_running || m_navigation->viewControllers().size() < 2)
        return false;
    for (auto& view : m_navigation->navigationBar()->subviews()) {
        auto* button = dynamic_cast<kit::UIButton*>(view.get());
        if (button && touches::isShown(button)) {
            tap(touches::screenPoint(button));
            advance(pageSlide);
            return true;
        }
    }
    return false;
}

std::vector<std::string> SettingsApp::pageTitles() const
{
    std::vector<std::string> titles;
    if (m_navigation)
        for (auto& controller : m_navigation->viewControllers())
            titles.push_back(controller->title());
    return titles;
}

void SettingsApp::touchDown(kit::CGPoint point)
{
    kit::UIApplication::sharedApplication()->touchDown(point);
}

void SettingsApp::touchMove(kit::CGPoint point)
{
    kit::UIApplication::sharedApplication()->touchMove(point);
}

void SettingsApp::touchUp(kit::CGPoint point)
{
    kit::UIApplication::sharedApplication()->touchUp(point);
    kit::RunLoop::main().runDue();
}

void SettingsApp::tap(kit::CGPoint point)
{
    touches::tap(point);
}

void SettingsApp::drag(kit::CGPoint from, kit::CGPoint to, double seconds)
{
    touches::drag(from, to, seconds);
}

std::optional<std::string> SettingsApp::tapView(const std::string& className, std::optional<int> tag)
{
    auto* view = touches::frontMostView(className, tag);
    if (!view)
        return "no visible " + className + (tag ? "#" + std::to_string(*tag) : std::string()) + " on screen";
    tap(touches::screenPoint(view));
    return std::nullopt;
}

std::optional<std::string> SettingsApp::tapControl(const std::string& selector)
{
    std::vector<kit::UIView*> controls;
    auto windows = kit::UIApplication::sharedApplication()->windows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        collectControls(*it, kit::sel_registerName(selector), controls);
    if (controls.empty())
        return "no visible control sends " + selector;
    for (auto* control : controls) {
        if (isTouchable(control)) {
            tap(touches::screenPoint(control));
            return std::nullopt;
        }
    }
    return "the control that sends " + selector + " is covered or scrolled out of sight";
}

std::optional<std::string> SettingsApp::tapOutlet(const std::string& field, double fx, double fy)
{
    auto* top = m_navigation ? m_navigation->topViewController() : nullptr;
    auto* page = top && top->isViewLoaded() ? top->view() : nullptr;
    if (!page)
        return std::string("no page is shown");
    for (auto& connected : kit::connectedOutletViews(field)) {
        auto* view = connected.view.get();
        if (view->isDescendantOfView(page) && touches::isShown(view)) {
            if (!isTouchable(view))
                return "the view of outlet " + field + " is covered or scrolled out of sight";
            tap(touches::screenPoint(view, fx, fy));
            return std::nullopt;
        }
    }
    return "the shown page has no outlet " + field;
}

std::optional<std::string> SettingsApp::tapCell(const std::string& text)
{
    auto* table = tables::frontTableView();
    if (!table)
        return std::string("no table is shown");
    auto* cell = tables::scrollToCell(*table, text);
    if (!cell)
        return "the table has no cell \"" + text + "\"";
    if (!isTouchable(cell))
        return "the cell \"" + text + "\" is covered";
    tap(touches::screenPoint(cell));
    return std::nullopt;
}

void SettingsApp::advance(double seconds)
{
    kit::RunLoop::main().advance(std::max(0.0, seconds));
}

double SettingsApp::now() const
{
    return kit::RunLoop::main().now();
}

void SettingsApp::settle()
{
    kit::RunLoop::main().runDue();
    kit::UIWindow::layoutAllWindows();
}

const kit::CGImage& SettingsApp::renderScreen()
{
    if (!m_renderer)
        m_renderer = std::make_unique<kit::Renderer>();
    m_renderer->render();
    return m_renderer->pixels();
}

bool SettingsApp::screenshot(const std::filesystem::path& png)
{
    renderScreen();
    return m_renderer->writePNG(png.string());
}

bool SettingsApp::describe(const std::filesystem::path& txt) const
{
    return describeScreen(txt);
}

}
