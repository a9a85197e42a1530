#pragma once

#include "kit/ui/CGImage.h"

namespace benchsupport {

// Something like a photograph for the encoders to work on: smooth light,
// hard edges and sensor noise, shifted a little with each frame number so
// that a series moves.
kit::CGImageRef syntheticPhoto(int width, int height, int frame);

}
