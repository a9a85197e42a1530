// msgSend through a replaced method, against a direct call of the same
// function and a C++ virtual call, to show what the runtime adds.

#include "kit/runtime/MessageSend.h"
#include "kit/runtime/Substrate.h"

#include <benchmark/benchmark.h>

using namespace kit;

namespace {

class BenchView : public Object {
    KIT_OBJECT(BenchView, Object)

public:
    virtual int counter(int step) { return m_value += step; }
    int m_value { 0 };
};

class BenchCameraView : public BenchView {
    KIT_OBJECT(BenchCameraView, BenchView)
};

int (*origCounter)(id, SEL, int) = nullptr;

int replacementCounter(id self, SEL cmd, int step)
{
    return origCounter(self, cmd, step) + 1;
}

SEL setUp()
{
    static SEL sel = [] {
        SEL s = sel_registerName("counter:");
        addMethod(BenchView::staticClass(), s, memberImp<&BenchView::counter>());
        hookMessage(BenchCameraView::staticClass(), s, &replacementCounter, &origCounter);
        return s;
    }();
    return sel;
}

void BM_MsgSendThroughReplacement(benchmark::State& state)
{
    SEL sel = setUp();
    auto view = std::make_shared<BenchCameraView>();
    for (auto _ : state)
        benchmark::DoNotOptimize(msgSend<int, int>(view.get(), sel, 1));
}
BENCHMARK(BM_MsgSendThroughReplacement);

void BM_MsgSendPlain(benchmark::State& state)
{
    SEL sel = setUp();
    auto view = std::make_shared<BenchView>();
    for (auto _ : state)
        benchmark::DoNotOptimize(msgSend<int, int>(view.get(), sel, 1));
}
BENCHMARK(BM_MsgSendPlain);

void BM_VirtualCallPeer(benchmark::State& state)
{
    std::unique_ptr<BenchView> view = std::make_unique<BenchCameraView>();
    benchmark::DoNotOptimize(view);
    for (auto _ : state)
        benchmark::DoNotOptimize(view->counter(1));
}
BENCHMARK(BM_VirtualCallPeer);

}
