#pragma once

#include "kit/runtime/Object.h"

#include <memory>

namespace host {

// Applies the camera's live filter to a picture (class side only).
class PLCIFilterUtilities final : public kit::Object {
    KIT_OBJECT(PLCIFilterUtilities, kit::Object)

public:
    // outputImageFromFilters:inputImage:orientation:copyFiltersFirst: with a
    // CIFilter and a kit::UIImage; answers a new kit::UIImage, or the input
    // when either is missing. The answer stays valid until the next call
    // (the one image of the process's autorelease pool).
    static kit::id outputImage(kit::id filters, kit::id inputImage, int32_t orientation, bool copyFiltersFirst);

    static void registerRuntimeMethods();
};

}
