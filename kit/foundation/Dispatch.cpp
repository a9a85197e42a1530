#include "kit/foundation/Dispatch.h"

#include "kit/foundation/RunLoop.h"

#include <cmath>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace kit {

namespace {

// Counts the blocks that every background queue holds, so that a caller can
// wait for all background work to finish.
struct BackgroundWork {
    std::mutex mutex;
    std::condition_variable idle;
    int pending { 0 };

    void add()
    {
        std::lock_guard lock(mutex);
        ++pending;
    }
    void done()
    {
        std::lock_guard lock(mutex);
        if (--pending == 0)
            idle.notify_all();
    }
};

BackgroundWork& backgroundWork()
{
    static auto* work = new BackgroundWork; // lives past static destruction: worker threads may still finish
    return *work;
}

// The blocks that dispatch_after holds for background queues, as the run
// loop's tasks: a task that has run, or was dropped with the run loop's
// other work, is gone or cancelled and no longer counts.
struct DelayedWork {
    std::mutex mutex;
    std::vector<std::weak_ptr<ScheduledTask>> tasks;

    void add(std::weak_ptr<ScheduledTask> task)
    {
        std::lock_guard lock(mutex);
        std::erase_if(tasks, [](const auto& weak) { return !isWaiting(weak); });
        tasks.push_back(std::move(task));
    }
    std::optional<double> next()
    {
        std::lock_guard lock(mutex);
        std::erase_if(tasks, [](const auto& weak) { return !isWaiting(weak); });
        std::optional<double> earliest;
        for (const auto& weak : tasks) {
            if (auto task = weak.lock(); task && (!earliest || task->fireTime() < *earliest))
                earliest = task->fireTime();
        }
        return earliest;
    }
    static bool isWaiting(const std::weak_ptr<ScheduledTask>& weak)
    {
        auto task = weak.lock();
        return task && !task->isCancelled();
    }
};

DelayedWork& delayedWork()
{
    static auto* work = new DelayedWork;
    return *work;
}

class MainQueue final : public DispatchQueue {
public:
    MainQueue() : DispatchQueue("com.apple.main-thread") { }
    void async(dispatch_block_t block) override { RunLoop::main().post(std::move(block)); }
    bool isMain() const override { return true; }
};

// A serial queue's thread and its blocks. The thread holds the worker, not
// the queue, so the queue can go away while blocks are still running: the
// thread finishes them and ends.
struct Worker {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<dispatch_block_t> blocks;
    bool closing { false };

    void run()
    {
        for (;;) {
            dispatch_block_t block;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [&] { return closing || !blocks.empty(); });
                if (blocks.empty())
                    return;
                block = std::move(blocks.front());
                blocks.pop_front();
            }
            block();
            block = nullptr;
            backgroundWork().done();
        }
    }
};

class SerialQueue final : public DispatchQueue {
public:
    explicit SerialQueue(std::string label)
        : DispatchQueue(std::move(label))
        , m_worker(std::make_shared<Worker>())
    {
        std::thread([worker = m_worker] { worker->run(); }).detach();
    }

    ~SerialQueue() override
    {
        std::lock_guard lock(m_worker->mutex);
        m_worker->closing = true;
        m_worker->wake.notify_all();
    }

    void async(dispatch_block_t block) override
    {
        backgroundWork().add();
        std::lock_guard lock(m_worker->mutex);
        m_worker->blocks.push_back(std::move(block));
        m_worker->wake.notify_all();
    }

    bool isMain() const override { return false; }

private:
    std::shared_ptr<Worker> m_worker;
};

}

dispatch_queue_t dispatch_get_main_queue()
{
    static dispatch_queue_t queue = std::make_shared<MainQueue>();
    return queue;
}

dispatch_queue_t dispatch_queue_create(const char* label, DispatchQueueAttribute)
{
    return std::make_shared<SerialQueue>(label ? label : "");
}

const char* dispatch_queue_get_label(const dispatch_queue_t& queue)
{
    return queue ? queue->label().c_str() : "";
}

void dispatch_async(const dispatch_queue_t& queue, dispatch_block_t block)
{
    if (queue && block)
        queue->async(std::move(block));
}

void dispatch_sync(const dispatch_queue_t& queue, dispatch_block_t block)
{
    if (!queue || !block)
        return;
    if (queue->isMain()) {
        RunLoop::main().performAndWait(std::move(block));
        return;
    }
    std::promise<void> done;
    auto finished = done.get_future();
    queue->async([&] {
        block();
        done.set_value();
    });
    finished.wait();
}

dispatch_time_t dispatch_time(dispatch_time_t when, int64_t deltaNanoseconds)
{
    if (when == DISPATCH_TIME_NOW)
        when = dispatch_time_t(std::llround(RunLoop::main().now() * double(NSEC_PER_SEC)));
    return when + deltaNanoseconds;
}

void dispatch_after(dispatch_time_t when, const dispatch_queue_t& queue, dispatch_block_t block)
{
    if (!queue || !block)
        return;
    auto& loop = RunLoop::main();
    double delay = double(when) / double(NSEC_PER_SEC) - loop.now();
    if (queue->isMain()) {
        loop.schedule(delay, std::move(block));
        return;
    }
    auto task = loop.schedule(delay, [queue, block = std::move(block)]() mutable { queue->async(std::move(block)); });
    delayedWork().add(task);
}

void DispatchQueue::waitForBackgroundWork()
{
    auto& work = backgroundWork();
    std::unique_lock lock(work.mutex);
    work.idle.wait(lock, [&] { return work.pending == 0; });
}

std::optional<double> DispatchQueue::nextDelayedBackgroundWork()
{
    return delayedWork().next();
}

int DispatchQueue::backgroundWorkCount()
{
    auto& work = backgroundWork();
    std::lock_guard lock(work.mutex);
    return work.pending;
}

}
