#include "resources/artwork/ArtworkPainters.h"
#include "resources/artwork/ArtworkStyle.h"

namespace vantor::resources {

using namespace kit;

// A yellow warning sign: the video is about to be recorded upright.
void paintVerticalAlert(CGSize size, int)
{
    CGFloat cx = size.width / 2;
    auto sign = UIBezierPath::bezierPath();
    sign->moveToPoint({ cx, 2.5 });
    sign->addLineToPoint({ size.width - 1.5, size.height - 3 });
    sign->addLineToPoint({ 1.5, size.height - 3 });
    sign->closePath();
    strokePath(sign, 2 + kHaloWidth, black(kHaloAlpha));
    fillPath(sign, kYellow);
    strokePath(sign, 2, kYellow);

    strokePath(linePath({ cx, 8.5 }, { cx, 13 }), 2, black(0.85));
    fillPath(circlePath({ cx, 16 }, 1.15), black(0.85));
}

}
