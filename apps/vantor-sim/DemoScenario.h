#pragma once

namespace sim {

// The built-in demo: one camera run that shows what the system does.
inline constexpr const char* kDemoScenario = R"(# vantor-sim demo: a camera run on a 4-inch phone
device iPhone6,1
launch
wait 1
screenshot 01-camera.png
# a tap on the preview focuses there
tap 160 250
wait 1
shutter
wait 1
screenshot 02-after-photo.png
# a swipe up beside the reticle brings the row of mode buttons, a swipe
# down takes it away
drag 250 360 250 210 0.15
wait 1
screenshot 02b-mode-strip.png
drag 250 210 250 360 0.15
wait 1
rotate landscape-left
wait 1
shutter
wait 1
rotate portrait
mode video
wait 1
screenshot 03-video-mode.png
shutter
wait 3
shutter
wait 1
mode photo
background
wait 2
foreground
wait 1
screenshot 04-back-again.png
quit
)";

}
