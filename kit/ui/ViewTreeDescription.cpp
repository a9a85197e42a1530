#include "kit/ui/ViewTreeDescription.h"

#include "kit/ui/UIApplication.h"
#include "kit/ui/UIButton.h"
#include "kit/ui/UIImage.h"
#include "kit/ui/UIImageView.h"
#include "kit/ui/UILabel.h"
#include "kit/ui/UIWindow.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>

namespace kit {

namespace {

// Short numbers to four decimals, so that the cosine of a quarter turn
// reads 0: "160", "0.5", "-0.25".
std::string number(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    std::string text = buffer;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + '"';
}

std::string imageName(const std::shared_ptr<UIImage>& image)
{
    if (!image)
        return "none";
    return image->resourceName().empty() ? "(drawn)" : quoted(image->resourceName());
}

void describeOne(const UIView& view, std::ostream& out, int depth)
{
    auto frame = screenFrame(view);
    out << std::string(size_t(depth) * 2, ' ') << view.className() << " tag=" << view.tag() << " frame=("
        << number(frame.origin.x) << ", " << number(frame.origin.y) << ", " << number(frame.size.width) << ", "
        << number(frame.size.height) << ") alpha=" << number(view.alpha()) << " hidden=" << (view.isHidden() ? "yes" : "no")
        << " interaction=" << (view.isUserInteractionEnabled() ? "yes" : "no");
    auto t = view.transform();
    if (!CGAffineTransformIsIdentity(t))
        out << " transform=(" << number(t.a) << ", " << number(t.b) << ", " << number(t.c) << ", " << number(t.d) << ", "
            << number(t.tx) << ", " << number(t.ty) << ")";
    if (auto* label = dynamic_cast<const UILabel*>(&view))
        out << " text=" << quoted(label->text());
    if (auto* button = dynamic_cast<const UIButton*>(&view)) {
        if (auto title = button->currentTitle())
            out << " title=" << quoted(*title);
    }
    if (auto* imageView = dynamic_cast<const UIImageView*>(&view)) {
        out << " image=" << imageName(imageView->image());
        if (imageView->highlightedImage())
            out << " highlightedImage=" << imageName(imageView->highlightedImage());
        out << " highlighted=" << (imageView->isHighlighted() ? "yes" : "no");
    }
    out << '\n';
}

}

CGRect screenFrame(const UIView& view)
{
    auto b = view.bounds();
    CGPoint corners[] = { { b.origin.x, b.origin.y }, { b.origin.x + b.size.width, b.origin.y },
        { b.origin.x, b.origin.y + b.size.height }, { b.origin.x + b.size.width, b.origin.y + b.size.height } };
    auto first = view.convertPointToScreen(corners[0]);
    double minX = first.x, maxX = first.x, minY = first.y, maxY = first.y;
    for (auto corner : corners) {
        auto p = view.convertPointToScreen(corner);
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    return { { minX, minY }, { maxX - minX, maxY - minY } };
}

void describeViewTree(const UIView& view, std::ostream& out, int depth)
{
    describeOne(view, out, depth);
    const auto& subviews = view.subviews();
    for (auto subview = subviews.rbegin(); subview != subviews.rend(); ++subview)
        describeViewTree(**subview, out, depth + 1);
}

void describeWindows(std::ostream& out)
{
    auto windows = UIApplication::sharedApplication()->windows();
    for (auto window = windows.rbegin(); window != windows.rend(); ++window)
        describeViewTree(**window, out);
}

}
