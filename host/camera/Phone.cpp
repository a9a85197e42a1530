#include "host/camera/Phone.h"

#include "host/camera/CameraApp.h"
#include "host/camera/DeviceOrientation.h"
#include "host/camera/PLCameraController.h"
#include "host/common/ScreenDescription.h"
#include "host/common/ScreenTouches.h"

#include "hardware/camera/CameraHardware.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/DeviceProfile.h"
#include "kit/ui/UIApplication.h"

#include <algorithm>

namespace host {

std::variant<std::unique_ptr<Phone>, std::string> Phone::start(PhoneOptions options)
{
    auto prepared = CameraScreen::prepareStart(options.model, options.deviceRoot, options.scene);
    if (auto* problem = std::get_if<std::string>(&prepared))
        return *problem;
    auto& start = std::get<CameraScreen::ProcessStart>(prepared);
    std::unique_ptr<Phone> phone(new Phone(std::move(options)));
    phone->m_hardware = std::move(start.hardware);
    phone->m_app = std::make_unique<CameraApp>(*start.profile, phone->m_hardware, phone->m_options);
    return phone;
}

Phone::Phone(PhoneOptions options)
    : m_options(std::move(options))
{
}

Phone::~Phone() = default;

void Phone::launch()
{
    m_app->launch();
}

void Phone::background()
{
    m_app->background();
}

void Phone::foreground()
{
    m_app->foreground();
}

void Phone::memoryWarning()
{
    m_app->memoryWarning();
}

void Phone::quit()
{
    m_app->quit();
}

bool Phone::isRunning() const
{
    return m_app->isRunning();
}

void Phone::touchDown(kit::CGPoint point)
{
    kit::UIApplication::sharedApplication()->touchDown(point);
}

void Phone::touchMove(kit::CGPoint point)
{
    kit::UIApplication::sharedApplication()->touchMove(point);
}

void Phone::touchUp(kit::CGPoint point)
{
    kit::UIApplication::sharedApplication()->touchUp(point);
}

void Phone::tap(kit::CGPoint point)
{
    touches::tap(point);
}

void Phone::longPress(kit::CGPoint point, double seconds)
{
    touches::press(point, seconds);
}

void Phone::drag(kit::CGPoint from, kit::CGPoint to, double seconds)
{
    touches::drag(from, to, seconds);
}

void Phone::swipe(SwipeDirection direction)
{
    if (auto* screen = m_app->screen())
        screen->swipe(direction);
}

void Phone::pinch(double scale)
{
    if (auto* screen = m_app->screen())
        screen->pinch(scale);
}

bool Phone::tapView(const std::string& className, std::optional<int> tag)
{
    auto* view = touches::frontMostView(className, tag);
    if (view)
        tap(touches::screenPoint(view));
    return view;
}

void Phone::pressShutter()
{
    if (auto* screen = m_app->screen())
        screen->pressShutter();
}

void Phone::pressVolume(bool up)
{
    if (auto* screen = m_app->screen())
        screen->pressVolume(up);
}

bool Phone::setCameraMode(int mode)
{
    auto* screen = m_app->screen();
    return screen && screen->setCameraMode(mode);
}

bool Phone::setCameraDevice(int device)
{
    auto* screen = m_app->screen();
    return screen && screen->setCameraDevice(device);
}

void Phone::setOrientation(int deviceOrientation)
{
    if (auto gravity = DeviceOrientation::gravityFor(deviceOrientation))
        setGravity(gravity->x, gravity->y, gravity->z);
}

void Phone::setGravity(double x, double y, double z)
{
    m_app->reportGravity(x, y, z);
}

void Phone::setFiltersShowing(bool showing)
{
    if (auto* screen = m_app->screen())
        screen->setFiltersShowing(showing);
}

void Phone::setLight(std::optional<hardware::LightSetting> light)
{
    m_hardware->setLight(light);
    kit::RunLoop::main().runDue();
}

const hardware::CameraModule* Phone::camera() const
{
    auto* controller = m_app->controller();
    auto device = controller ? controller->captureDevice() : nullptr;
    return device ? m_hardware->cameraFor(device) : nullptr;
}

void Phone::advance(double seconds)
{
    kit::RunLoop::main().advance(std::max(0.0, seconds));
}

double Phone::now() const
{
    return kit::RunLoop::main().now();
}

int Phone::cameraMode() const
{
    auto* controller = m_app->controller();
    return controller ? controller->cameraMode() : 0;
}

int Phone::cameraDevice() const
{
    auto* controller = m_app->controller();
    return controller ? controller->cameraDevice() : 0;
}

bool Phone::isRecording() const
{
    auto* controller = m_app->controller();
    return controller && controller->isRecording();
}

int Phone::deviceOrientation() const
{
    auto* controller = m_app->controller();
    return controller ? controller->deviceOrientation() : 1;
}

const kit::CGImage& Phone::renderScreen()
{
    return m_app->renderScreen();
}

bool Phone::screenshot(const std::filesystem::path& png)
{
    return m_app->screenshot(png);
}

bool Phone::describe(const std::filesystem::path& txt) const
{
    return describeScreen(txt);
}

std::vector<std::filesystem::path> Phone::cameraRoll() const
{
    return cameraRollIn(m_options.deviceRoot);
}

std::vector<std::filesystem::path> Phone::cameraRollIn(const std::filesystem::path& deviceRoot)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    auto dcim = deviceRoot / "var/mobile/Media/DCIM";
    for (auto it = std::filesystem::recursive_directory_iterator(dcim, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        auto name = it->path().filename().string();
        if (!it->is_regular_file() || name.empty() || name[0] == '.')
            continue;
        auto extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::toupper);
        if (extension == ".JPG" || extension == ".MOV")
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}
