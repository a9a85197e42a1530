#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace kit {

// libjpeg's error handling turned into a jump back to the caller: a fatal
// error leaves its text in message and longjmps to jump instead of exiting.
// Warnings are never printed; running out of data is noted. The caller keeps
// everything that must survive the jump outside the frame that calls setjmp.
struct JPEGErrorManager {
    jpeg_error_mgr base {};
    std::jmp_buf jump {};
    char message[JMSG_LENGTH_MAX] {};
    bool sawEndOfData { false }; // the data ran out before the image did

    void attach(jpeg_common_struct* info)
    {
        info->err = jpeg_std_error(&base);
        base.error_exit = &errorExit;
        base.emit_message = &emitMessage;
        base.output_message = &outputMessage;
    }

    static JPEGErrorManager& of(j_common_ptr info) { return *reinterpret_cast<JPEGErrorManager*>(info->err); }

private:
    [[noreturn]] static void errorExit(j_common_ptr info)
    {
        auto& manager = of(info);
        manager.base.format_message(info, manager.message);
        std::longjmp(manager.jump, 1);
    }

    static void emitMessage(j_common_ptr info, int level)
    {
        if (level >= 0)
            return; // trace messages
        auto& manager = of(info);
        if (manager.base.msg_code == JWRN_JPEG_EOF)
            manager.sawEndOfData = true;
    }

    static void outputMessage(j_common_ptr) { }
};

}
