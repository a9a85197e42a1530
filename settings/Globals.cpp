#include "settings/Globals.h"

#include "kit/ui/UIColor.h"

namespace vantor::prefs {

#define VANTOR_PREFS_GLOBALS(X) \
    X(bool, IS_IPAD, false) \
    X(bool, IS_IPHONE_4, false) \
    X(bool, rememberSettings_, false) \
    X(bool, advCameraMode, false) \
    X(bool, advVideoMode, false) \
    X(bool, advIPadZoom, false) \
    X(bool, timestampIncludeTime, false) \
    X(bool, timeStampVisible, false) \
    X(std::string, timeStampFontName, {}) \
    X(std::shared_ptr<kit::UIColor>, timeStampFontColor, {}) \
    X(bool, hdrAlwaysOn, false) \
    X(bool, showDimensions, false) \
    X(bool, showFPS, false) \
    X(bool, showOverlays, false) \
    X(bool, showHorizonAlignment, false) \
    X(bool, showVerticalAlert, false) \
    X(bool, showBulb, false) \
    X(bool, showMemoryWarning, false) \
    X(bool, blurButtonBar, false) \
    X(bool, convertTimeLapseToVideo, false)

#define VANTOR_DEFINE(type, name, value) type name = value;
VANTOR_PREFS_GLOBALS(VANTOR_DEFINE)
#undef VANTOR_DEFINE

void resetGlobals()
{
#define VANTOR_RESET(type, name, value) name = value;
    VANTOR_PREFS_GLOBALS(VANTOR_RESET)
#undef VANTOR_RESET
}

}
