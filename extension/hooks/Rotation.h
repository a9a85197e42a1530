#pragma once

namespace vantor {

// Turns every added element to the stored device orientation.
void rotateObjectsOnMainThread();

}
