#pragma once

#include "kit/ui/UIImageView.h"

#include <array>
#include <memory>
#include <string>

namespace vantor {

// What the focus and the exposure reticles have in common: an image view
// that plays its three frames while the device adjusts, and a padlock badge
// in its middle that shows exactly while the reticle is locked.
//
// This class has no runtime class of its own: each reticle names UIImageView
// as its superclass. Images come from the extension's resource folder; a
// missing file leaves the reticle (or the badge) without a picture.
class ReticleView : public kit::UIImageView {
public:
    // Resource paths relative to the extension's resource folder.
    struct Artwork {
        std::string still;
        std::array<std::string, 3> frames;
    };

    // The property alone: the badge is not touched (setLockedState is).
    bool isLocked() const { return m_isLocked; }
    void setIsLocked(bool locked) { m_isLocked = locked; }
    // Sets isLocked and shows the padlock badge exactly when locked.
    void setLockedState(bool locked);

    // Turns the badge upright for the stored device orientation over 0.4 s;
    // the reticle itself never turns.
    void rotateLock();

    kit::UIImageView* lockImageView() const { return m_lockImageView.get(); }

    // The frame the reticle has when it is not pulsing (its transform left
    // out), and a move of that frame's origin that keeps the size. Touch
    // routing places and drags reticles with these, so a pulse in progress
    // neither widens the hit area nor shifts a placement.
    kit::CGRect restingFrame() const;
    void moveRestingOrigin(kit::CGPoint origin);

    // A short grow-and-back of the reticle over 0.5 s in all, to the given
    // scale, starting from wherever a running pulse is.
    void pulse(kit::CGFloat scale);

    ~ReticleView() override;

protected:
    // initWithFrame: builds the badge (hidden) and the animation frames.
    ReticleView(kit::CGRect frame, const Artwork&);

private:
    std::shared_ptr<kit::UIImageView> m_lockImageView;
    bool m_isLocked { false };
};

}
