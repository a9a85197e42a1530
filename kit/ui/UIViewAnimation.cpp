// UIView's animations: the block and begin/commit forms, the recording of
// model changes, and the presentation values the renderer draws.
#include "kit/ui/UIView.h"

#include "kit/foundation/RunLoop.h"
#include "kit/ui/Renderer.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIScreen.h"

#include <algorithm>

namespace kit {

using namespace animation;

// --- Groups ----------------------------------------------------------------------

void Group::scheduleCompletion(const std::shared_ptr<Group>& group, double delay)
{
    if (auto previous = group->task.lock())
        previous->cancel();
    group->task = RunLoop::main().schedule(delay, [group] { complete(group); });
}

void Group::interrupt(const std::weak_ptr<Group>& weak)
{
    auto group = weak.lock();
    if (!group || group->done)
        return;
    group->finished = false;
    if (--group->running <= 0)
        scheduleCompletion(group, 0);
}

void Group::complete(const std::shared_ptr<Group>& group)
{
    if (group->done)
        return;
    group->done = true;
    auto completion = std::move(group->completion);
    group->completion = nullptr;
    if (completion)
        completion(group->finished);
}

// --- Open animation blocks -----------------------------------------------------------

namespace {

struct Change {
    std::weak_ptr<Object> view;
    const UIView* address;
    Property property;
    Value from;
};

struct Block {
    std::string animationID;
    void* context { nullptr };
    double duration { 0.2 };
    double delay { 0 };
    UIViewAnimationCurve curve { UIViewAnimationCurveEaseInOut };
    bool repeats { false };
    bool autoreverses { false };
    bool allowsUserInteraction { false };
    // performWithoutAnimation: records nothing.
    bool suppressed { false };
    UIViewAnimationTransition transition { UIViewAnimationTransitionNone };
    std::weak_ptr<Object> transitionView;
    CGImageRef before;
    CGFloat beforeScale { 1 };
    std::function<void(bool)> completion;
    std::function<void(const std::string&, bool, void*)> didStop;
    std::vector<Change> changes;
};

std::vector<Block>& openBlocks()
{
    static std::vector<Block> blocks;
    return blocks;
}

bool& animationsEnabledFlag()
{
    static bool enabled = true;
    return enabled;
}

Block* currentBlock()
{
    auto& blocks = openBlocks();
    return blocks.empty() ? nullptr : &blocks.back();
}

void takeSnapshot(Block& block, UIView* view, UIViewAnimationTransition transition)
{
    if (!view || transition == UIViewAnimationTransitionNone || !animationsEnabledFlag())
        return;
    block.transition = transition;
    block.transitionView = view->weak_from_this();
    block.beforeScale = UIScreen::mainScreen()->scale();
    block.before = Renderer::snapshotView(view, block.beforeScale);
}

void commit(Block block)
{
    auto group = std::make_shared<Group>();
    if (block.didStop) {
        group->completion = [didStop = std::move(block.didStop), animationID = block.animationID,
                                context = block.context, completion = std::move(block.completion)](bool finished) {
            if (completion)
                completion(finished);
            didStop(animationID, finished, context);
        };
    } else {
        group->completion = std::move(block.completion);
    }

    double now = RunLoop::main().now();
    double duration = std::max(0.0, block.duration);
    double delay = std::max(0.0, block.delay);
    Timing timing { now + delay, duration, block.curve, block.repeats && duration > 0, block.autoreverses };
    bool animates = duration > 0 && animationsEnabledFlag();

    if (animates) {
        for (auto& change : block.changes) {
            auto view = std::dynamic_pointer_cast<UIView>(change.view.lock());
            if (!view)
                continue;
            Value to = view->modelValue(change.property);
            if (to == change.from)
                continue;
            ++group->running;
            view->addPropertyAnimation({ change.property, change.from, to, timing, group,
                timing.repeats ? group : nullptr, block.allowsUserInteraction });
        }
        auto transitionView = std::dynamic_pointer_cast<UIView>(block.transitionView.lock());
        if (transitionView && block.before) {
            ++group->running;
            transitionView->setTransition({ block.transition, block.before, block.beforeScale, timing, group,
                timing.repeats ? group : nullptr });
        }
    }
    if (timing.repeats && group->running > 0)
        return;
    Group::scheduleCompletion(group, delay + (animates ? duration * (block.autoreverses ? 2 : 1) : duration));
}

}

// --- UIView's class methods -------------------------------------------------------------

void UIView::animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
    std::function<void()> animations, std::function<void(bool)> completion)
{
    Block block;
    block.duration = duration;
    block.delay = delay;
    block.curve = UIViewAnimationCurve((options >> 16) & 3);
    block.repeats = options & UIViewAnimationOptionRepeat;
    block.autoreverses = options & UIViewAnimationOptionAutoreverse;
    block.allowsUserInteraction = options & UIViewAnimationOptionAllowUserInteraction;
    block.completion = std::move(completion);
    openBlocks().push_back(std::move(block));
    if (animations)
        animations();
    Block finished = std::move(openBlocks().back());
    openBlocks().pop_back();
    commit(std::move(finished));
}

void UIView::animateWithDuration(double duration, std::function<void()> animations, std::function<void(bool)> completion)
{
    animateWithDuration(duration, 0, 0, std::move(animations), std::move(completion));
}

void UIView::animateWithDuration(double duration, std::function<void()> animations)
{
    animateWithDuration(duration, 0, 0, std::move(animations), nullptr);
}

void UIView::transitionWithView(UIView* view, double duration, UIViewAnimationOptions options,
    std::function<void()> animations, std::function<void(bool)> completion)
{
    Block block;
    block.duration = duration;
    block.curve = UIViewAnimationCurve((options >> 16) & 3);
    block.completion = std::move(completion);
    // The transition shows the change; the properties changed in it jump,
    // unless animated content is asked for.
    block.suppressed = !(options & UIViewAnimationOptionAllowAnimatedContent);
    takeSnapshot(block, view, UIViewAnimationTransition((options >> 20) & 7));
    openBlocks().push_back(std::move(block));
    if (animations)
        animations();
    Block finished = std::move(openBlocks().back());
    openBlocks().pop_back();
    commit(std::move(finished));
}

void UIView::performWithoutAnimation(std::function<void()> changes)
{
    Block block;
    block.suppressed = true;
    openBlocks().push_back(std::move(block));
    if (changes)
        changes();
    openBlocks().pop_back();
}

void UIView::beginAnimations(std::string animationID, void* context)
{
    Block block;
    block.animationID = std::move(animationID);
    block.context = context;
    openBlocks().push_back(std::move(block));
}

void UIView::setAnimationDuration(double seconds)
{
    if (auto* block = currentBlock())
        block->duration = seconds;
}

void UIView::setAnimationDelay(double seconds)
{
    if (auto* block = currentBlock())
        block->delay = seconds;
}

void UIView::setAnimationCurve(UIViewAnimationCurve curve)
{
    if (auto* block = currentBlock())
        block->curve = curve;
}

void UIView::setAnimationTransition(UIViewAnimationTransition transition, UIView* view, bool)
{
    if (auto* block = currentBlock())
        takeSnapshot(*block, view, transition);
}

void UIView::setAnimationDidStopCallback(std::function<void(const std::string&, bool, void*)> callback)
{
    if (auto* block = currentBlock())
        block->didStop = std::move(callback);
}

void UIView::commitAnimations()
{
    auto& blocks = openBlocks();
    if (blocks.empty() || blocks.back().suppressed)
        return;
    Block block = std::move(blocks.back());
    blocks.pop_back();
    commit(std::move(block));
}

void UIView::setAnimationsEnabled(bool enabled)
{
    animationsEnabledFlag() = enabled;
}

bool UIView::areAnimationsEnabled()
{
    return animationsEnabledFlag();
}

// --- Recording and presentation -------------------------------------------------------------

void UIView::recordChange(Property property)
{
    Block* block = currentBlock();
    if (!block || block->suppressed || !animationsEnabledFlag())
        return;
    for (auto& change : block->changes)
        if (change.address == this && change.property == property)
            return;
    auto self = weak_from_this();
    if (self.expired())
        return;
    double now = RunLoop::main().now();
    block->changes.push_back({ self, this, property, presentationValue(property, now).value_or(modelValue(property)) });
}

Value UIView::modelValue(Property property) const
{
    switch (property) {
    case Property::Center:
        return m_center;
    case Property::Bounds:
        return m_bounds;
    case Property::Transform:
        return m_transform;
    case Property::Alpha:
        return double(m_alpha);
    case Property::BackgroundColor:
        return colorComponents(m_backgroundColor.get());
    }
    return 0.0;
}

std::optional<Value> UIView::presentationValue(Property property, double now) const
{
    for (auto& running : m_animations) {
        if (running.property != property)
            continue;
        if (running.timing.isOver(now))
            return std::nullopt;
        return interpolate(running.from, running.to, running.timing.progress(now));
    }
    return std::nullopt;
}

UIView::Presentation UIView::presentation() const
{
    return presentationAt(RunLoop::main().now());
}

UIView::Presentation UIView::presentationAt(double now) const
{
    Presentation p { m_center, m_bounds, m_transform, m_alpha, colorComponents(m_backgroundColor.get()) };
    for (auto& running : m_animations) {
        if (running.timing.isOver(now))
            continue;
        Value value = interpolate(running.from, running.to, running.timing.progress(now));
        switch (running.property) {
        case Property::Center:
            p.center = std::get<CGPoint>(value);
            break;
        case Property::Bounds:
            p.bounds = std::get<CGRect>(value);
            break;
        case Property::Transform:
            p.transform = std::get<CGAffineTransform>(value);
            break;
        case Property::Alpha:
            p.alpha = std::get<double>(value);
            break;
        case Property::BackgroundColor:
            p.backgroundColor = std::get<Color>(value);
            break;
        }
    }
    return p;
}

bool UIView::isAnimatingWithoutInteraction(double now) const
{
    return std::any_of(m_animations.begin(), m_animations.end(),
        [&](auto& a) { return !a.allowsUserInteraction && !a.timing.isOver(now); });
}

bool UIView::hasRunningAnimations() const
{
    double now = RunLoop::main().now();
    if (m_transition && !m_transition->timing.isOver(now))
        return true;
    return std::any_of(m_animations.begin(), m_animations.end(), [&](auto& a) { return !a.timing.isOver(now); });
}

const Transition* UIView::runningTransition(double now) const
{
    if (m_transition && !m_transition->timing.isOver(now))
        return &*m_transition;
    return nullptr;
}

void UIView::addPropertyAnimation(PropertyAnimation added)
{
    double now = RunLoop::main().now();
    std::vector<std::weak_ptr<Group>> interrupted;
    std::erase_if(m_animations, [&](PropertyAnimation& running) {
        if (running.timing.isOver(now))
            return true;
        if (running.property != added.property)
            return false;
        interrupted.push_back(running.group);
        return true;
    });
    m_animations.push_back(std::move(added));
    for (auto& group : interrupted)
        Group::interrupt(group);
}

void UIView::setTransition(Transition transition)
{
    std::optional<Transition> previous = std::move(m_transition);
    m_transition = std::move(transition);
    if (previous && !previous->timing.isOver(RunLoop::main().now()))
        Group::interrupt(previous->group);
}

void UIView::endAnimations()
{
    if (m_animations.empty() && !m_transition)
        return;
    double now = RunLoop::main().now();
    std::vector<std::weak_ptr<Group>> interrupted;
    for (auto& running : m_animations)
        if (!running.timing.isOver(now))
            interrupted.push_back(running.group);
    m_animations.clear();
    if (m_transition && !m_transition->timing.isOver(now))
        interrupted.push_back(m_transition->group);
    m_transition.reset();
    for (auto& group : interrupted)
        Group::interrupt(group);
}

}
