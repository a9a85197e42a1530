// The extension's items on the host's bars: the low-memory label, the torch
// button, the top bar's layout and hit test, and the bottom bar's height.

#include "HooksTest.h"

#include "extension/elements/CustomTransparentFilledLabel.h"
#include "extension/hooks/BarItems.h"

#include "kit/ui/UIButton.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

namespace {

using hookstest::sel;

// Another add-on's HDR button, as a QR-code scanner puts it into the top bar.
class D7CAMHDRButton final : public kit::UIButton {
    KIT_OBJECT(D7CAMHDRButton, kit::UIButton)

public:
    explicit D7CAMHDRButton(const std::string& title)
        : UIButton(kit::CGRectMake(20, 2, 60, 36))
    {
        setTitle(title, kit::UIControlStateNormal);
    }
};

class BarItems : public hookstest::HooksTest {
protected:
    void start(bool showMemoryWarning = true)
    {
        launch("iPhone6,1", false, { { "showMemoryWarning", showMemoryWarning } });
        m_phone->advance(1);
    }

    kit::UIView* topBar() const { return hookstest::findView("CAMTopBar"); }
    kit::UIView* bottomBar() const { return hookstest::findView("CAMBottomBar"); }

    void layOutTopBar()
    {
        topBar()->setNeedsLayout();
        topBar()->layoutIfNeeded();
    }

    std::shared_ptr<D7CAMHDRButton> placeAddOnButton(const std::string& title)
    {
        auto button = std::make_shared<D7CAMHDRButton>(title);
        topBar()->addSubview(button);
        return button;
    }
};

// --- The low-memory label.

TEST_F(BarItems, AMemoryWarningShowsLowMemOnceOverThePreview)
{
    start();
    EXPECT_EQ(vantor::getMemoryWarningLblFrame(), kit::CGRectMake(180, 428, 75, 22)) << "320 x 568, upright";
    m_phone->memoryWarning();
    auto label = vantor::memoryWarningLbl;
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->isKindOfClassNamed("CustomTransparentFilledLabel"));
    EXPECT_NE(label->text().find("Low Mem"), std::string::npos);
    EXPECT_EQ(label->superview(), view());
    EXPECT_EQ(label->center(), kit::CGPointMake(280, 453)) << "centred for the way the device is held, in a photo mode";
    EXPECT_EQ(label->transform(), kit::CGAffineTransformIdentity);
    EXPECT_EQ(label->alpha(), 1) << "the model value is set at once";
    EXPECT_LT(label->presentation().alpha, 0.01) << "and fades in";
    m_phone->advance(0.1);
    EXPECT_NEAR(label->presentation().alpha, 0.5, 0.05) << "linearly, over 0.2 s";

    m_phone->memoryWarning();
    EXPECT_EQ(vantor::memoryWarningLbl, label) << "a second warning changes nothing";
    EXPECT_EQ(label->center(), kit::CGPointMake(280, 453));
}

TEST_F(BarItems, AMemoryWarningWithTheLabelSwitchedOffShowsNothing)
{
    start(false);
    m_phone->memoryWarning();
    m_phone->advance(0.5);
    EXPECT_FALSE(vantor::memoryWarningLbl);
    EXPECT_EQ(hookstest::findView("CustomTransparentFilledLabel"), nullptr);
}

TEST_F(BarItems, TheMemoryLabelIsMadeTurnedWhenTheDeviceIsOnItsSide)
{
    start();
    m_phone->setOrientation(4);
    m_phone->advance(0.5);
    EXPECT_EQ(vantor::getMemoryWarningLblFrame(), kit::CGRectMake(25, 320 - 140, 75, 22));
    m_phone->memoryWarning();
    ASSERT_TRUE(vantor::memoryWarningLbl);
    EXPECT_EQ(vantor::memoryWarningLbl->center(), kit::CGPointMake(320 - 15, 85));
    EXPECT_EQ(vantor::memoryWarningLbl->transform(), (kit::CGAffineTransform { 0, -1, 1, 0, 0, 0 }));
}

TEST_F(BarItems, InAVideoModeTheMemoryLabelKeepsItsFrameUnturned)
{
    start();
    ASSERT_TRUE(m_phone->setCameraMode(1));
    m_phone->advance(1);
    m_phone->memoryWarning();
    ASSERT_TRUE(vantor::memoryWarningLbl);
    EXPECT_EQ(vantor::memoryWarningLbl->frame(), kit::CGRectMake(180, 428, 75, 22));
}

// --- The torch button.

TEST_F(BarItems, TheTorchButtonIsMadeOnceHiddenThenShownWhereTheCameraHasATorch)
{
    start();
    vantor::showBulb = true;
    vantor::createAndShowBulbView(kit::Action());
    auto bulb = vantor::bulbView;
    ASSERT_TRUE(bulb);
    EXPECT_EQ(bulb->tag(), 104);
    EXPECT_EQ(bulb->frame(), kit::CGRectMake(75, 9, 25, 25));
    EXPECT_EQ(bulb->superview(), topBar());
    EXPECT_EQ(bulb->alpha(), 0);
    EXPECT_TRUE(bulb->isUserInteractionEnabled());

    vantor::bulbViewOn = true;
    vantor::createAndShowBulbView(kit::Action());
    EXPECT_EQ(vantor::bulbView, bulb);
    EXPECT_EQ(bulb->alpha(), 1) << "the back camera of an iPhone 5s has a torch";
    EXPECT_TRUE(bulb->isHighlighted());

    ASSERT_TRUE(m_phone->setCameraDevice(1));
    vantor::bulbViewOn = false;
    vantor::createAndShowBulbView(kit::Action());
    EXPECT_EQ(bulb->alpha(), 0) << "the front camera has none";
    EXPECT_FALSE(bulb->isHighlighted());
}

TEST_F(BarItems, TheTorchButtonIsNeverOfferedByTheSettings)
{
    start();
    EXPECT_FALSE(vantor::showBulb);
    EXPECT_FALSE(vantor::bulbView);
    EXPECT_EQ(topBar()->viewWithTag(104), nullptr);
}

// --- The top bar.

TEST_F(BarItems, InVideoTheWhiteBalanceLabelSitsInTheTopBarsCornerForTheOrientation)
{
    start();
    vantor::whiteBalanceLockLbl = std::make_shared<vantor::CustomTransparentFilledLabel>();
    topBar()->addSubview(vantor::whiteBalanceLockLbl);
    ASSERT_TRUE(m_phone->setCameraMode(1));
    m_phone->advance(1);
    double width = topBar()->frame().size.width;

    layOutTopBar();
    EXPECT_EQ(vantor::whiteBalanceLockLbl->frame(), kit::CGRectMake(width - 85, 55.5, 75, 22));
    m_phone->setOrientation(4);
    m_phone->advance(0.5);
    layOutTopBar();
    EXPECT_EQ(vantor::whiteBalanceLockLbl->frame(), kit::CGRectMake(width + 280, 10, 75, 22));
    m_phone->setOrientation(3);
    m_phone->advance(0.5);
    layOutTopBar();
    EXPECT_EQ(vantor::whiteBalanceLockLbl->frame(), kit::CGRectMake(width - 150, 10, 75, 22));
}

TEST_F(BarItems, TheHorizonButtonSitsBesideTheCameraSwitch)
{
    start();
    vantor::horizonAlignmentBtn = std::make_shared<kit::UIImageView>(kit::CGRectMake(0, 6, 30, 28));
    topBar()->addSubview(vantor::horizonAlignmentBtn);
    layOutTopBar();
    auto* flip = kit::cast<kit::UIView>(kit::msgSend<kit::id>(topBar(), sel("flipButton")));
    ASSERT_TRUE(flip);
    EXPECT_EQ(vantor::horizonAlignmentBtn->frame(), kit::CGRectMake(flip->frame().origin.x - 35, 6, 30, 28));

    ASSERT_TRUE(m_phone->setCameraMode(1));
    m_phone->setOrientation(4);
    m_phone->advance(1);
    layOutTopBar();
    EXPECT_EQ(vantor::horizonAlignmentBtn->frame().origin.x, 275);
    m_phone->setOrientation(3);
    m_phone->advance(1);
    layOutTopBar();
    EXPECT_EQ(vantor::horizonAlignmentBtn->frame().origin.x, -40);
}

TEST_F(BarItems, TheHDRMenuHidesTheHorizonButtonWhileItIsOpen)
{
    start();
    vantor::horizonAlignmentBtn = std::make_shared<kit::UIImageView>(kit::CGRectMake(0, 6, 30, 28));
    topBar()->addSubview(vantor::horizonAlignmentBtn);
    auto* hdr = hookstest::findView("CAMHDRButton");
    ASSERT_TRUE(hdr);
    kit::msgSend(hdr, sel("_notifyWillExpand"));
    EXPECT_TRUE(vantor::horizonAlignmentBtn->isHidden());
    kit::msgSend(hdr, sel("_notifyDidCollapse"));
    EXPECT_FALSE(vantor::horizonAlignmentBtn->isHidden());
}

TEST_F(BarItems, AnotherAddOnsQRButtonIsMovedAsideAndTheScanStopsThere)
{
    start();
    auto plain = placeAddOnButton("HDR");
    auto scanner = placeAddOnButton("QR Code");
    auto second = placeAddOnButton("QR again");
    layOutTopBar();
    EXPECT_EQ(plain->frame().origin.x, 20) << "no QR in its text";
    EXPECT_EQ(scanner->frame(), kit::CGRectMake(180, 2, 60, 36));
    EXPECT_EQ(second->frame().origin.x, 20) << "only the first is moved";

    auto* hostHDR = hookstest::findView("CAMHDRButton");
    auto before = hostHDR->frame();
    layOutTopBar();
    EXPECT_EQ(hostHDR->frame(), before) << "the host's own HDR button answers _notifyDidCollapse and stays";
}

TEST_F(BarItems, TheTopBarTakesTouchesOnTheTimestampLabelAndTheHorizonButton)
{
    start();
    auto pointInside = [&](kit::CGPoint point) {
        return kit::msgSend<bool, kit::CGPoint, kit::UIEvent*>(topBar(), sel("pointInside:withEvent:"), point, nullptr);
    };
    double height = topBar()->bounds().size.height;
    kit::CGPoint belowTheBar { 100, height + 20 };
    EXPECT_FALSE(pointInside(belowTheBar));

    vantor::timestampLbl = std::make_shared<kit::UILabel>(kit::CGRectMake(80, height + 10, 100, 22));
    topBar()->addSubview(vantor::timestampLbl);
    EXPECT_TRUE(pointInside(belowTheBar)) << "the host says no, the label says yes";
    EXPECT_FALSE(pointInside({ 300, height + 20 }));

    vantor::horizonAlignmentBtn = std::make_shared<kit::UIImageView>(kit::CGRectMake(280, height + 5, 30, 30));
    EXPECT_TRUE(pointInside({ 300, height + 20 }));
}

// --- The bottom bar.

TEST_F(BarItems, TheFirstBottomBarLayoutFixesTheButtonBarHeightUntilTheTeardown)
{
    start();
    auto* bar = bottomBar();
    ASSERT_TRUE(bar);
    int32_t height = int32_t(bar->frame().size.height);
    EXPECT_EQ(vantor::kCameraButtonBarHeight, height);

    auto frame = bar->frame();
    frame.size.height += 40.7;
    bar->setFrame(frame);
    bar->layoutIfNeeded();
    EXPECT_EQ(vantor::kCameraButtonBarHeight, height) << "a later layout of the same bar";

    kit::msgSend(bar, sel("layoutSubviews"));
    EXPECT_EQ(vantor::kCameraButtonBarHeight, height);

    vantor::_CAMBottomBar.reset();
    kit::msgSend(bar, sel("layoutSubviews"));
    EXPECT_EQ(vantor::kCameraButtonBarHeight, int32_t(frame.size.height)) << "the integer part of the new height";
}

}
