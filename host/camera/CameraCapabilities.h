#pragma once

#include "kit/media/DeviceProfile.h"

#include <string>
#include <vector>

namespace host {

// Camera modes and devices as the camera app numbers them.
enum CameraMode : int32_t {
    CameraModePhoto = 0,
    CameraModeVideo = 1,
    CameraModeSlowMotion = 2,
    CameraModePanorama = 3,
    CameraModeSquare = 4,
};
enum CameraDevice : int32_t {
    CameraDeviceBack = 0,
    CameraDeviceFront = 1,
};

// What a device model's cameras can do, from its profile.
class CameraCapabilities {
public:
    explicit CameraCapabilities(const kit::DeviceProfile&);

    bool isPad() const { return m_profile.idiom == 1; }
    bool hasCamera(int32_t device) const;
    // Modes the device offers with that camera, in the order of the mode
    // strip (slow motion, video, photo, square, panorama).
    std::vector<int32_t> modes(int32_t device) const;
    bool hasMode(int32_t mode, int32_t device) const;
    // Live filters came with the 4-inch phones.
    bool hasFilters() const;
    bool hasFlash() const;
    // The still-photo size in pixels, landscape (the sensor's own way).
    int stillWidth(int32_t device) const;
    int stillHeight(int32_t device) const;

    static bool isPhotoMode(int32_t mode) { return mode == CameraModePhoto || mode == CameraModeSquare; }
    static bool isVideoMode(int32_t mode) { return mode == CameraModeVideo || mode == CameraModeSlowMotion; }
    // "PHOTO", "VIDEO", ... as the mode strip shows them.
    static std::string modeTitle(int32_t mode);

    const kit::DeviceProfile& profile() const { return m_profile; }

private:
    const kit::CameraSpec* camera(int32_t device) const;

    kit::DeviceProfile m_profile;
};

}
