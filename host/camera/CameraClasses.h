#pragma once

namespace host {

// Registers every class of the camera app with the runtime, with the
// implementations of all its methods (HostSelectors.h), once per process.
// The phone does it when it starts; tests that look at the classes before
// any phone exists call it themselves.
void registerCameraClasses();

}
