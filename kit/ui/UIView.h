#pragma once

#include "kit/ui/AffineTransform.h"
#include "kit/ui/CALayer.h"
#include "kit/ui/UIResponder.h"
#include "kit/ui/ViewAnimation.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kit {

class UIColor;
class UIGestureRecognizer;
class UIImage;
class UIViewController;
class UIWindow;

enum UIViewContentMode {
    UIViewContentModeScaleToFill = 0,
    UIViewContentModeScaleAspectFit = 1,
    UIViewContentModeScaleAspectFill = 2,
    UIViewContentModeRedraw = 3,
    UIViewContentModeCenter = 4,
    UIViewContentModeTop = 5,
    UIViewContentModeBottom = 6,
    UIViewContentModeLeft = 7,
    UIViewContentModeRight = 8,
    UIViewContentModeTopLeft = 9,
    UIViewContentModeTopRight = 10,
    UIViewContentModeBottomLeft = 11,
    UIViewContentModeBottomRight = 12,
};

using UIViewAutoresizing = uint32_t;
inline constexpr UIViewAutoresizing UIViewAutoresizingNone = 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleLeftMargin = 1 << 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleWidth = 1 << 1;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleRightMargin = 1 << 2;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleTopMargin = 1 << 3;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleHeight = 1 << 4;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleBottomMargin = 1 << 5;

// A rectangle on the screen and the root of everything drawn and touched.
//
// Geometry is kept as the platform keeps it: a centre in the superview's
// coordinates, bounds (whose origin is the scroll offset of the content) and
// a transform about the centre; the frame is derived from them. Setters
// change the model at once; inside an animation block the renderer shows
// the presentation value moving from the old value to the new one (see
// animateWithDuration).
//
// Views are owned through std::shared_ptr (make them with make_shared); a
// view owns its subviews, its layer and its gesture recognisers. The
// superview is a plain back pointer that the superview clears when it lets
// the view go. Views are not copyable.
class UIView : public UIResponder {
    KIT_OBJECT(UIView, UIResponder)

public:
    explicit UIView(CGRect frame = CGRectZero);
    ~UIView() override;

    // --- Geometry (model values) ---------------------------------------

    // The bounding box of the transformed bounds, in the superview. With a
    // non-identity transform, setFrame moves the centre only.
    CGRect frame() const;
    void setFrame(CGRect);
    CGRect bounds() const { return m_bounds; }
    void setBounds(CGRect);
    CGPoint center() const { return m_center; }
    void setCenter(CGPoint);
    // Applied about the centre.
    CGAffineTransform transform() const { return m_transform; }
    void setTransform(CGAffineTransform);

    // --- Appearance ------------------------------------------------------

    // 0..1; a view below 0.01 is not touched.
    CGFloat alpha() const { return m_alpha; }
    void setAlpha(CGFloat);
    bool isHidden() const { return m_hidden; }
    virtual void setHidden(bool);
    // Nothing means clear.
    const std::shared_ptr<UIColor>& backgroundColor() const { return m_backgroundColor; }
    virtual void setBackgroundColor(std::shared_ptr<UIColor>);
    // The view's own tint or else its superview's; nothing when none is set.
    std::shared_ptr<UIColor> tintColor() const;
    void setTintColor(std::shared_ptr<UIColor> color) { m_tintColor = std::move(color); }
    bool clipsToBounds() const { return m_layer->masksToBounds(); }
    void setClipsToBounds(bool clips) { m_layer->setMasksToBounds(clips); }
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque) { m_opaque = opaque; }
    UIViewContentMode contentMode() const { return m_contentMode; }
    void setContentMode(UIViewContentMode);
    CALayer* layer() const { return m_layer.get(); }

    // --- Identity and interaction ---------------------------------------

    int64_t tag() const { return m_tag; }
    void setTag(int64_t tag) { m_tag = tag; }
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { m_userInteractionEnabled = enabled; }
    bool isMultipleTouchEnabled() const { return m_multipleTouchEnabled; }
    void setMultipleTouchEnabled(bool enabled) { m_multipleTouchEnabled = enabled; }

    // --- Hierarchy -------------------------------------------------------

    UIView* superview() const { return m_superview; }
    // The window at the root of this view's tree; nothing when it has none.
    UIWindow* window() const;
    const std::vector<std::shared_ptr<UIView>>& subviews() const { return m_subviews; }
    // Adding a view that has another superview moves it; adding a view to
    // itself or to one of its own subviews is refused with a log line.
    void addSubview(const std::shared_ptr<UIView>&);
    // The index is clamped to 0..count.
    void insertSubview(const std::shared_ptr<UIView>&, size_t index);
    void insertSubviewBelow(const std::shared_ptr<UIView>&, const UIView* sibling);
    void insertSubviewAbove(const std::shared_ptr<UIView>&, const UIView* sibling);
    void bringSubviewToFront(const UIView*);
    void sendSubviewToBack(const UIView*);
    void exchangeSubviewAtIndex(size_t index1, size_t index2);
    // Ends the view's running animations (their completions learn they did
    // not finish). The view may be destroyed by this call when its
    // superview was its last owner.
    void removeFromSuperview();
    bool isDescendantOfView(const UIView*) const;
    // This view or the first descendant (depth first, in subview order) with
    // the tag.
    UIView* viewWithTag(int64_t tag);

    // Overridable notifications; the default does nothing.
    virtual void didAddSubview(UIView*) { }
    virtual void willRemoveSubview(UIView*) { }
    virtual void willMoveToSuperview(UIView*) { }
    virtual void didMoveToSuperview() { }
    virtual void didMoveToWindow() { }

    // --- Coordinates -------------------------------------------------------

    // Between this view's bounds and another view's, through every centre,
    // bounds origin and transform on the way; nil stands for this view's
    // window (or the root of its tree when it has no window). Views in
    // different windows convert through the screen. Rectangles give the
    // bounding box of the converted corners.
    CGPoint convertPointToView(CGPoint, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint, const UIView* view) const;
    CGRect convertRectToView(CGRect, const UIView* view) const;
    CGRect convertRectFromView(CGRect, const UIView* view) const;

    // Screen points (a window's superview space is the screen).
    CGPoint convertPointToScreen(CGPoint) const;
    CGPoint convertPointFromScreen(CGPoint) const;
    // One step between this view's bounds and its superview's.
    CGPoint convertPointToSuperview(CGPoint) const;
    CGPoint convertPointFromSuperview(CGPoint) const;

    // --- Hit-testing ------------------------------------------------------

    // Whether the point (in bounds coordinates) belongs to this view: inside
    // the bounds by default (half-open). Override to widen or narrow a view's
    // touch area.
    virtual bool pointInside(CGPoint, UIEvent*);
    // The frontmost descendant (or this view) that takes a touch at the
    // point: views that are hidden, below 0.01 alpha, not interactive, or
    // moving in an animation without AllowUserInteraction are skipped with
    // their subviews; a subview is only found where the point is inside
    // this view. Hit-testing and conversions use the model values. Override
    // to redirect touches.
    virtual UIView* hitTest(CGPoint, UIEvent*);

    // --- Drawing and layout -------------------------------------------------

    // Marks the content drawn by drawRect for drawing again before the next
    // frame. Also implied by a change of the bounds' size.
    void setNeedsDisplay();
    void setNeedsDisplayInRect(CGRect) { setNeedsDisplay(); }
    // Draws the view's own content into the current context
    // (UIGraphicsGetCurrentContext), in bounds coordinates, above the
    // background colour. The default draws nothing. The result is kept until
    // setNeedsDisplay. It runs only when the screen is drawn (a screenshot,
    // the window), so what a finger meets must not wait for it: subviews are
    // placed in layoutSubviews.
    virtual void drawRect(CGRect);
    // The image shown as the layer's contents at the given run-loop time,
    // placed by the content mode above drawRect's content; nothing by
    // default (image views show their image).
    virtual std::shared_ptr<UIImage> layerContents(double now) const;

    // Asks for layoutSubviews at the end of this run-loop turn when the view
    // is in a window (drawn or not), else once it is in one and laid out.
    // Changes of the bounds' size and of the subviews ask for it too.
    void setNeedsLayout();
    // Lays out this view and its subviews now, when asked for.
    void layoutIfNeeded();
    // Overridable; the default does nothing beyond the autoresizing that has
    // already happened.
    virtual void layoutSubviews() { }

    bool autoresizesSubviews() const { return m_autoresizesSubviews; }
    void setAutoresizesSubviews(bool resizes) { m_autoresizesSubviews = resizes; }
    UIViewAutoresizing autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(UIViewAutoresizing mask) { m_autoresizingMask = mask; }

    // The size the view would like; the default is its current size.
    virtual CGSize sizeThatFits(CGSize) const;
    // Resizes the bounds to sizeThatFits, keeping the frame's origin.
    void sizeToFit();

    // --- Gesture recognisers -----------------------------------------------

    // The view owns its recognisers; adding one that belongs to another view
    // moves it.
    void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>&);
    void removeGestureRecognizer(UIGestureRecognizer*);
    const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const { return m_gestureRecognizers; }

    // --- Responder chain -----------------------------------------------------

    UIResponder* nextResponder() const override;
    // The controller whose root view this is; set by the controller.
    UIViewController* viewControllerForRootView() const;
    void setViewControllerForRootView(const std::shared_ptr<UIViewController>&);

    // --- Animations ------------------------------------------------------------
    //
    // Inside the animations function, every change of frame, bounds, centre,
    // transform, alpha and background colour of any view is recorded: the
    // model takes the new value at once, the renderer shows the value moving
    // from what was on screen to the new one along the curve, starting after
    // the delay. The completion runs on the main run loop when delay +
    // duration have passed (also when nothing changed), with finished true.
    // A property that is animated again before it arrives is taken over by
    // the new animation, and a view removed from its superview stops its
    // animations; the completions of the animations so ended run on the next
    // run-loop turn with finished false. Completions may start animations
    // (which chain from that moment) and add or remove views.
    static void animateWithDuration(double duration, double delay, UIViewAnimationOptions,
        std::function<void()> animations, std::function<void(bool finished)> completion);
    static void animateWithDuration(double duration, std::function<void()> animations,
        std::function<void(bool finished)> completion);
    static void animateWithDuration(double duration, std::function<void()> animations);
    // Changes the view's content with a transition (the TransitionCurlUp,
    // TransitionCurlDown, TransitionFlipFromLeft/Right or CrossDissolve option).
    // Properties changed in the function jump to their new values under the
    // transition unless AllowAnimatedContent is given.
    static void transitionWithView(UIView*, double duration, UIViewAnimationOptions,
        std::function<void()> animations, std::function<void(bool finished)> completion);
    // Changes made in the function are not animated, even inside an
    // animation block.
    static void performWithoutAnimation(std::function<void()>);

    // The begin/commit form. Blocks nest; each commit closes the innermost.
    // Defaults: 0.2 s, no delay, ease-in-out.
    static void beginAnimations(std::string animationID, void* context);
    static void setAnimationDuration(double seconds);
    static void setAnimationDelay(double seconds);
    static void setAnimationCurve(UIViewAnimationCurve);
    static void setAnimationRepeatCount(float) { }
    // The view's content as it is now goes away with the transition while
    // the content changed in the block comes in; cache is accepted and has
    // no effect on the result.
    static void setAnimationTransition(UIViewAnimationTransition, UIView* forView, bool cache);
    // setAnimationDelegate: + setAnimationDidStopSelector: as one callback,
    // called like the completion with the block's ID and context.
    static void setAnimationDidStopCallback(std::function<void(const std::string& animationID, bool finished, void* context)>);
    static void commitAnimations();

    // When off, changes are never animated and completions still run.
    static void setAnimationsEnabled(bool);
    static bool areAnimationsEnabled();

    // --- Presentation (what the renderer shows now) ---------------------------

    struct Presentation {
        CGPoint center;
        CGRect bounds;
        CGAffineTransform transform;
        CGFloat alpha { 1 };
        animation::Color backgroundColor;
    };
    // At the main run loop's current time.
    Presentation presentation() const;
    Presentation presentationAt(double now) const;
    bool hasRunningAnimations() const;
    // Whether an animation that does not allow user interaction is running.
    bool isAnimatingWithoutInteraction(double now) const;
    // The transition running on this view at that time, if any.
    const animation::Transition* runningTransition(double now) const;

    // Animation machinery only.
    void addPropertyAnimation(animation::PropertyAnimation);
    void setTransition(animation::Transition);
    std::optional<animation::Value> presentationValue(animation::Property, double now) const;
    animation::Value modelValue(animation::Property) const;

    // Renderer only: the drawRect content kept for the given pixel scale.
    struct BackingStore {
        CGImageRef image;
        CGSize size;
        CGFloat scale { 0 };
        bool valid { false };
    };
    BackingStore& backingStore() { return m_backingStore; }

protected:
    // Subviews' frames follow the autoresizing masks when the bounds' size
    // changes from old to new.
    void resizeSubviews(CGSize oldSize);

private:
    void insertSubviewAt(const std::shared_ptr<UIView>&, size_t index);
    void detachSubview(size_t index);
    void boundsSizeChanged(CGSize oldSize);
    void moveToWindow(UIWindow* oldWindow);
    void endAnimations();
    void recordChange(animation::Property);
    static animation::Color colorComponents(const UIColor*);

    CGPoint m_center;
    CGRect m_bounds;
    CGAffineTransform m_transform;
    CGFloat m_alpha { 1 };
    bool m_hidden { false };
    bool m_opaque { true };
    bool m_userInteractionEnabled { true };
    bool m_multipleTouchEnabled { false };
    bool m_autoresizesSubviews { true };
    bool m_needsLayout { true };
    UIViewAutoresizing m_autoresizingMask { UIViewAutoresizingNone };
    UIViewContentMode m_contentMode { UIViewContentModeScaleToFill };
    int64_t m_tag { 0 };
    std::shared_ptr<UIColor> m_backgroundColor;
    std::shared_ptr<UIColor> m_tintColor;
    std::shared_ptr<CALayer> m_layer;

    UIView* m_superview { nullptr };
    std::vector<std::shared_ptr<UIView>> m_subviews;
    std::vector<std::shared_ptr<UIGestureRecognizer>> m_gestureRecognizers;
    std::weak_ptr<UIViewController> m_viewController;

    std::vector<animation::PropertyAnimation> m_animations;
    std::optional<animation::Transition> m_transition;
    BackingStore m_backingStore;
};

}
