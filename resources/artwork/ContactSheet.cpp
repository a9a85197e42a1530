#include "resources/artwork/ContactSheet.h"

#include "resources/artwork/ArtworkCatalog.h"
#include "resources/artwork/ArtworkWriter.h"

#include "kit/foundation/AtomicFile.h"
#include "kit/ui/TextDrawing.h"
#include "kit/ui/UIColor.h"
#include "kit/ui/UIFont.h"
#include "kit/ui/UIGraphics.h"
#include "kit/ui/UIImage.h"

#include <algorithm>

namespace vantor::resources {

using namespace kit;

namespace {

constexpr int kColumns = 8;
constexpr CGSize kCell { 180, 204 };
constexpr CGSize kPicture { 164, 156 };
// Small images are enlarged to be seen, but not past this many times their
// size in points, so that their shapes stay recognisable.
constexpr CGFloat kMostEnlargement = 5;

CGRect fitted(CGSize image, CGRect box)
{
    CGFloat scale = std::min({ box.size.width / image.width, box.size.height / image.height, kMostEnlargement });
    CGSize size { image.width * scale, image.height * scale };
    return { { CGRectGetMidX(box) - size.width / 2, CGRectGetMidY(box) - size.height / 2 }, size };
}

}

std::shared_ptr<UIImage> makeContactSheet()
{
    const auto& catalog = artworkCatalog();
    int rows = int((catalog.size() + kColumns - 1) / kColumns);
    CGSize sheet { kColumns * kCell.width, rows * kCell.height };
    auto outer = UIGraphicsGetCurrentContext();
    UIGraphicsBeginImageContextWithOptions(sheet, true, 1);
    auto context = UIGraphicsGetCurrentContext();
    if (!context || context == outer)
        return nullptr;
    CGContextSetGrayFillColor(context, 0.5, 1);
    CGContextFillRect(context, { { 0, 0 }, sheet });

    TextAttributes label;
    label.font = UIFont::fontWithName("DejaVu Sans", 10);
    label.foregroundColor = UIColor::whiteColor();
    label.alignment = NSTextAlignmentCenter;
    label.lineBreakMode = NSLineBreakByCharWrapping;

    for (size_t i = 0; i < catalog.size(); ++i) {
        const auto& item = catalog[i];
        CGPoint origin { CGFloat(i % kColumns) * kCell.width, CGFloat(i / kColumns) * kCell.height };
        CGRect box { { origin.x + (kCell.width - kPicture.width) / 2, origin.y + 6 }, kPicture };
        // A slightly darker box shows where each image's canvas ends.
        CGContextSetGrayFillColor(context, 0.42, 1);
        CGRect picture = fitted(item.points, box);
        CGContextFillRect(context, picture);
        if (auto image = renderArtwork(item))
            image->drawInRect(picture);

        auto slash = item.name.rfind('/');
        std::string caption = item.name.substr(0, slash + 1) + "\n" + item.name.substr(slash + 1);
        drawString(context, caption, { { origin.x + 4, origin.y + 6 + kPicture.height + 4 }, { kCell.width - 8, 34 } }, label);
    }
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

bool writeContactSheet(const std::filesystem::path& path)
{
    auto png = UIImagePNGRepresentation(makeContactSheet());
    return png && writeFileAtomically(path, *png);
}

}
