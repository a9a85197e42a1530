#pragma once

// The settings bundle's process-wide state. The device class is decided when
// the root controller is created; the values below it are loaded by the main
// page when its view loads, shown by the features and timestamp pages, and
// changed by their switches. They keep their values while the bundle stays
// loaded. They live in their own namespace, apart from the extension's
// globals of the same names.

#include <memory>
#include <string>

namespace kit {
class UIColor;
}

namespace vantor::prefs {

// --- Device class, set at each creation of the root controller.
extern bool IS_IPAD;     // the pad idiom; false when the idiom query is not answered
extern bool IS_IPHONE_4; // the main screen is exactly 480 points tall

// --- Settings shown by the pages (keys and defaults in SettingsKeys.h).
extern bool rememberSettings_;
extern bool advCameraMode;
extern bool advVideoMode;
extern bool advIPadZoom;
extern bool timestampIncludeTime;
extern bool timeStampVisible;
extern std::string timeStampFontName;
extern std::shared_ptr<kit::UIColor> timeStampFontColor;
extern bool hdrAlwaysOn;
extern bool showDimensions;
extern bool showFPS;
extern bool showOverlays;
extern bool showHorizonAlignment;
extern bool showVerticalAlert;
extern bool showBulb;
extern bool showMemoryWarning;
extern bool blurButtonBar;
extern bool convertTimeLapseToVideo;

// Every global back to its value when the bundle is loaded (false and
// nothing), for tests that open the entry several times in one process.
void resetGlobals();

}
