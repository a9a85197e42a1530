#pragma once

#include "kit/ui/UIEvent.h"

namespace kit {

// Something that takes part in touch handling. A touch handler that does not
// want a touch passes it on to the next responder, which the default
// handlers do: a view's next responder is its view controller when it is a
// controller's root view, else its superview; a window's is the application.
class UIResponder : public Object {
    KIT_OBJECT(UIResponder, Object)

public:
    virtual UIResponder* nextResponder() const { return nullptr; }

    // Handlers may add or remove views, including the receiver.
    virtual void touchesBegan(const UITouchSet&, UIEvent*);
    virtual void touchesMoved(const UITouchSet&, UIEvent*);
    virtual void touchesEnded(const UITouchSet&, UIEvent*);
    virtual void touchesCancelled(const UITouchSet&, UIEvent*);
};

}
