#pragma once

namespace vantor {

// What the circular zoom control tells its owner. The camera bar implements
// it; the control remembers its delegate weakly.
class ZoomViewDelegate {
public:
    // The control's value (1 to 5) after every move of the finger, also when
    // the value stayed.
    virtual void zoomFactor(float factor) = 0;

protected:
    virtual ~ZoomViewDelegate() = default;
};

}
