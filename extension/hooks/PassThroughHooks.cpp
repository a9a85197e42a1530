// Replaced host methods that add nothing: each calls the host and answers
// what it answers.

#include "extension/startup/ReplacementTable.h"

namespace vantor {

kit::id _method$PLCIFilterUtilities$outputImageFromFilters$inputImage$orientation$copyFiltersFirst$$(
    kit::id self, kit::SEL cmd, kit::id filters, kit::id image, int32_t orientation, bool copyFiltersFirst)
{
    return _orig$PLCIFilterUtilities$outputImageFromFilters$inputImage$orientation$copyFiltersFirst$$(
        self, cmd, filters, image, orientation, copyFiltersFirst);
}

void _method$CAMImageWell$setThumbnailImage$uuid$animated$$(
    kit::id self, kit::SEL cmd, kit::id image, std::string uuid, bool animated)
{
    _orig$CAMImageWell$setThumbnailImage$uuid$animated$$(self, cmd, image, std::move(uuid), animated);
}

void _method$CAMImageWell$setThumbnailImage$animated$$(kit::id self, kit::SEL cmd, kit::id image, bool animated)
{
    _orig$CAMImageWell$setThumbnailImage$animated$$(self, cmd, image, animated);
}

void _method$PLCameraView$_handleVolumeUpEvents$$(kit::id self, kit::SEL cmd, kit::id events)
{
    _orig$PLCameraView$_handleVolumeUpEvents$$(self, cmd, events);
}

void _method$PLCameraView$_handleVolumeButtonUp$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraView$_handleVolumeButtonUp$(self, cmd);
}

void _method$PLCameraView$_handleVolumeButtonDown$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraView$_handleVolumeButtonDown$(self, cmd);
}

void _method$PLCameraView$_windowWillAnimateRotationToOrientation$$(kit::id self, kit::SEL cmd, int32_t orientation)
{
    _orig$PLCameraView$_windowWillAnimateRotationToOrientation$$(self, cmd, orientation);
}

void _method$PLCameraView$_performVideoCapture$(kit::id self, kit::SEL cmd)
{
    _orig$PLCameraView$_performVideoCapture$(self, cmd);
}

void _method$PLCameraViewController$viewDidAppear$$(kit::id self, kit::SEL cmd, bool animated)
{
    _orig$PLCameraViewController$viewDidAppear$$(self, cmd, animated);
}

}
