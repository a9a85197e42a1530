// vantor-sim: the program a person runs to try the camera extension on Linux.
//
// For now it shows that the platform stand-in works: it runs a small
// scenario on the virtual clock and prints what happened. The simulated
// camera app, its scenarios and screenshots take its place.

#include "kit/foundation/NSDateFormatter.h"
#include "kit/foundation/NSTimer.h"
#include "kit/foundation/RunLoop.h"
#include "kit/runtime/MessageSend.h"
#include "kit/runtime/Substrate.h"

#include <cstdio>

namespace {

kit::SEL shutterSelector()
{
    static kit::SEL sel = kit::sel_registerName("_shutterButtonClicked");
    return sel;
}

int photosTaken = 0;

void hostShutter(kit::id, kit::SEL)
{
    ++photosTaken;
    std::printf("  host: photo %d taken\n", photosTaken);
}

void (*originalShutter)(kit::id, kit::SEL) = nullptr;

void replacementShutter(kit::id self, kit::SEL cmd)
{
    std::printf("  replacement: the shutter was pressed; calling the host\n");
    originalShutter(self, cmd);
}

}

int main(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) != "demo") {
        std::fprintf(stderr, "usage: vantor-sim [demo]\n");
        return 2;
    }
    std::printf("vantor-sim: the camera simulator (the simulated camera app is still to come).\n");
    std::printf("Platform stand-in demo:\n");

    auto& loop = kit::RunLoop::main();
    loop.resetWithVirtualClock();

    kit::Class hostClass = kit::registerClass("DemoCameraView", kit::Object::staticClass());
    kit::addMethod(hostClass, shutterSelector(), &hostShutter);
    kit::hookMessage(hostClass, shutterSelector(), &replacementShutter, &originalShutter);

    struct DemoView : kit::Object {
        kit::Class cls;
        kit::Class isa() const override { return cls; }
    };
    auto view = std::make_shared<DemoView>();
    view->cls = hostClass;

    int ticks = 3;
    auto timer = kit::NSTimer::scheduledTimerWithTimeInterval(1.0,
        kit::Action::function([&](kit::id sender) {
            std::printf("  %.1f s: count-down %d\n", loop.now(), ticks);
            if (--ticks == 0) {
                static_cast<kit::NSTimer*>(sender)->invalidate();
                kit::msgSend(view.get(), shutterSelector());
            }
        }),
        true);
    loop.advance(5);

    kit::NSDateFormatter formatter;
    formatter.setDateStyle(kit::NSDateFormatterShortStyle);
    formatter.setTimeStyle(kit::NSDateFormatterShortStyle);
    std::printf("  simulated time now: %s (%s)\n", formatter.stringFromDate(kit::NSDate::date()).c_str(),
        formatter.locale().localeIdentifier().c_str());
    return 0;
}
