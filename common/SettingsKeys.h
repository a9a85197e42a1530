#pragma once

// The settings file that the extension and the settings bundle share: its
// name, where each side finds it, the change notification, and every key.
// Which kind a key holds depends on who wrote it last (the settings bundle
// writes flags as integers 1 and 0, the extension as booleans), so flags are
// always read with the typed readers of SettingsReaders.h.

namespace vantor::settings {

inline constexpr const char* fileName = "com.quillon.Vantor2.plist";
// The extension joins its folder with the file name; the settings bundle uses
// the absolute path. On a device both name the same file ("/User" is
// "/var/mobile").
inline constexpr const char* extensionFolder = "/User/Library/Preferences";
inline constexpr const char* settingsAppPath = "/var/mobile/Library/Preferences/com.quillon.Vantor2.plist";
// Observed by the extension; nothing in the system posts it.
inline constexpr const char* changedNotification = "com.quillon.Vantor_2.settingschanged";

namespace key {
// Written by both sides.
inline constexpr const char* rememberSettings = "rememberSettings";
inline constexpr const char* advPhotoModeAsDefault = "advPhotoModeAsDefault";
inline constexpr const char* advVideoModeAsDefault = "advVideoModeAsDefault";
// Written by the settings bundle.
inline constexpr const char* ipadAdvZoom = "ipadAdvZoom";
inline constexpr const char* HDRAlwaysOn = "HDRAlwaysOn";
inline constexpr const char* showDimensions = "showDimensions";
inline constexpr const char* showFPS = "showFPS";
inline constexpr const char* showOverlays = "showOverlays";
inline constexpr const char* showHorizonAlignment = "showHorizonAlignment";
inline constexpr const char* showVerticalAlert = "showVerticalAlert";
inline constexpr const char* showMemoryWarning = "showMemoryWarning";
inline constexpr const char* blurButtonBar = "blurButtonBar";
inline constexpr const char* convertTimeLapseToVideo = "convertTimeLapseToVideo";
inline constexpr const char* timeStampVisible = "timeStampVisible";
inline constexpr const char* showBulb = "showBulb";
inline constexpr const char* timestampIncludeTime = "timestampIncludeTime";
inline constexpr const char* timeStampFontName = "timeStampFontName";
inline constexpr const char* timeStampFontColor = "timeStampFontColor";       // keyed-archive data
inline constexpr const char* timeStampFontColorSet = "timeStampFontColorSet"; // written with every colour
// Written by the extension: the first-use hints...
inline constexpr const char* showHelpHowToShow = "showHelpHowToShow";
inline constexpr const char* showHelpHowToHide = "showHelpHowToHide";
// ...and the remembered group, read and written only while rememberSettings is on.
inline constexpr const char* guideIndex = "guideIndex";
inline constexpr const char* resolutionIndex = "resolutionIndex";
inline constexpr const char* timerTime = "timerTime";
inline constexpr const char* timeLapseTime = "timeLapseTime";
inline constexpr const char* frameRateTime = "frameRateTime";
inline constexpr const char* timeType = "timeType";
inline constexpr const char* timerMode = "timerMode";
inline constexpr const char* overlayMode = "overlayMode";
inline constexpr const char* frameRateMode = "frameRateMode";
inline constexpr const char* resolutionSelected = "resolutionSelected";
inline constexpr const char* guideSelected = "guideSelected";
inline constexpr const char* horizonAlignmentShowing = "horizonAlignmentShowing";
inline constexpr const char* timeStampVisibleAndPlace = "timeStampVisibleAndPlace";
// A key of an older file layout: a file holding it with any value but 3 is
// discarded at the extension's next save.
inline constexpr const char* advPhotoSelected = "advPhotoSelected";
}

// The default date-stamp look, on both sides.
inline constexpr const char* defaultTimeStampFontName = "GillSans-Bold";
inline constexpr double defaultTimeStampColor[4] = { 1.0, 0.8, 0.0, 1.0 };

}
