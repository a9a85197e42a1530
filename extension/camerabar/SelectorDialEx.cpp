#include "extension/camerabar/SelectorDialEx.h"

#include "extension/camerabar/OneFingerRotationGestureRecognizer.h"
#include "extension/camerabar/SelectorDialGeometry.h"
#include "extension/startup/VantorHelper.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITapGestureRecognizer.h"

#include <cstdio>
#include <numbers>
#include <string>

namespace vantor {

KIT_REGISTER_CLASS(SelectorDialEx);

namespace {

constexpr const char* resourceFolder = "/Library/Application Support/Vantor2/";
constexpr const char* digitsFontName = "TrebuchetMS-Bold";
constexpr kit::UIWindowLevel dialWindowLevel = 1500;

std::shared_ptr<kit::UIImage> resourceImage(const std::string& relativePath)
{
    return kit::UIImage::imageWithContentsOfFile(resourceFolder + relativePath);
}

// An image view the size of its image (empty when the file is missing).
std::shared_ptr<kit::UIImageView> imageViewAt(kit::CGPoint origin, const std::string& relativePath)
{
    auto view = std::make_shared<kit::UIImageView>(resourceImage(relativePath));
    kit::CGRect frame = view->frame();
    frame.origin = origin;
    view->setFrame(frame);
    return view;
}

std::shared_ptr<kit::UILabel> dialLabel(kit::CGRect frame, const char* fontName, double size)
{
    auto label = std::make_shared<kit::UILabel>(frame);
    label->setFont(kit::UIFont::fontWithName(fontName, size));
    label->setTextAlignment(kit::NSTextAlignmentCenter);
    label->setAdjustsFontSizeToFitWidth(false);
    label->setShadowColor(kit::UIColor::whiteColor());
    label->setShadowOffset(kit::CGSize { 1, 0 });
    label->setBackgroundColor(kit::UIColor::clearColor());
    return label;
}

std::string digits(int32_t value) { return std::to_string(value); }

const char* unitText(int64_t timeType)
{
    switch (timeType) {
    case SelectorDialEx::TimeTypeMinutes:
        return "min";
    case SelectorDialEx::TimeTypeSeconds:
        return "sec";
    default:
        return "";
    }
}

}

std::shared_ptr<SelectorDialEx> SelectorDialEx::initWithFrame(kit::CGRect frame)
{
    std::shared_ptr<SelectorDialEx> dial(new SelectorDialEx(frame));
    dial->attachRecognizers();
    return dial;
}

SelectorDialEx::SelectorDialEx(kit::CGRect frame)
    : kit::UIWindow(frame)
{
    setWindowLevel(dialWindowLevel);
    setBackgroundColor(kit::UIColor::clearColor());
    setOpaque(false);
    setClipsToBounds(true);

    m_outerRing = imageViewAt({ 0, 0 }, "SelectorView/circularSelectorOuter@2x.png");
    m_outerRing->setUserInteractionEnabled(true);
    addSubview(m_outerRing);

    m_innerCircle = imageViewAt({ 81.5, 85 }, "SelectorView/circularSelectorInner@2x.png");
    m_innerCircle->setUserInteractionEnabled(true);
    addSubview(m_innerCircle);

    m_timeLbl = dialLabel(kit::CGRectMake(15, 15, 102, 79), digitsFontName, largeDigitsSize);
    m_timeLbl->setUserInteractionEnabled(true);
    m_innerCircle->addSubview(m_timeLbl);

    m_bottomLbl = dialLabel(kit::CGRectMake(26, 90, 78, 27), "Verdana", 22);
    m_innerCircle->addSubview(m_bottomLbl);

    setSelectionImageViews();
    m_minTime = 3;
}

SelectorDialEx::~SelectorDialEx()
{
    m_outerRing.reset();
    m_innerCircle.reset();
    m_bottomLbl.reset();
    m_timeLbl.reset();
}

void SelectorDialEx::attachRecognizers()
{
    auto self = std::static_pointer_cast<SelectorDialEx>(shared_from_this());
    m_outerRing->addGestureRecognizer(
        std::make_shared<OneFingerRotationGestureRecognizer>(kit::Action(self, &SelectorDialEx::rotateByTouch)));
    m_innerCircle->addGestureRecognizer(
        std::make_shared<kit::UITapGestureRecognizer>(kit::Action(self, &SelectorDialEx::innerCircleTap)));
    m_timeLbl->addGestureRecognizer(
        std::make_shared<kit::UITapGestureRecognizer>(kit::Action(self, &SelectorDialEx::innerCircleTap)));
}

void SelectorDialEx::setSelectionImageViews()
{
    for (int index = 1; index <= dial::markCount; ++index) {
        auto mark = std::make_shared<kit::UIImageView>();
        setImage(mark, index);
        m_outerRing->addSubview(mark);
    }
}

void SelectorDialEx::setImage(const std::shared_ptr<kit::UIImageView>& mark, int index)
{
    char name[48];
    std::snprintf(name, sizeof name, "SelectorView/%d_@2x.png", index);
    mark->setImage(resourceImage(name));
    kit::CGSize size = mark->image() ? mark->image()->size() : kit::CGSize {};
    mark->setBounds(kit::CGRectMake(0, 0, size.width, size.height));
    mark->setCenter(dial::markCentre(index));
    mark->setTag(dial::markTagBase + index);
    mark->setHidden(true);
}

kit::UIImageView* SelectorDialEx::markAt(int index) const
{
    if (index < 1 || index > dial::markCount || !m_outerRing)
        return nullptr;
    return dynamic_cast<kit::UIImageView*>(m_outerRing->viewWithTag(dial::markTagBase + index));
}

void SelectorDialEx::showMarksForValue(int32_t value)
{
    int32_t step = dial::scaleForMaxTime(m_maxTime).markStep;
    for (int index = 1; index <= dial::markCount; ++index) {
        if (auto* mark = markAt(index))
            mark->setHidden(!dial::isMarkVisible(index, value, step));
    }
}

void SelectorDialEx::setDigitsSize(double pointSize)
{
    auto& font = m_timeLbl->font();
    if (font && font->pointSize() == pointSize)
        return;
    m_timeLbl->setFont(kit::UIFont::fontWithName(digitsFontName, pointSize));
}

void SelectorDialEx::showValue(int32_t value)
{
    setDigitsSize(value < 100 ? largeDigitsSize : smallDigitsSize);
    m_timeLbl->setText(digits(value));
}

void SelectorDialEx::setCurrentTime(int32_t v)
{
    dial::Scale scale = dial::scaleForMaxTime(m_maxTime);
    if (m_maxTime == 60 && m_selectorDialType == SelectorDialTypeTimeLapse && m_timeType == TimeTypeSeconds) {
        m_minTime = 3;
        v = std::max(v, 3);
    } else if (m_maxTime == 60 || m_maxTime == 120) {
        m_minTime = 1;
    } else if (m_selectorDialType == SelectorDialTypeTimer) {
        m_minTime = 3;
    } else if (m_selectorDialType == SelectorDialTypeFrames) {
        m_minTime = 1;
    }
    // A stored value beyond this dial's range (a frame rate the device no
    // longer offers) would put the ring past a full turn, where no turning
    // is accepted any more.
    if (m_maxTime > 0)
        v = std::min(v, m_maxTime);

    m_currentTime = v;
    showMarksForValue(v);
    m_currentAngle = v * scale.degreesPerUnit;
    showValue(v);
}

void SelectorDialEx::setSelectorDialType(int64_t type)
{
    m_selectorDialType = type;
    switch (type) {
    case SelectorDialTypeTimeLapse:
        m_bottomLbl->setText(unitText(m_timeType));
        m_minTime = m_timeType == TimeTypeMinutes ? 1 : 3;
        m_maxTime = 60;
        break;
    case SelectorDialTypeTimer:
        m_timeType = TimeTypeSeconds;
        m_bottomLbl->setText(unitText(TimeTypeSeconds));
        m_minTime = 3;
        m_maxTime = 30;
        break;
    case SelectorDialTypeFrames:
        m_bottomLbl->setText("FPS");
        m_minTime = 2;
        m_maxTime = m_maxFrameRate;
        break;
    default:
        break;
    }
}

void SelectorDialEx::setTimeType(int64_t type)
{
    m_timeType = type;
    m_bottomLbl->setText(unitText(type));
    if (type == TimeTypeMinutes)
        m_minTime = 1;
    else if (type == TimeTypeSeconds)
        m_minTime = 3;
}

int64_t SelectorDialEx::toggleTimeType()
{
    if (m_timeType == TimeTypeMinutes) {
        m_timeType = TimeTypeSeconds;
        m_minTime = 3;
        if (m_currentTime < 3) {
            // Seconds start at 3: the value moves up to it, lit as on the
            // seconds scale (one mark per 2 units).
            m_currentTime = 3;
            m_currentAngle = 3 * 6;
            m_timeLbl->setText(digits(3));
            for (int index = 1; index <= 3; ++index) {
                if (auto* mark = markAt(index))
                    mark->setHidden(!dial::isMarkVisible(index, 3, 2));
            }
        }
    } else {
        m_timeType = TimeTypeMinutes;
        m_minTime = 1;
    }
    setTimeType(m_timeType);
    return m_timeType;
}

void SelectorDialEx::setCountdownTime(int32_t seconds) { m_timeLbl->setText(digits(seconds)); }

void SelectorDialEx::rotateByTouch(kit::id recognizer)
{
    auto* rotation = kit::cast<OneFingerRotationGestureRecognizer>(recognizer);
    if (!rotation)
        return;
    double angle = m_currentAngle + rotation->rotation() * 180 / std::numbers::pi;
    dial::Scale scale = dial::scaleForMaxTime(m_maxTime);
    double lowest = m_minTime * scale.degreesPerUnit;
    // A dial that starts below its smallest value (nothing chosen yet) could
    // never be turned in small steps; the first turn clockwise takes it to
    // the smallest value.
    if (angle < lowest && m_currentAngle < lowest && rotation->rotation() > 0)
        angle = lowest;
    if (angle >= 360 || angle < lowest)
        return;

    m_currentAngle = angle;
    int32_t value = angle > 356 ? m_maxTime : int32_t(angle / scale.degreesPerUnit);
    m_currentTime = value;
    showMarksForValue(value);
    showValue(value);
}

void SelectorDialEx::innerCircleTap(kit::id recognizer)
{
    if (m_selectorDialType < SelectorDialTypeTimeLapse || m_selectorDialType > SelectorDialTypeFrames)
        return;
    if (auto delegate = m_delegate.lock())
        delegate->InnerCircleTapped(recognizer);
}

void SelectorDialEx::removeOuterRing() { m_outerRing->setHidden(true); }

void SelectorDialEx::removeInnerCircle() { m_innerCircle->setHidden(true); }

void SelectorDialEx::showInnerCircle()
{
    if (m_innerCircle->isHidden())
        m_innerCircle->setHidden(false);
}

void SelectorDialEx::_rotate()
{
    kit::CGAffineTransform turn = VantorHelper::getTransformation();
    auto self = std::static_pointer_cast<SelectorDialEx>(shared_from_this());
    kit::UIView::animateWithDuration(0.4, [self, turn] { self->setTransform(turn); });
}

}
