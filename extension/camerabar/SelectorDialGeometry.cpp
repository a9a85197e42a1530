#include "extension/camerabar/SelectorDialGeometry.h"

#include "kit/ui/UIScreen.h"

#include <array>

namespace vantor::dial {

namespace {

// Centres of marks 1..30 in the outer ring's coordinates, clockwise from the top.
constexpr std::array<kit::CGPoint, markCount> markCentres { {
    { 133.5, 40.5 }, { 152.5, 39.5 }, { 183.5, 44 }, { 198.5, 50 }, { 223.5, 67 },
    { 235, 77.5 }, { 249.5, 102 }, { 255.5, 117 }, { 259.5, 148 }, { 258.5, 168.5 },
    { 250.5, 198 }, { 242.5, 213.5 }, { 224.5, 235 }, { 212, 244.5 }, { 186, 257 },
    { 169, 260.5 }, { 139, 261 }, { 118, 259.5 }, { 91, 248.5 }, { 76.5, 239.5 },
    { 57, 219 }, { 47.5, 203.5 }, { 38, 178.5 }, { 35.5, 159 }, { 37.5, 129 },
    { 42.5, 111.5 }, { 55, 85.5 }, { 65.5, 72.5 }, { 88.5, 53.5 }, { 104.5, 46.3 },
} };

constexpr double dialSide = 295;

}

Scale scaleForMaxTime(int32_t maxTime)
{
    switch (maxTime) {
    case 60:
        return { 6, 2 };
    case 120:
        return { 3, 4 };
    default:
        return { 12, 1 };
    }
}

bool isMarkVisible(int index, int32_t value, int32_t markStep)
{
    if (value >= index * markStep)
        return true;
    return index == 1 && value == 1 && (markStep == 2 || markStep == 4);
}

kit::CGPoint markCentre(int index)
{
    if (index < 1 || index > markCount)
        return kit::CGPointZero;
    return markCentres[size_t(index - 1)];
}

kit::CGRect windowFrame(bool isPad)
{
    kit::CGRect screen = kit::UIScreen::mainScreen()->bounds();
    double lift = (screen.size.height == 480 || screen.size.height == 960) ? 30 : 0;
    if (!isPad)
        lift += 15;
    return kit::CGRectMake(screen.size.width / 2 - 147, screen.size.height / 2 - 147 - 30 - lift, dialSide, dialSide);
}

}
