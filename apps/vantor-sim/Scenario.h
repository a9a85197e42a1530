#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sim {

// One line of a scenario file. Coordinates are screen points; times seconds.
namespace command {
struct Device { std::string model; };
struct Setting {
    enum class Kind { Bool, Int, String };
    std::string key;
    Kind kind;
    std::string text; // the value as written (a string may hold spaces)
    bool boolValue { false };
    int intValue { 0 };
};
struct Launch { };
struct Tap { double x, y; };
struct TapView { std::string className; std::optional<int> tag; };
struct LongPress { double x, y, seconds; };
struct Drag { double x1, y1, x2, y2, seconds; };
struct Swipe { enum class Direction { Up, Down, Left, Right } direction; };
struct Shutter { };
struct Volume { bool up; };
struct Mode { int cameraMode; };  // 0 photo, 1 video, 2 slow motion, 3 panorama, 4 square
struct Camera { int cameraDevice; }; // 0 back, 1 front
// The system's device orientations: 1 portrait, 2 upside down, 3 landscape
// right, 4 landscape left; 5 face up and 6 face down are never stored.
struct Rotate { int orientation; };
struct Gravity { double x, y, z; };
struct Filters { bool on; };
struct Wait { double seconds; };
struct Background { };
struct Foreground { };
struct MemoryWarning { };
struct Screenshot { std::string fileName; };
struct Describe { std::string fileName; };
struct Quit { };
// The two apps: the Settings app to the front on the extension's entry, the
// camera back to the front; the Settings app's back button, and taps on
// what its shown page connected by action or by outlet.
struct Settings { };
struct CameraToFront { };
struct Back { };
struct TapControl { std::string selector; };
struct TapOutlet { std::string field; double fx { 0.5 }, fy { 0.5 }; };
// The front table's cell with that text, scrolled to first.
struct TapCell { std::string text; };
// The home screen's process: the side button (the app in front goes to the
// background, the lock screen shows), "slide to unlock" slid across, the
// lock screen's camera grabber swiped up, the home button.
struct Lock { };
struct Unlock { };
struct LockCamera { };
struct Home { };
// The light on the scene: a colour temperature (kelvin) and a level in
// stops relative to the scene's own, or the scene's own light again.
struct Light {
    bool automatic { false };
    double kelvin { 5500 };
    double stops { 0 };
};
// What must hold at this moment, or the run stops here. View and text look
// at the app in front; photos and movies count the camera roll; a setting is
// read from the settings file; a log text is looked for in events.log.
struct Expect {
    enum class Kind { View, Text, Photos, Movies, Setting, Log };
    Kind kind;
    // "expect no ...": none is visible, the key is absent.
    bool negated { false };
    std::string className;   // View
    std::optional<int> tag;  // View
    std::string text;        // Text, Log; the value of Setting as written
    int count { 0 };         // Photos, Movies
    std::string key;         // Setting
};
}

using Command = std::variant<command::Device, command::Setting, command::Launch, command::Tap, command::TapView,
    command::LongPress, command::Drag, command::Swipe, command::Shutter, command::Volume, command::Mode, command::Camera,
    command::Rotate, command::Gravity, command::Filters, command::Wait, command::Background, command::Foreground,
    command::MemoryWarning, command::Screenshot, command::Describe, command::Quit, command::Settings,
    command::CameraToFront, command::Back, command::TapControl, command::TapOutlet,
    command::TapCell, command::Light, command::Expect, command::Lock, command::Unlock, command::LockCamera,
    command::Home>;

// Whether the command is one of these kinds: isCommand<command::Lock, command::Home>(c).
template <typename... T>
bool isCommand(const Command& command)
{
    return (std::holds_alternative<T>(command) || ...);
}

struct ScenarioLine {
    int number;
    Command command;
};

struct ScenarioError {
    int line;
    std::string message; // "line 4: tap expects X Y (numbers), got "tap 10""
};

// A whole scenario, read before anything runs, so a wrong line stops the run
// before it has done anything. Blank lines and "#" comments are skipped.
struct Scenario {
    std::vector<ScenarioLine> lines;

    static std::variant<Scenario, ScenarioError> parse(std::string_view text);
};

// The default hold of a long press and duration of a drag, in seconds.
constexpr double kDefaultLongPressSeconds = 1.0;
constexpr double kDefaultDragSeconds = 0.5;
// The longest wait or long press: a week of simulated time. The longest drag:
// a minute (its finger moves every 1/60 s).
constexpr double kLongestWaitSeconds = 7 * 24 * 3600;
constexpr double kLongestDragSeconds = 60;
// The light a scenario may set: colour temperature and level.
constexpr double kLowestKelvin = 1500;
constexpr double kHighestKelvin = 15000;
constexpr double kLightStopsRange = 10;

}
