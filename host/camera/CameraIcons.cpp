#include "host/camera/CameraIcons.h"

#include "host/camera/CAMShutterButton.h"
#include "host/common/DrawnImage.h"

#include "kit/ui/UIImage.h"

#include <cairo.h>

#include <cmath>

namespace host {

std::shared_ptr<kit::UIImage> CameraIcons::flash(bool on)
{
    return drawnImage(14, 22, [on](cairo_t* cr) {
        cairo_move_to(cr, 9, 1);
        cairo_line_to(cr, 2, 12.5);
        cairo_line_to(cr, 7, 12.5);
        cairo_line_to(cr, 5, 21);
        cairo_line_to(cr, 12, 9);
        cairo_line_to(cr, 7, 9);
        cairo_close_path(cr);
        if (on) {
            cairo_set_source_rgb(cr, 1, 0.8, 0);
            cairo_fill(cr);
        } else {
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
    });
}

std::shared_ptr<kit::UIImage> CameraIcons::flip()
{
    return drawnImage(34, 24, [](cairo_t* cr) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 1.3);
        // Camera body with its viewfinder bump.
        cairo_move_to(cr, 2, 6);
        cairo_line_to(cr, 10, 6);
        cairo_line_to(cr, 12.5, 2.5);
        cairo_line_to(cr, 21.5, 2.5);
        cairo_line_to(cr, 24, 6);
        cairo_line_to(cr, 32, 6);
        cairo_line_to(cr, 32, 22);
        cairo_line_to(cr, 2, 22);
        cairo_close_path(cr);
        cairo_stroke(cr);
        // Two arrows chasing each other round the lens.
        cairo_arc(cr, 17, 14, 5, M_PI * 1.15, M_PI * 1.95);
        cairo_stroke(cr);
        cairo_arc(cr, 17, 14, 5, M_PI * 0.15, M_PI * 0.95);
        cairo_stroke(cr);
        cairo_move_to(cr, 22.5, 10.5);
        cairo_line_to(cr, 22.2, 14.3);
        cairo_line_to(cr, 19.6, 12.2);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_move_to(cr, 11.5, 17.5);
        cairo_line_to(cr, 11.8, 13.7);
        cairo_line_to(cr, 14.4, 15.8);
        cairo_close_path(cr);
        cairo_fill(cr);
    });
}

std::shared_ptr<kit::UIImage> CameraIcons::filters(bool on)
{
    return drawnImage(30, 30, [on](cairo_t* cr) {
        const double centres[3][2] = { { 15, 10 }, { 10.5, 18 }, { 19.5, 18 } };
        const double colours[3][3] = { { 1, 0.3, 0.3 }, { 0.3, 0.8, 0.3 }, { 0.3, 0.5, 1 } };
        cairo_set_line_width(cr, 1.3);
        for (int i = 0; i < 3; ++i) {
            cairo_arc(cr, centres[i][0], centres[i][1], 6.5, 0, 2 * M_PI);
            if (on)
                cairo_set_source_rgba(cr, colours[i][0], colours[i][1], colours[i][2], 0.9);
            else
                cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_stroke(cr);
        }
    });
}

std::shared_ptr<kit::UIImage> CameraIcons::shutter(int64_t mode, double diameter, bool pressed)
{
    return drawnImage(diameter, diameter, [mode, diameter, pressed](cairo_t* cr) {
        double c = diameter / 2;
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, diameter * 0.06);
        cairo_arc(cr, c, c, c - diameter * 0.04, 0, 2 * M_PI);
        cairo_stroke(cr);
        bool recording = mode == CAMShutterButton::ModeVideoRecording || mode == CAMShutterButton::ModeSlowMotionRecording;
        bool video = recording || mode == CAMShutterButton::ModeVideo || mode == CAMShutterButton::ModeSlowMotion;
        double shade = pressed ? 0.7 : 1.0;
        if (recording) {
            double side = diameter * 0.36, r = diameter * 0.05;
            addRoundedRect(cr, c - side / 2, c - side / 2, side, side, r);
            cairo_set_source_rgb(cr, 0.93 * shade, 0.16 * shade, 0.16 * shade);
        } else {
            cairo_arc(cr, c, c, c - diameter * 0.13, 0, 2 * M_PI);
            if (video)
                cairo_set_source_rgb(cr, 0.93 * shade, 0.16 * shade, 0.16 * shade);
            else
                cairo_set_source_rgb(cr, shade, shade, shade);
        }
        cairo_fill(cr);
    });
}

}
