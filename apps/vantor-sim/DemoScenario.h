#pragma once

namespace sim {

// The built-in demo: one camera run that shows what the system does.
inline constexpr const char* kDemoScenario = R"(# vantor-sim demo: a camera run on a 4-inch phone
device iPhone6,1
setting timeLapseTime int 3
setting showHelpHowToShow bool false
# the date stamp on, and the overlay of thirds remembered
setting rememberSettings bool true
setting timeStampVisible bool true
launch
wait 1
expect view FocusView
expect view ExposureView
expect text Timestamp On
screenshot 01-camera.png
# the camera meters and focuses where the finger is: on the shaded grass in
# front the garden brightens and the sky burns out
tap 190 440
wait 1
screenshot 01b-metered-on-the-shade.png
# a tap on the preview focuses there
tap 160 250
wait 1
shutter
wait 1
expect photos 1
screenshot 02-after-photo.png
# a swipe up beside the reticles brings the row of mode buttons
drag 250 360 250 210 0.15
wait 1
expect view TimerButton#2
expect view TimeLapseButton#3
screenshot 02b-mode-strip.png
# the self-timer: its dial, a count-down with beeps at 3, 2 and 1, a photo at 5 s
tap-view TimerButton#2
wait 1
shutter
wait 2.5
expect text 3
screenshot 02c-countdown.png
wait 3
expect photos 2
# the time-lapse: a photo every 3 s until the dial's centre is tapped; then
# the photos become a movie in the camera roll and the album
drag 250 360 250 210 0.15
wait 1
tap-view TimeLapseButton#3
wait 1
shutter
wait 10
expect photos 5
tap-view SelectorDialEx
wait 2
expect no view SelectorDialEx
# a swipe down takes the row away
drag 250 210 250 360 0.15
wait 1
rotate landscape-left
wait 1
shutter
wait 1
rotate portrait
# the overlay indicator opens the strip of guides; "Thirds" draws them
tap-view OverlayIndicator
wait 0.5
expect view OverlaySelectionView
screenshot 02d-overlays.png
tap-view UIImageView#1
wait 0.5
expect setting overlayMode 2
# the horizon level, from its button beside the camera switch
tap-view UIImageView#101
wait 0.5
gravity 1 0 0
wait 0.5
screenshot 02e-level.png
rotate portrait
mode video
wait 1
expect view VerticalAlertImageView#101
expect text 1080p
screenshot 03-video-mode.png
# the height indicator opens the resolution chooser; a 720p movie follows
tap-view CustomSlalomIndicatorView#1
wait 0.5
expect view CustomDimensionViewButton#720
screenshot 03b-resolutions.png
tap-view CustomDimensionViewButton#720
wait 0.5
expect text 720p
shutter
wait 3
shutter
wait 1
expect movies 2
mode photo
background
wait 2
foreground
wait 1
expect view FocusView
screenshot 04-back-again.png
# the Settings app: the manual turning a page, then the stamp's colour and
# font chosen in their pickers; the camera's next photo is stamped with both
settings
wait 0.5
tap-control ManualButtonTapped:
wait 0.5
tap-control onNext:
wait 0.5
expect text 2 of 4
screenshot 05-manual-turning.png
wait 1
back
wait 0.5
tap-control ShowTimeStampSetup:
wait 0.5
tap-control SetupTimeStampColorTapped:
wait 0.5
tap-outlet hueSatImage 0 0
tap-outlet gradientView 0.5 0
wait 0.2
expect view ColorSwatchView
screenshot 06-colour-picker.png
tap-control chooseSelectedColor
wait 0.5
expect setting timeStampFontColorSet 1
tap-outlet timestampFontSelect
wait 0.5
expect view UITableView
screenshot 07-font-picker.png
tap-cell DejaVuSerif-Bold
wait 0.5
expect text DejaVuSerif-Bold
expect setting timeStampFontName DejaVuSerif-Bold
screenshot 08-timestamp-page.png
camera
wait 1
shutter
wait 1
# the whole phone: the home button shows the home screen, the side button
# locks the phone, and the lock screen's camera grabber swiped up opens the
# camera there, with the extension loaded into the home screen too
home
wait 1
screenshot 09-home-screen.png
lock
wait 1
screenshot 10-lock-screen.png
lock-camera
wait 1
shutter
wait 1
screenshot 11-lock-screen-camera.png
lock
quit
expect photos 8
expect movies 2
)";

}
