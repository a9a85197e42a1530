#include "host/camera/CameraCapabilities.h"

#include <algorithm>

namespace host {

CameraCapabilities::CameraCapabilities(const kit::DeviceProfile& profile)
    : m_profile(profile)
{
}

const kit::CameraSpec* CameraCapabilities::camera(int32_t device) const
{
    const auto& cameraSpec = device == CameraDeviceFront ? m_profile.frontCamera : m_profile.backCamera;
    return cameraSpec ? &*cameraSpec : nullptr;
}

bool CameraCapabilities::hasCamera(int32_t device) const
{
    return camera(device) != nullptr;
}

std::vector<int32_t> CameraCapabilities::modes(int32_t device) const
{
    const auto* cameraSpec = camera(device);
    if (!cameraSpec)
        return {};
    // The still size comes last in a camera's formats; the rest are video.
    bool video = false;
    bool slowMotion = false;
    for (size_t i = 0; i + 1 < cameraSpec->formats.size(); ++i) {
        video = video || cameraSpec->formats[i].maxFrameRate >= 30;
        slowMotion = slowMotion || cameraSpec->formats[i].maxFrameRate >= 120;
    }
    std::vector<int32_t> result;
    if (slowMotion && device == CameraDeviceBack)
        result.push_back(CameraModeSlowMotion);
    if (video)
        result.push_back(CameraModeVideo);
    result.push_back(CameraModePhoto);
    result.push_back(CameraModeSquare);
    if (!isPad() && device == CameraDeviceBack && video)
        result.push_back(CameraModePanorama);
    return result;
}

bool CameraCapabilities::hasMode(int32_t mode, int32_t device) const
{
    auto available = modes(device);
    return std::find(available.begin(), available.end(), mode) != available.end();
}

bool CameraCapabilities::hasFilters() const
{
    return !isPad() && m_profile.screenHeight >= 568 && hasCamera(CameraDeviceBack);
}

bool CameraCapabilities::hasFlash() const
{
    const auto* cameraSpec = camera(CameraDeviceBack);
    return cameraSpec && cameraSpec->hasTorch;
}

int CameraCapabilities::stillWidth(int32_t device) const
{
    const auto* cameraSpec = camera(device);
    return cameraSpec && !cameraSpec->formats.empty() ? cameraSpec->formats.back().width : 0;
}

int CameraCapabilities::stillHeight(int32_t device) const
{
    const auto* cameraSpec = camera(device);
    return cameraSpec && !cameraSpec->formats.empty() ? cameraSpec->formats.back().height : 0;
}

std::string CameraCapabilities::modeTitle(int32_t mode)
{
    switch (mode) {
    case CameraModePhoto:
        return "PHOTO";
    case CameraModeVideo:
        return "VIDEO";
    case CameraModeSlowMotion:
        return "SLO-MO";
    case CameraModePanorama:
        return "PANO";
    case CameraModeSquare:
        return "SQUARE";
    }
    return {};
}

}
