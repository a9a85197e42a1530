#include "hardware/camera/CameraModule.h"

#include "hardware/camera/CameraHardware.h"
#include "hardware/camera/ColourTemperature.h"
#include "hardware/camera/Development.h"
#include "hardware/camera/Scene.h"

#include "kit/foundation/RunLoop.h"
#include "kit/media/AVCaptureDevice.h"
#include "kit/media/MotionSimulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hardware {

namespace {

// How long exposure and white balance take to settle, in seconds.
constexpr double exposureSettling = 0.3;
constexpr double whiteBalanceSettling = 0.5;
// Changes smaller than these are not worth a move: a sixth of a stop, five
// mireds, a pixel of blur.
constexpr double exposureTolerance = 1.0 / 6;
constexpr double whiteBalanceTolerance = 5;
constexpr double focusTolerancePixels = 1;
// The metered and focused square: a tenth of the picture wide.
constexpr double regionSize = 0.1;
// The frame metering reads when no viewfinder frame is at hand.
constexpr int probeWidth = 96;
// The camera's own lights, both LEDs that shine through the whole exposure:
// the torch's illuminance at 1 m at full level and the flash's (lux).
constexpr float torchAtOneMetre = 60;
constexpr float flashAtOneMetre = 400;
constexpr float lightKelvin = 5500;

// The picture's point as a frame's pixel.
void regionAround(const SceneFrame& frame, kit::CGPoint point, int& x0, int& y0, int& x1, int& y1)
{
    int width = frame.width(), height = frame.height();
    double half = std::max(0.5, regionSize * width / 2);
    double cx = std::clamp(point.x, 0.0, 1.0) * width, cy = std::clamp(point.y, 0.0, 1.0) * height;
    x0 = std::clamp(int(std::floor(cx - half)), 0, width - 1);
    x1 = std::clamp(int(std::ceil(cx + half)), x0 + 1, width);
    y0 = std::clamp(int(std::floor(cy - half)), 0, height - 1);
    y1 = std::clamp(int(std::ceil(cy + half)), y0 + 1, height);
}

const float* linearTable()
{
    static const auto table = [] {
        std::array<float, 256> values {};
        for (size_t i = 0; i < values.size(); ++i)
            values[i] = linearFromSRGB(float(i) / 255);
        return values;
    }();
    return table.data();
}

// The mean luminance over the square around a point: the scene's light
// (when asked) and a light at the camera, given per dioptre squared.
double meanLuminance(const SceneFrame& frame, kit::CGPoint point, bool scene, LinearRGB cameraLight)
{
    if (frame.width() <= 0 || frame.height() <= 0)
        return 0;
    int x0, y0, x1, y1;
    regionAround(frame, point, x0, y0, x1, y1);
    const float* toLinear = linearTable();
    double sum = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            uint32_t word = frame.colour->pixel(x, y);
            size_t lightingIndex = frame.lightingAt(x, y);
            const Lighting& lighting
                = lightingIndex < frame.lighting.size() ? frame.lighting[lightingIndex] : frame.lighting.front();
            float n = frame.nearness[size_t(y) * size_t(frame.width()) + size_t(x)] * kDioptresPerNearnessLevel;
            LinearRGB light = scene ? lighting.light : LinearRGB {};
            if (lighting.reachedByCameraLight)
                light = light + cameraLight * (n * n);
            LinearRGB colour { toLinear[word >> 16 & 0xff], toLinear[word >> 8 & 0xff], toLinear[word & 0xff] };
            sum += (colour * light).luminance();
        }
    }
    return sum / double((x1 - x0) * (y1 - y0));
}

std::string describePoint(kit::CGPoint point)
{
    char text[40];
    std::snprintf(text, sizeof text, "(%.2f, %.2f)", point.x, point.y);
    return text;
}

std::string describeDistance(double nearness)
{
    if (nearness < 0.01)
        return "infinity";
    char text[32];
    double metres = 1 / nearness;
    std::snprintf(text, sizeof text, metres < 10 ? "%.2f m" : "%.0f m", metres);
    return text;
}

double now()
{
    return kit::RunLoop::main().now();
}

double wallTime()
{
    return kit::RunLoop::main().wallTime();
}

}

CameraModule::CameraModule(CameraHardware& hardware, const std::shared_ptr<kit::AVCaptureDevice>& device,
    const kit::CameraSpec& cameraSpec, std::shared_ptr<Scene> scene)
    : m_hardware(hardware)
    , m_device(device)
    , m_deviceAddress(device.get())
    , m_scene(std::move(scene))
    , m_name(device && device->position() == kit::AVCaptureDevicePositionFront ? "front camera" : "back camera")
    , m_front(device && device->position() == kit::AVCaptureDevicePositionFront)
    , m_hasFlash(cameraSpec.hasTorch)
    , m_lens(cameraSpec.optics, cameraSpec.formats.empty() ? 640 : cameraSpec.formats.back().width,
          cameraSpec.formats.empty() ? 480 : cameraSpec.formats.back().height, cameraSpec.hasAutofocus)
{
    m_stillAspect = m_lens.sensorWidth() / m_lens.sensorHeight();
    m_viewfinderAspect = m_stillAspect;
    m_focus.hold(m_lens.hasAutofocus() ? 0.5 : m_lens.fixedFocus());
    std::weak_ptr<bool> alive = m_alive;
    if (device) {
        device->setConfigurationObserver([this, alive] {
            if (auto living = alive.lock(); living && *living) {
                m_lastPreview = {};
                scheduleUpdate();
            }
        });
    }
}

CameraModule::~CameraModule()
{
    *m_alive = false;
    if (m_pendingUpdate)
        m_pendingUpdate->cancel();
    if (auto device = m_device.lock())
        device->setConfigurationObserver(nullptr);
}

bool CameraModule::serves(const kit::AVCaptureDevice& device) const
{
    return &device == m_deviceAddress && !m_device.expired();
}

CameraModule::Settings CameraModule::read(const kit::AVCaptureDevice& device) const
{
    Settings s;
    s.exposureMode = device.exposureMode();
    s.exposurePoint = device.exposurePointOfInterest();
    s.focusMode = device.focusMode();
    s.focusPoint = device.focusPointOfInterest();
    s.whiteBalanceMode = device.whiteBalanceMode();
    s.torchLevel = device.torchMode() == kit::AVCaptureTorchModeOn ? device.torchLevel() : 0;
    s.flashMode = device.flashMode();
    double frame = kit::CMTimeGetSeconds(device.activeVideoMinFrameDuration());
    s.limits.longest = frame > 0 && std::isfinite(frame) ? frame : 1.0 / 30;
    const auto* profile = kit::DeviceProfile::current();
    const auto& camera = profile ? (m_front ? profile->frontCamera : profile->backCamera) : std::nullopt;
    kit::CameraOptics optics = camera ? camera->optics : kit::CameraOptics {};
    s.limits.shortest = optics.shortestExposure;
    s.limits.minISO = optics.minISO;
    s.limits.maxISO = optics.maxISO;
    return s;
}

double CameraModule::screenRoll(double time) const
{
    // The world stays level while the phone turns: it appears turned the
    // other way on the screen, by gravity's direction in the screen's plane.
    auto gravity = kit::MotionSimulator::gravityAt(time);
    if (std::hypot(gravity.x, gravity.y) > 0.3)
        m_lastScreenRoll = std::atan2(-gravity.x, -gravity.y);
    return m_lastScreenRoll;
}

SceneView CameraModule::viewFor(int width, int height, double fieldAspect, double zoom, double time) const
{
    SceneView view;
    view.width = width;
    view.height = height;
    fieldAspect = std::isfinite(fieldAspect) && fieldAspect > 0 ? fieldAspect : m_stillAspect;
    if (fieldAspect >= m_stillAspect) {
        view.halfWidth = m_lens.halfFieldWidth();
        view.halfHeight = view.halfWidth / fieldAspect;
    } else {
        view.halfHeight = m_lens.halfFieldHeight();
        view.halfWidth = view.halfHeight * fieldAspect;
    }
    double aspect = double(std::max(1, width)) / std::max(1, height);
    double across = aspect >= fieldAspect ? 1 : aspect / fieldAspect;
    double down = aspect >= fieldAspect ? fieldAspect / aspect : 1;
    zoom = std::isfinite(zoom) ? std::max(1.0, zoom) : 1;
    view.left = 0.5 - across / zoom / 2;
    view.right = 0.5 + across / zoom / 2;
    view.top = 0.5 - down / zoom / 2;
    view.bottom = 0.5 + down / zoom / 2;
    // The back sensor holds the world a quarter turn from the portrait
    // screen; the front one faces the other way, so it turns the other way.
    double roll = screenRoll(time);
    view.roll = m_front ? -roll - M_PI / 2 : roll - M_PI / 2;
    view.time = wallTime() - (now() - time);
    view.light = m_hardware.light();
    return view;
}

Exposure CameraModule::exposure() const
{
    return exposureAt(now());
}

Exposure CameraModule::exposureAt(double time) const
{
    return { std::exp2(m_logDuration.at(time)), std::exp2(m_logISO.at(time)) };
}

double CameraModule::focusNearness() const
{
    return m_focus.at(now());
}

double CameraModule::whiteBalanceKelvin() const
{
    return whiteBalanceKelvinAt(now());
}

double CameraModule::whiteBalanceKelvinAt(double time) const
{
    return 1e6 / m_mired.at(time);
}

bool CameraModule::isWhiteBalanceLocked() const
{
    auto device = m_device.lock();
    return device && device->whiteBalanceMode() == kit::AVCaptureWhiteBalanceModeLocked;
}

void CameraModule::scheduleUpdate()
{
    if (m_pendingUpdate && !m_pendingUpdate->isCancelled() && m_pendingUpdate->fireTime() >= now())
        return;
    std::weak_ptr<bool> alive = m_alive;
    m_pendingUpdate = kit::RunLoop::main().schedule(0, [this, alive] {
        if (auto living = alive.lock(); living && *living) {
            m_pendingUpdate.reset();
            update();
        }
    });
}

void CameraModule::lightChanged()
{
    m_lastPreview = {};
    update();
}

void CameraModule::update()
{
    auto device = m_device.lock();
    if (!device)
        return;
    double t = now();
    Settings s = read(*device);
    bool first = !m_started;
    // What follows continuously has followed since the last look.
    double since = first ? t : std::min(t, m_lastLook);
    m_lastLook = t;
    bool exposureMoved = !first && (s.exposureMode != m_seen.exposureMode || s.exposurePoint != m_seen.exposurePoint);
    bool focusMoved = !first && (s.focusMode != m_seen.focusMode || s.focusPoint != m_seen.focusPoint);
    bool whiteBalanceMoved = !first && s.whiteBalanceMode != m_seen.whiteBalanceMode;
    bool rateChanged = !first && s.limits.longest != m_seen.limits.longest;

    if (s.exposureMode == kit::AVCaptureExposureModeLocked && exposureMoved) {
        m_logDuration.stopAt(t);
        m_logISO.stopAt(t);
        ++m_exposureMove;
    }
    if (s.focusMode == kit::AVCaptureFocusModeLocked && focusMoved) {
        m_focus.stopAt(t);
        ++m_focusMove;
    }
    if (s.whiteBalanceMode == kit::AVCaptureWhiteBalanceModeLocked && whiteBalanceMoved)
        lockWhiteBalance();

    bool wantsExposure = first || s.exposureMode == kit::AVCaptureExposureModeContinuousAutoExposure
        || (s.exposureMode == kit::AVCaptureExposureModeAutoExpose && (exposureMoved || rateChanged));
    bool wantsFocus = m_lens.hasAutofocus()
        && (first || s.focusMode == kit::AVCaptureFocusModeContinuousAutoFocus
            || (s.focusMode == kit::AVCaptureFocusModeAutoFocus && focusMoved));
    bool wantsWhiteBalance = first || s.whiteBalanceMode == kit::AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance
        || (s.whiteBalanceMode == kit::AVCaptureWhiteBalanceModeAutoWhiteBalance && whiteBalanceMoved);
    if (wantsExposure || wantsFocus || wantsWhiteBalance) {
        // The camera meters a small picture of its own, the same whether or
        // not anyone watches the preview.
        SceneView view = viewFor(probeWidth, std::max(1, int(std::lround(probeWidth / m_viewfinderAspect))),
            m_viewfinderAspect, m_viewfinderZoom, t);
        if (m_scene && m_scene->render(view, m_probe)) {
            Measurement measured = measure(m_probe, s);
            // A change the device was told of starts now; one the camera
            // notices by looking began when it last looked.
            if (wantsExposure)
                moveExposure(exposureFor(measured.luminance, m_lens.fNumber(), s.limits), exposureMoved ? t : since, s);
            if (wantsFocus)
                moveFocus(measured.focusNearness, focusMoved ? t : since, s);
            if (wantsWhiteBalance)
                moveWhiteBalance(measured.illuminantKelvin, whiteBalanceMoved ? t : since);
        }
    }
    m_seen = s;
    m_started = true;
}

CameraModule::Measurement CameraModule::measure(const SceneFrame& frame, const Settings& s) const
{
    Measurement measured;
    measured.luminance = meanLuminance(frame, s.exposurePoint, true, lightColour(lightKelvin) * (torchAtOneMetre * s.torchLevel / float(M_PI)));
    measured.illuminantKelvin = frame.illuminantKelvin;
    int x0, y0, x1, y1;
    regionAround(frame, s.focusPoint, x0, y0, x1, y1);
    std::vector<uint8_t> distances;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            distances.push_back(frame.nearness[size_t(y) * size_t(frame.width()) + size_t(x)]);
    }
    if (!distances.empty()) {
        auto middle = distances.begin() + ptrdiff_t(distances.size() / 2);
        std::nth_element(distances.begin(), middle, distances.end());
        measured.focusNearness = std::clamp(double(*middle) * kDioptresPerNearnessLevel, 0.0, Lens::nearestFocus);
    }
    return measured;
}

void CameraModule::sayOnArrival(double arrival, int& serial, std::string line)
{
    double t = now();
    if (arrival <= t) {
        m_hardware.note(line);
        return;
    }
    int expected = serial;
    int* counter = &serial;
    std::weak_ptr<bool> alive = m_alive;
    kit::RunLoop::main().schedule(arrival - t, [this, alive, expected, counter, line] {
        if (auto living = alive.lock(); living && *living && *counter == expected)
            m_hardware.note(line);
    });
}

void CameraModule::moveExposure(Exposure target, double start, const Settings& s)
{
    double logDuration = std::log2(target.duration), logISO = std::log2(target.iso);
    bool same = std::fabs(logDuration - m_logDuration.target()) < exposureTolerance
        && std::fabs(logISO - m_logISO.target()) < exposureTolerance;
    if (m_started && same)
        return;
    if (m_started) {
        m_logDuration.moveTo(logDuration, start, exposureSettling);
        m_logISO.moveTo(logISO, start, exposureSettling);
    } else {
        m_logDuration.hold(logDuration);
        m_logISO.hold(logISO);
    }
    ++m_exposureMove;
    char iso[32];
    std::snprintf(iso, sizeof iso, " ISO %ld at ", std::lround(target.iso));
    sayOnArrival(m_logDuration.arrival(), m_exposureMove,
        m_name + " exposure settled: " + describeExposureTime(target.duration) + iso + describePoint(s.exposurePoint));
}

void CameraModule::moveFocus(double nearness, double start, const Settings& s)
{
    // How many still pixels of blur the difference makes.
    double pixels = m_lens.blurDiameter(nearness, m_focus.goal()) / 2 / m_lens.pixelPitch();
    if (m_started && pixels < focusTolerancePixels && std::fabs(nearness - m_focus.goal()) < 0.05)
        return;
    if (m_started)
        m_focus.moveTo(nearness, start);
    else
        m_focus.hold(nearness);
    ++m_focusMove;
    sayOnArrival(m_started ? m_focus.arrival() : now(), m_focusMove,
        m_name + " focus arrived: " + describeDistance(nearness) + " at " + describePoint(s.focusPoint));
}

void CameraModule::moveWhiteBalance(double kelvin, double start)
{
    double mired = 1e6 / std::clamp(kelvin, kLowestKelvin, kHighestKelvin);
    if (m_started && std::fabs(mired - m_mired.target()) < whiteBalanceTolerance)
        return;
    if (m_started)
        m_mired.moveTo(mired, start, whiteBalanceSettling);
    else
        m_mired.hold(mired);
    ++m_whiteBalanceMove;
    char text[64];
    std::snprintf(text, sizeof text, " white balance automatic: %ld K", std::lround(1e6 / mired));
    sayOnArrival(m_started ? m_mired.arrival() : now(), m_whiteBalanceMove, m_name + text);
}

void CameraModule::lockWhiteBalance()
{
    double t = now();
    m_mired.stopAt(t);
    ++m_whiteBalanceMove;
    char text[64];
    std::snprintf(text, sizeof text, " white balance locked at %ld K", std::lround(1e6 / m_mired.at(t)));
    m_hardware.note(m_name + text);
}

Exposure CameraModule::flashExposure(const SceneFrame& viewfinder, Exposure exposure, const Settings& s) const
{
    // The flash fires a little first, and the camera lowers the exposure so
    // that neither the metered square nor the brightest of what the flash
    // lights comes out burnt: gain first, then time.
    LinearRGB flash = lightColour(lightKelvin) * (flashAtOneMetre / float(M_PI));
    double perLuminance = sensorValuePerLuminance(exposure, m_lens.fNumber());
    double metered = meanLuminance(viewfinder, s.exposurePoint, true, flash) * perLuminance;
    std::vector<double> lit;
    const float* toLinear = linearTable();
    for (int y = 0; y < viewfinder.height(); ++y) {
        for (int x = 0; x < viewfinder.width(); ++x) {
            uint32_t word = viewfinder.colour->pixel(x, y);
            size_t index = viewfinder.lightingAt(x, y);
            const Lighting& lighting = index < viewfinder.lighting.size() ? viewfinder.lighting[index] : viewfinder.lighting.front();
            float n = viewfinder.nearness[size_t(y) * size_t(viewfinder.width()) + size_t(x)] * kDioptresPerNearnessLevel;
            LinearRGB light = lighting.light + (lighting.reachedByCameraLight ? flash * (n * n) : LinearRGB {});
            LinearRGB colour { toLinear[word >> 16 & 0xff], toLinear[word >> 8 & 0xff], toLinear[word & 0xff] };
            lit.push_back((colour * light).luminance());
        }
    }
    double highlight = 0;
    if (!lit.empty()) {
        auto at = lit.begin() + ptrdiff_t(lit.size() * 98 / 100);
        std::nth_element(lit.begin(), at, lit.end());
        highlight = *at * perLuminance;
    }
    double scale = std::min({ 1.0, metered > 0 ? 0.18 / metered : 1.0, highlight > 0 ? 0.9 / highlight : 1.0 });
    double iso = std::max(s.limits.minISO, exposure.iso * scale);
    exposure.duration = std::max(s.limits.shortest, exposure.duration * scale * exposure.iso / iso);
    exposure.iso = iso;
    return exposure;
}

CameraModule::SensorFrame CameraModule::currentFrame(const kit::AVCaptureDevice& device) const
{
    double duration = kit::CMTimeGetSeconds(device.activeVideoMinFrameDuration());
    if (!(duration > 0) || !std::isfinite(duration))
        duration = 1.0 / 30;
    double t = now();
    auto number = long(std::floor((t - m_startTime) / duration + 1e-6));
    return { number, std::min(t, m_startTime + double(number) * duration) };
}

void CameraModule::start()
{
    m_startTime = now();
    m_lastPreview = {};
    if (auto device = m_device.lock(); device && m_scene) {
        auto format = device->activeFormat();
        auto size = kit::CMVideoFormatDescriptionGetDimensions(format ? format->formatDescription() : nullptr);
        double frame = kit::CMTimeGetSeconds(device->activeVideoMinFrameDuration());
        m_scene->cameraStarted(wallTime(), size.width, size.height, frame > 0 ? 1 / frame : 0);
        tellSceneProblem();
    }
    update();
}

void CameraModule::stop()
{
    m_lastPreview = {};
    if (m_scene)
        m_scene->cameraStopped();
}

void CameraModule::tellSceneProblem()
{
    if (auto problem = m_scene ? m_scene->takeProblem() : std::nullopt)
        m_hardware.note(m_name + ": " + *problem);
}

CameraFrame CameraModule::capture(const FrameRequest& request)
{
    auto device = m_device.lock();
    if (!device || !m_scene || request.width <= 0 || request.height <= 0)
        return {};
    // Photos and movie frames are taken at the moment asked; the preview
    // shows the sensor's latest frame, as it was when it was taken.
    if (request.purpose != FramePurpose::Preview)
        return readOut(request, *device, now());
    SensorFrame sensor = currentFrame(*device);
    const LastPreview& last = m_lastPreview;
    if (last.frame.image && last.number == sensor.number && last.width == request.width
        && last.height == request.height && last.fieldAspect == request.fieldAspect && last.zoom == request.zoom)
        return last.frame;
    CameraFrame frame = readOut(request, *device, sensor.time);
    m_lastPreview = { frame, sensor.number, request.width, request.height, request.fieldAspect, request.zoom };
    return frame;
}

CameraFrame CameraModule::readOut(const FrameRequest& request, const kit::AVCaptureDevice& device, double t)
{
    CameraFrame result;
    if (request.purpose != FramePurpose::Photo) {
        m_viewfinderAspect = std::isfinite(request.fieldAspect) && request.fieldAspect > 0 ? request.fieldAspect : m_stillAspect;
        m_viewfinderZoom = std::isfinite(request.zoom) ? std::max(1.0, request.zoom) : 1;
    }
    SceneView view = viewFor(request.width, request.height, request.fieldAspect, request.zoom, t);
    bool viewfinderFrame = request.purpose != FramePurpose::Photo;
    SceneFrame& frame = viewfinderFrame ? m_frame : m_photoFrame;
    if (!m_scene->render(view, frame))
        return result;
    tellSceneProblem();
    if (!m_opticsEnabled) {
        result.image = std::move(frame.colour);
        return result;
    }
    update();
    Settings s = read(device);
    Exposure exposure = withinLimits(exposureAt(t), s.limits);

    bool flashFired = false;
    if (request.purpose == FramePurpose::Photo && m_hasFlash && s.flashMode != kit::AVCaptureFlashModeOff) {
        SceneView probeView = viewFor(probeWidth, std::max(1, int(std::lround(probeWidth / m_viewfinderAspect))),
            m_viewfinderAspect, m_viewfinderZoom, t);
        if (m_scene->render(probeView, m_probe)) {
            double metered = meanLuminance(m_probe, s.exposurePoint, true, {}) * sensorValuePerLuminance(exposure, m_lens.fNumber());
            flashFired = s.flashMode == kit::AVCaptureFlashModeOn || metered < 0.09;
            if (flashFired && s.exposureMode != kit::AVCaptureExposureModeLocked)
                exposure = flashExposure(m_probe, exposure, s);
        }
    }

    // The exposure and white balance, folded into each lighting's gain.
    LinearRGB balance = lightColour(whiteBalanceKelvinAt(t));
    LinearRGB gains { 1 / balance.r, 1 / balance.g, 1 / balance.b };
    float perLuminance = float(sensorValuePerLuminance(exposure, m_lens.fNumber()));
    float cameraLux = torchAtOneMetre * s.torchLevel + (flashFired ? flashAtOneMetre : 0);
    LinearRGB cameraLight = lightColour(lightKelvin) * (cameraLux / float(M_PI) * perLuminance);
    Development development;
    for (const auto& lighting : frame.lighting) {
        development.sceneGain.push_back(lighting.light * gains * perLuminance);
        development.cameraLightGain.push_back(lighting.reachedByCameraLight ? cameraLight * gains : LinearRGB {});
    }
    double focus = m_focus.at(t);
    double millimetresPerPixel = 2 * view.halfWidth * (view.right - view.left) * m_lens.focalLength() / request.width;
    development.focus = float(focus);
    development.blurPerDioptre = float(m_lens.blurPerDioptre(focus) / 2 / millimetresPerPixel);
    // The frame's colours are developed where they are; the next frame is
    // drawn anew.
    result.image = develop(frame, development, viewfinderFrame ? m_blur : m_photoBlur, frame.colour);
    frame.colour = nullptr;

    CaptureReport& report = result.report;
    report.exposureTime = exposure.duration;
    report.iso = exposure.iso;
    report.fNumber = m_lens.fNumber();
    report.focalLength = m_lens.focalLength();
    report.focalLengthIn35mmFilm = m_lens.focalLengthIn35mmFilm();
    report.hasFlash = m_hasFlash;
    report.flashMode = s.flashMode;
    report.flashFired = flashFired;
    report.whiteBalanceLocked = s.whiteBalanceMode == kit::AVCaptureWhiteBalanceModeLocked;
    report.whiteBalanceKelvin = whiteBalanceKelvinAt(t);
    report.focusNearness = focus;
    // The focus point, from the viewfinder's picture into this frame's.
    double viewfinderAcross = 1 / m_viewfinderZoom;
    double fx = 0.5 + (s.focusPoint.x - 0.5) * viewfinderAcross, fy = 0.5 + (s.focusPoint.y - 0.5) * viewfinderAcross;
    report.focusX = std::clamp((fx - view.left) / (view.right - view.left), 0.0, 1.0);
    report.focusY = std::clamp((fy - view.top) / (view.bottom - view.top), 0.0, 1.0);
    report.focusArea = regionSize * viewfinderAcross / (view.right - view.left);
    report.width = request.width;
    report.height = request.height;
    if (request.purpose == FramePurpose::Photo)
        m_hardware.note(m_name + " photo: " + report.summary());
    return result;
}

}
