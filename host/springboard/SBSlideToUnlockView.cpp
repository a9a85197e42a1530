#include "host/springboard/SBSlideToUnlockView.h"

#include "host/springboard/SpringBoardArtwork.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"

namespace host {

KIT_REGISTER_CLASS(SBSlideToUnlockView);

SBSlideToUnlockView::SBSlideToUnlockView(kit::CGFloat width)
    : UIView(kit::CGRectMake(0, 0, width, height))
{
    setUserInteractionEnabled(false);
    setBackgroundColor(kit::UIColor::clearColor());
    setOpaque(false);
    auto font = kit::UIFont::fontWithName("DejaVuSans-ExtraLight", 24);
    m_label = std::make_shared<kit::UILabel>(kit::CGRectMake(0, 0, width, height));
    m_label->setText(text);
    m_label->setFont(font);
    m_label->setTextColor(kit::UIColor::colorWithWhite(1, 0.9));
    m_label->setTextAlignment(kit::NSTextAlignmentCenter);
    addSubview(m_label);
    // The arrow stands just before the words.
    double textWidth = m_label->sizeThatFits({ width, height }).width;
    m_chevron = std::make_shared<kit::UIImageView>(SpringBoardArtwork::unlockChevron());
    m_chevron->setFrame(kit::CGRectMake((width - textWidth) / 2 - 22, (height - 18) / 2, 10, 18));
    m_chevron->setAlpha(0.9);
    addSubview(m_chevron);
}

}
