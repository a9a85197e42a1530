#include "Monkey.h"

#include "ScreenViews.h"

#include "Scenario.h"
#include "host/camera/CameraCapabilities.h"
#include "kit/media/DeviceProfile.h"
#include "kit/ui/UIControl.h"
#include "kit/ui/UIView.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <variant>
#include <vector>

namespace monkey {

namespace {

// The views a person aims at: the extension's buttons, labels, reticles and
// dial, and the host camera's own controls. tap-view finds them by class.
constexpr const char* kNamedViews[] = {
    "TimerButton", "TimeLapseButton", "WBLockButton", "MovieButton", "CameraButton", "CameraButtonView",
    "CustomTransparentFilledLabel", "FocusView", "ExposureView", "SelectorDialEx", "BlurView",
    "CAMShutterButton", "CAMModeDial", "CAMFilterButton", "CAMHDRButton", "CAMHDRMenuItem", "CAMImageWell",
    "CAMSlalomIndicatorView", "CAMZoomSlider", "CAMEffectsGrid", "CAMTopBar", "CAMBottomBar",
};

bool isNamed(const std::string& className)
{
    for (const char* name : kNamedViews) {
        if (className == name)
            return true;
    }
    return false;
}

std::string format(const char* pattern, auto... values)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

std::string point(kit::CGPoint p) { return format("%.1f %.1f", p.x, p.y); }

std::string tapViewLine(const VisibleView& v)
{
    if (v.tag != 0 && v.tag == int(v.tag))
        return format("tap-view %s#%d", v.className.c_str(), int(v.tag));
    return "tap-view " + v.className;
}

const VisibleView* findOne(MonkeyRandom& random, const std::vector<VisibleView>& views,
    std::initializer_list<const char*> classes)
{
    std::vector<const VisibleView*> matching;
    for (auto& v : views) {
        for (const char* name : classes) {
            if (v.className == name)
                matching.push_back(&v);
        }
    }
    return matching.empty() ? nullptr : matching[size_t(random.below(int(matching.size())))];
}

// The settings a person may have chosen before opening the camera: the
// extension's flags, its remembered values in their ranges, now and then a
// number far outside them, as an old or hand-edited file may hold.
std::string randomSetting(MonkeyRandom& random)
{
    static constexpr const char* flags[] = { "rememberSettings", "showHelpHowToShow", "showHelpHowToHide",
        "showDimensions", "showFPS", "showOverlays", "showHorizonAlignment", "showVerticalAlert",
        "showMemoryWarning", "blurButtonBar", "convertTimeLapseToVideo", "timeStampVisible", "timestampIncludeTime",
        "ipadAdvZoom", "HDRAlwaysOn", "resolutionSelected", "guideSelected", "horizonAlignmentShowing",
        "timeStampVisibleAndPlace" };
    struct Range {
        const char* key;
        int low, high;
    };
    static constexpr Range numbers[] = { { "advPhotoModeAsDefault", 0, 1 }, { "advVideoModeAsDefault", 0, 1 },
        { "guideIndex", 0, 4 }, { "resolutionIndex", 0, 3 }, { "timerTime", 1, 60 }, { "timeLapseTime", 1, 60 },
        { "frameRateTime", 15, 60 }, { "timeType", 0, 1 }, { "timerMode", 0, 2 }, { "overlayMode", 0, 4 },
        { "frameRateMode", 0, 1 } };
    if (random.chance(0.5)) {
        const char* key = flags[random.below(int(std::size(flags)))];
        // The settings bundle writes flags as integers, the extension as booleans.
        if (random.chance(0.3))
            return format("setting %s int %d", key, random.below(2));
        return format("setting %s bool %s", key, random.chance(0.5) ? "true" : "false");
    }
    auto& range = numbers[random.below(int(std::size(numbers)))];
    int value = random.chance(0.1) ? random.between(-100000, 100000) : random.between(range.low, range.high);
    return format("setting %s int %d", range.key, value);
}

}

Monkey::Monkey(uint64_t seed, std::string model)
    : m_random(seed)
    , m_seed(seed)
    , m_model(std::move(model))
{
    if (auto* profile = kit::DeviceProfile::forModel(m_model)) {
        m_width = profile->screenWidth;
        m_height = profile->screenHeight;
        m_isPad = profile->idiom == 1;
    }
}

std::optional<std::string> Monkey::run(const std::string& text)
{
    ++m_lineNumber;
    *m_record << text << '\n';
    m_record->flush();
    auto parsed = sim::Scenario::parse(text);
    if (auto* error = std::get_if<sim::ScenarioError>(&parsed))
        return "the monkey wrote a line the parser refuses: " + error->message;
    auto& lines = std::get<sim::Scenario>(parsed).lines;
    if (lines.size() != 1)
        return "the monkey wrote " + std::to_string(lines.size()) + " commands on one line";
    sim::ScenarioLine line { m_lineNumber, lines.front().command };
    ++m_linesRun;
    if (auto problem = m_session->apply(line))
        return "line " + std::to_string(m_lineNumber) + ": " + *problem;
    return std::nullopt;
}

void Monkey::beforeLaunch()
{
    int settings = m_random.weighted({ 3, 2, 2, 2, 1 });
    for (int i = 0; i < settings; ++i)
        run(randomSetting(m_random));
}

std::optional<std::string> Monkey::play(sim::ScenarioSession& session, std::ostream& record)
{
    m_session = &session;
    m_record = &record;
    *m_record << "# vantor-monkey seed " << m_seed << " on " << m_model << '\n';
    ++m_lineNumber;
    if (auto problem = run("device " + m_model))
        return problem;
    beforeLaunch();
    if (auto problem = run("launch"))
        return problem;
    int actions = m_random.between(12, 40);
    for (int i = 0; i < actions; ++i) {
        if (auto problem = run(nextAction()))
            return problem;
    }
    return run("quit");
}

std::string Monkey::nextAction()
{
    if (!m_planned.empty()) {
        auto next = std::move(m_planned.front());
        m_planned.pop_front();
        return next();
    }
    switch (m_session->frontScreen()) {
    case sim::Front::LockScreen:
        return onTheLockScreen();
    case sim::Front::LockCamera:
        return onTheLockScreensCamera();
    case sim::Front::HomeScreen:
        return onTheHomeScreen();
    case sim::Front::Settings:
        return inTheSettingsApp();
    case sim::Front::Camera:
    case sim::Front::Unknown:
        break;
    }
    if (m_inBackground) {
        switch (m_random.weighted({ 4, 3, 1, 1 })) {
        case 0:
            m_inBackground = false;
            return "foreground";
        case 1:
            return waitAWhile();
        case 2:
            return "memory-warning";
        default:
            return holdTheDevice();
        }
    }
    // What is on the screen draws the finger: the open dial is turned, tapped
    // in its middle or answered with the shutter; a mode strip in view has
    // its buttons pressed.
    auto views = visibleViews({ m_width, m_height });
    if (auto* dial = findOne(m_random, views, { "SelectorDialEx" }); dial && m_random.chance(0.45)) {
        switch (m_random.weighted({ 5, 2, 3 })) {
        case 0:
            return turnTheDial();
        case 1:
            return "tap-view SelectorDialEx";
        default:
            return "shutter";
        }
    }
    if (auto* button = findOne(m_random, views, { "TimerButton", "TimeLapseButton", "WBLockButton", "CameraButton",
            "MovieButton" });
        button && m_random.chance(0.5))
        return tapViewLine(*button);
    if (m_random.chance(0.03)) {
        planTimedCapture(m_random.chance(0.6));
        return moveTheStrip(true);
    }
    switch (m_random.weighted({ 5, 10, 3, 4, 5, 5, 6, 6, 2, 3, 2, 4, 8, 2, 2, 1, 1, 1, 1, 1 })) {
    case 0:
        return tapSomewhere();
    case 1:
        return tapAView();
    case 2:
        return pressAView();
    case 3:
        return dragAnywhere();
    case 4:
        return dragAReticle();
    case 5:
        return turnTheDial();
    case 6:
        return moveTheStrip(m_random.chance(0.6));
    case 7:
        return "shutter";
    case 8:
        return m_random.chance(0.5) ? "volume up" : "volume down";
    case 9:
        return changeMode();
    case 10:
        return changeCamera();
    case 11:
        return holdTheDevice();
    case 12:
        return waitAWhile();
    case 13:
        m_inBackground = true;
        return "background";
    case 14:
        return "memory-warning";
    case 15:
        return format("swipe %s", m_random.pick({ "up", "down", "left", "right" }));
    case 16:
        return showFilters();
    case 17:
        return format("screenshot shot-%d.png", ++m_screenshots);
    case 18:
        return "home";
    default:
        return "lock";
    }
}

std::string Monkey::onTheLockScreen()
{
    switch (m_random.weighted({ 4, 3, 1, 1, 1 })) {
    case 0:
        return "lock-camera";
    case 1:
        return "unlock";
    case 2:
        // A finger anywhere: across, it may unlock; up from the grabber, open the camera.
        return dragAnywhere();
    case 3:
        return "home";
    default:
        return waitAWhile();
    }
}

std::string Monkey::onTheLockScreensCamera()
{
    // Its views live in the home screen's process, out of the monkey's
    // sight: the finger goes where a person's would, without aiming.
    switch (m_random.weighted({ 5, 3, 3, 2, 2, 2, 2, 1, 1, 1 })) {
    case 0:
        return "shutter";
    case 1:
        return moveTheStrip(m_random.chance(0.6));
    case 2:
        return tapSomewhere();
    case 3:
        return dragAnywhere();
    case 4:
        return format("swipe %s", m_random.pick({ "up", "down", "left", "right" }));
    case 5:
        return waitAWhile();
    case 6:
        return holdTheDevice();
    case 7:
        return m_random.chance(0.5) ? "volume up" : "volume down";
    case 8:
        return "home";
    default:
        return "lock";
    }
}

std::string Monkey::onTheHomeScreen()
{
    switch (m_random.weighted({ 4, 1, 1, 1, 1 })) {
    case 0:
        return "tap-view SBIconView#1";
    case 1:
        return "tap-view SBIconView#2";
    case 2:
        return "lock";
    case 3:
        return tapSomewhere();
    default:
        return waitAWhile();
    }
}

std::string Monkey::inTheSettingsApp()
{
    switch (m_random.weighted({ 2, 2, 3, 1 })) {
    case 0:
        return "home";
    case 1:
        return "camera";
    case 2:
        return tapSomewhere();
    default:
        return waitAWhile();
    }
}

std::string Monkey::tapSomewhere()
{
    return "tap " + point(kit::CGPointMake(m_random.between(0.0, m_width), m_random.between(0.0, m_height)));
}

std::string Monkey::tapAView()
{
    auto views = visibleViews({ m_width, m_height });
    if (views.empty())
        return tapSomewhere();
    std::vector<const VisibleView*> named;
    for (auto& v : views) {
        if (isNamed(v.className) && v.view->isUserInteractionEnabled())
            named.push_back(&v);
    }
    if (!named.empty() && m_random.chance(0.7)) {
        return tapViewLine(*named[size_t(m_random.below(int(named.size())))]);
    }
    auto& v = views[size_t(m_random.below(int(views.size())))];
    return "tap " + point(v.pointAt(m_random.unit(), m_random.unit()));
}

std::string Monkey::pressAView()
{
    auto views = visibleViews({ m_width, m_height });
    kit::CGPoint at = views.empty()
        ? kit::CGPointMake(m_random.between(0.0, m_width), m_random.between(0.0, m_height))
        : views[size_t(m_random.below(int(views.size())))].pointAt(m_random.unit(), m_random.unit());
    return "longpress " + point(at) + format(" %.2f", m_random.between(0.3, 2.0));
}

std::string Monkey::dragAnywhere()
{
    auto from = kit::CGPointMake(m_random.between(0.0, m_width), m_random.between(0.0, m_height));
    auto to = kit::CGPointMake(m_random.between(0.0, m_width), m_random.between(0.0, m_height));
    return "drag " + point(from) + " " + point(to) + format(" %.2f", m_random.between(0.05, 1.2));
}

std::string Monkey::dragAReticle()
{
    auto views = visibleViews({ m_width, m_height });
    auto* reticle = findOne(m_random, views, { "FocusView", "ExposureView" });
    if (!reticle)
        return dragAnywhere();
    auto to = kit::CGPointMake(m_random.between(0.0, m_width), m_random.between(0.0, m_height));
    return "drag " + point(reticle->centre) + " " + point(to) + format(" %.2f", m_random.between(0.1, 1.0));
}

std::string Monkey::turnTheDial()
{
    auto views = visibleViews({ m_width, m_height });
    auto* dial = findOne(m_random, views, { "SelectorDialEx" });
    if (!dial)
        return moveTheStrip(m_random.chance(0.6));
    // A finger along the ring: from one angle to another, as a chord.
    double start = m_random.between(0.0, 2 * std::numbers::pi);
    double turn = m_random.between(-1.2, 1.2);
    double radius = m_random.between(0.3, 0.48);
    auto at = [&](double angle) {
        return dial->pointAt(0.5 + radius * std::cos(angle), 0.5 + radius * std::sin(angle));
    };
    return "drag " + point(at(start)) + " " + point(at(start + turn)) + format(" %.2f", m_random.between(0.1, 0.8));
}

std::string Monkey::moveTheStrip(bool in)
{
    // The strip comes in with a quick drag beside the reticles, which take
    // the middle: up on a phone, to the left on a pad.
    if (m_isPad) {
        double y = 0.244 * m_height;
        double x1 = 0.78 * m_width, x2 = 0.59 * m_width;
        return in ? "drag " + point({ x1, y }) + " " + point({ x2, y }) + " 0.15"
                  : "drag " + point({ x2, y }) + " " + point({ x1, y }) + " 0.15";
    }
    double x = 0.78 * m_width;
    double y1 = 0.634 * m_height, y2 = 0.37 * m_height;
    return in ? "drag " + point({ x, y1 }) + " " + point({ x, y2 }) + " 0.15"
              : "drag " + point({ x, y2 }) + " " + point({ x, y1 }) + " 0.15";
}

std::string Monkey::changeMode()
{
    static constexpr const char* names[] = { "photo", "video", "slomo", "pano", "square" };
    auto* profile = kit::DeviceProfile::forModel(m_model);
    auto* phone = m_session->phone();
    // The camera keeps its mode while it records, as the mode dial does.
    if (!profile || !phone || phone->isRecording())
        return waitAWhile();
    host::CameraCapabilities capabilities(*profile);
    std::vector<int> offered;
    for (int mode = 0; mode < 5; ++mode) {
        if (capabilities.hasMode(mode, phone->cameraDevice()))
            offered.push_back(mode);
    }
    if (offered.empty())
        return waitAWhile();
    return std::string("mode ") + names[offered[size_t(m_random.below(int(offered.size())))]];
}

std::string Monkey::changeCamera()
{
    auto* profile = kit::DeviceProfile::forModel(m_model);
    auto* phone = m_session->phone();
    if (!profile || !phone || phone->isRecording())
        return waitAWhile();
    host::CameraCapabilities capabilities(*profile);
    // The other camera, when the device has it and offers the current mode on it.
    int other = phone->cameraDevice() == 0 ? 1 : 0;
    if (!capabilities.hasCamera(other) || !capabilities.hasMode(phone->cameraMode(), other))
        return waitAWhile();
    return other == 1 ? "camera front" : "camera back";
}

std::string Monkey::showFilters()
{
    auto* profile = kit::DeviceProfile::forModel(m_model);
    if (!profile || !host::CameraCapabilities(*profile).hasFilters())
        return waitAWhile();
    return m_random.chance(0.6) ? "filters on" : "filters off";
}

std::string Monkey::holdTheDevice()
{
    if (m_random.chance(0.6)) {
        return format("rotate %s",
            m_random.pick({ "portrait", "upside-down", "landscape-left", "landscape-right", "face-up", "face-down" }));
    }
    // Gravity of about one g in any direction, tilted as a hand holds it.
    double x = m_random.between(-1.0, 1.0), y = m_random.between(-1.0, 1.0), z = m_random.between(-1.0, 1.0);
    double length = std::hypot(x, y, z);
    if (length < 0.05)
        return "rotate portrait";
    return format("gravity %.3f %.3f %.3f", x / length, y / length, z / length);
}

void Monkey::planTimedCapture(bool timeLapse)
{
    // A person waits for the strip and the dial to come in before the next touch.
    auto settle = [this] { return format("wait %.2f", m_random.between(0.5, 1.2)); };
    m_planned.push_back(settle);
    m_planned.push_back([this, timeLapse] {
        const char* name = timeLapse ? "TimeLapseButton" : "TimerButton";
        // A chosen mode button is left as it is: a second tap would turn it off.
        for (auto& v : visibleViews({ m_width, m_height })) {
            auto* button = kit::cast<kit::UIControl>(v.view);
            if (v.className == name && button && !button->isSelected())
                return tapViewLine(v);
        }
        return waitAWhile();
    });
    m_planned.push_back(settle);
    m_planned.push_back([] { return std::string("shutter"); });
    m_planned.push_back([this] { return format("wait %.2f", m_random.between(4.0, 20.0)); });
    if (timeLapse)
        m_planned.push_back([this] { return tapIfShown("SelectorDialEx", 0); });
}

std::string Monkey::tapIfShown(const char* className, int tag)
{
    for (auto& v : visibleViews({ m_width, m_height })) {
        if (v.className == className && (tag == 0 || v.tag == tag))
            return tapViewLine(v);
    }
    return waitAWhile();
}

std::string Monkey::waitAWhile()
{
    // Mostly the pause between a person's touches; now and then long enough
    // for a count-down or a few time-lapse photos to run.
    double seconds = m_random.chance(0.2) ? m_random.between(3.0, 15.0) : m_random.between(0.05, 2.0);
    return format("wait %.2f", seconds);
}

}
