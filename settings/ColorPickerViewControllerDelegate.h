#pragma once

// What a colour picker tells whoever opened it: the colour chosen, or that
// the choice was cancelled. Both are required.

#include <memory>

namespace kit {
class UIColor;
}

namespace vantor {

class ColorPickerViewController;

class ColorPickerViewControllerDelegate {
public:
    virtual ~ColorPickerViewControllerDelegate() = default;

    virtual void colorPickerViewController(ColorPickerViewController* picker,
        const std::shared_ptr<kit::UIColor>& didSelectColor) = 0;
    virtual void colorPickerViewControllerDidCancel(ColorPickerViewController* picker) = 0;
};

}
