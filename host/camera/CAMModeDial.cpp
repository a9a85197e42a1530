#include "host/camera/CAMModeDial.h"

#include "host/camera/CameraCapabilities.h"

#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UITapGestureRecognizer.h"

namespace host {

KIT_REGISTER_CLASS(CAMModeDial);

CAMModeDial::CAMModeDial(std::vector<int32_t> modes, bool vertical)
    : m_vertical(vertical)
{
    setClipsToBounds(true);
    setModes(std::move(modes));
}

void CAMModeDial::setModes(std::vector<int32_t> modes)
{
    // Unchanged, the labels stay: a label's own tap may be what got here.
    if (modes == m_modes && !m_labels.empty())
        return;
    m_modes = std::move(modes);
    rebuild();
}

void CAMModeDial::setSelectedMode(int32_t mode)
{
    m_selected = mode;
    for (size_t i = 0; i < m_labels.size(); ++i) {
        bool chosen = m_modes[i] == mode;
        m_labels[i]->setTextColor(chosen ? kit::UIColor::colorWithRed(1, 0.8, 0, 1) : kit::UIColor::whiteColor());
    }
    setNeedsLayout();
}

void CAMModeDial::rebuild()
{
    for (auto& label : m_labels)
        label->removeFromSuperview();
    m_labels.clear();
    for (int32_t mode : m_modes) {
        auto label = std::make_shared<kit::UILabel>();
        label->setText(CameraCapabilities::modeTitle(mode));
        label->setFont(kit::UIFont::systemFontOfSize(m_vertical ? 14 : 13));
        label->setTextAlignment(kit::NSTextAlignmentCenter);
        label->setUserInteractionEnabled(true);
        label->addGestureRecognizer(std::make_shared<kit::UITapGestureRecognizer>(kit::Action::function([this, mode](kit::id) {
            if (m_onModeTapped)
                m_onModeTapped(mode);
        })));
        addSubview(label);
        m_labels.push_back(label);
    }
    setSelectedMode(m_selected);
}

void CAMModeDial::layoutSubviews()
{
    if (m_labels.empty())
        return;
    auto b = bounds();
    size_t selectedIndex = 0;
    for (size_t i = 0; i < m_modes.size(); ++i) {
        if (m_modes[i] == m_selected)
            selectedIndex = i;
    }
    if (m_vertical) {
        const double rowHeight = 28;
        double y0 = b.size.height / 2 - rowHeight / 2 - rowHeight * double(selectedIndex);
        for (size_t i = 0; i < m_labels.size(); ++i)
            m_labels[i]->setFrame(kit::CGRectMake(0, y0 + rowHeight * double(i), b.size.width, rowHeight));
        return;
    }
    // Each name as wide as its text plus a gap; the chosen one centred.
    const double gap = 22;
    std::vector<double> widths;
    for (auto& label : m_labels)
        widths.push_back(label->sizeThatFits(b.size).width + gap);
    double x = b.size.width / 2 - widths[selectedIndex] / 2;
    for (size_t i = 0; i < selectedIndex; ++i)
        x -= widths[i];
    for (size_t i = 0; i < m_labels.size(); ++i) {
        m_labels[i]->setFrame(kit::CGRectMake(x, 0, widths[i], b.size.height));
        x += widths[i];
    }
}

}
