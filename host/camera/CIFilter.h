#pragma once

#include "kit/runtime/Object.h"
#include "kit/ui/CGImage.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

// One of the camera's live filters ("Mono", "Tonal", "Noir", "Fade",
// "Chrome", "Process", "Transfer", "Instant"; "None" leaves pictures alone),
// as a colour matrix over each pixel. It is the filters argument of
// PLCIFilterUtilities' outputImageFromFilters:... (a kit::id).
class CIFilter final : public kit::Object {
    KIT_OBJECT(CIFilter, kit::Object)

public:
    explicit CIFilter(std::string name);

    // The grid's order, "None" in the middle.
    static const std::vector<std::string>& names();

    const std::string& name() const { return m_name; }
    bool isIdentity() const { return m_name == "None"; }
    // A filtered copy; the image itself is left alone.
    kit::CGImageRef apply(const kit::CGImage&) const;

private:
    std::string m_name;
};

}
