#pragma once

#include "hardware/camera/CaptureReport.h"
#include "hardware/camera/DepthOfField.h"
#include "hardware/camera/Exposure.h"
#include "hardware/camera/FocusDrive.h"
#include "hardware/camera/Glide.h"
#include "hardware/camera/Lens.h"
#include "hardware/camera/SceneFrame.h"
#include "hardware/camera/SceneView.h"

#include "kit/media/DeviceProfile.h"
#include "kit/ui/CGImage.h"
#include "kit/ui/Geometry.h"

#include <memory>
#include <string>

namespace kit {
class AVCaptureDevice;
class ScheduledTask;
}

namespace hardware {

class CameraHardware;
class Scene;

// What a frame is for. Preview and movie frames are what the viewfinder
// shows, and metering follows them; a photo may fire the flash.
enum class FramePurpose { Preview, Movie, Photo };

struct FrameRequest {
    FramePurpose purpose { FramePurpose::Preview };
    // The frame's pixels, the sensor's way (its width along the sensor's).
    int width { 0 };
    int height { 0 };
    // Width over height of the whole picture the camera takes in this mode
    // (the still's for photos, the format's for video). A frame of another
    // shape shows its middle.
    double fieldAspect { 4.0 / 3 };
    // Digital zoom, 1 or more: the middle of the picture, magnified.
    double zoom { 1 };
};

struct CameraFrame {
    kit::CGImageRef image;
    CaptureReport report;
};

// One camera of the phone: lens and sensor, and the parts that move, each
// following what its AVCaptureDevice is set to.
//
//  - Exposure (modes 1 and 2) meters a square a tenth of the picture wide
//    around the exposure point of interest and brings it to middle grey in
//    0.3 s, within the sensor's times and gains; the time never exceeds the
//    active frame duration. Mode 1 adjusts once when set, mode 2 keeps
//    following; locked keeps what it has.
//  - Focus (modes 1 and 2) drives the lens to the distance found at the
//    focus point of interest; a lens without autofocus stays at its
//    hyperfocal distance.
//  - White balance (1 once, 2 continuous) neutralises the scene's main
//    light; locked keeps its gains, so a later change of light tints.
//  - The torch, and the flash for photos (on, or automatic when the picture
//    would come out more than a stop dark), light near things by the
//    inverse square of their distance; with the flash the exposure is
//    lowered so the metered square is not overexposed.
//
// Points of interest are in the sensor's picture: (0, 0) top left, (1, 1)
// bottom right, with the home button on the right. Adjustments run on the
// main run loop's clock and are told to the hardware's event lines when they
// settle. Changes of the device are taken up on the next turn of the run
// loop; continuous ones whenever the camera looks, as if it had followed all
// along. Used on the main thread.
class CameraModule {
public:
    CameraModule(CameraHardware&, const std::shared_ptr<kit::AVCaptureDevice>&, const kit::CameraSpec&,
        std::shared_ptr<Scene>);
    ~CameraModule();
    CameraModule(const CameraModule&) = delete;
    CameraModule& operator=(const CameraModule&) = delete;

    // Whether this camera is the one behind that device object, and whether
    // its device is still there.
    bool serves(const kit::AVCaptureDevice&) const;
    bool servesAnything() const { return !m_device.expired(); }
    // "back camera" or "front camera".
    const std::string& name() const { return m_name; }
    const Lens& lens() const { return m_lens; }

    // A frame at the clock's now. Nothing (and an empty report) for a size
    // of no pixels or beyond what memory allows. The sensor reads a frame
    // out every active frame duration from the start: a preview asked for
    // again within the same frame, of the same size and zoom, with nothing
    // changed on the device or in the light, is the frame it already had.
    CameraFrame capture(const FrameRequest&);

    // The camera now, for a person watching and for tests.
    Exposure exposure() const;
    // Dioptres the lens is focused at.
    double focusNearness() const;
    double whiteBalanceKelvin() const;
    bool isWhiteBalanceLocked() const;

    // Without its optics the camera gives the scene's colours as they are:
    // no exposure, white balance, camera light or blur. For comparisons.
    void setOpticsEnabled(bool enabled)
    {
        m_opticsEnabled = enabled;
        m_lastPreview = {};
    }
    // The capture session runs: the camera looks now (the first look sets
    // exposure, focus and white balance at once, as a camera that has been
    // running before the picture shows), and a live source in front of it
    // opens, asked for the device's active format.
    void start();
    // The session stops: a live source in front of it closes.
    void stop();
    // The light on the scene changed: look again now.
    void lightChanged();

private:
    struct Settings {
        int exposureMode { 2 };
        kit::CGPoint exposurePoint { 0.5, 0.5 };
        int focusMode { 0 };
        kit::CGPoint focusPoint { 0.5, 0.5 };
        int whiteBalanceMode { 2 };
        float torchLevel { 0 };
        int flashMode { 0 };
        ExposureLimits limits;
    };
    struct Measurement {
        double luminance { 0 };
        double focusNearness { 0 };
        double illuminantKelvin { 5500 };
    };

    Settings read(const kit::AVCaptureDevice&) const;
    // The scene as the camera sees it at a time: the view's size, shape and
    // zoom, the phone's roll, the light.
    SceneView viewFor(int width, int height, double fieldAspect, double zoom, double time) const;
    Exposure exposureAt(double time) const;
    double whiteBalanceKelvinAt(double time) const;
    // Looks at the scene and moves the parts as their modes say.
    void update();
    void scheduleUpdate();
    Measurement measure(const SceneFrame&, const Settings&) const;
    double meteredLuminance(const SceneFrame&, kit::CGPoint, const Settings&, bool withTorch) const;
    void moveExposure(Exposure target, double start, const Settings&);
    void moveFocus(double nearness, double start, const Settings&);
    void moveWhiteBalance(double kelvin, double start);
    void lockWhiteBalance();
    // Says the line when the part's move with this number arrives.
    void sayOnArrival(double arrival, int& serial, std::string line);
    double screenRoll(double time) const;
    // Tells the event lines once why the scene stopped changing.
    void tellSceneProblem();
    Exposure flashExposure(const SceneFrame& viewfinder, Exposure, const Settings&) const;
    // A frame made now, as the camera was at a time (now, or the start of
    // the sensor's frame).
    CameraFrame readOut(const FrameRequest&, const kit::AVCaptureDevice&, double time);
    // The sensor's frame at the clock's now: its number from the start, and
    // when it was taken.
    struct SensorFrame {
        long number;
        double time;
    };
    SensorFrame currentFrame(const kit::AVCaptureDevice&) const;

    CameraHardware& m_hardware;
    std::weak_ptr<kit::AVCaptureDevice> m_device;
    const kit::AVCaptureDevice* m_deviceAddress { nullptr };
    std::shared_ptr<Scene> m_scene;
    std::string m_name;
    bool m_front { false };
    bool m_hasFlash { false };
    Lens m_lens;
    double m_stillAspect { 4.0 / 3 };

    // What the viewfinder shows: its shape and zoom.
    double m_viewfinderAspect { 4.0 / 3 };
    double m_viewfinderZoom { 1 };
    mutable double m_lastScreenRoll { 0 };

    Settings m_seen;
    bool m_started { false };
    double m_lastLook { 0 };
    Glide<double> m_logDuration;
    Glide<double> m_logISO;
    FocusDrive m_focus;
    Glide<double> m_mired { 1e6 / 5500 };
    int m_exposureMove { 0 };
    int m_focusMove { 0 };
    int m_whiteBalanceMove { 0 };
    bool m_opticsEnabled { true };
    double m_startTime { 0 };

    // The last preview frame, and what it was made for.
    struct LastPreview {
        CameraFrame frame;
        long number { -1 };
        int width { 0 };
        int height { 0 };
        double fieldAspect { 0 };
        double zoom { 0 };
    };
    LastPreview m_lastPreview;

    // Buffers kept from frame to frame: the viewfinder's, the photos', the
    // metering probe's.
    SceneFrame m_frame;
    SceneFrame m_photoFrame;
    SceneFrame m_probe;
    DepthOfField m_blur;
    DepthOfField m_photoBlur;
    std::shared_ptr<kit::ScheduledTask> m_pendingUpdate;
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
};

}
