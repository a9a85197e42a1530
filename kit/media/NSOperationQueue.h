#pragma once

#include "kit/foundation/Dispatch.h"
#include "kit/runtime/Object.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace kit {

// Runs blocks: the main queue on the main run loop, every other queue one
// block after another on a background thread of its own (the platform may
// run several at once; nothing here relies on that).
class NSOperationQueue final : public Object {
    KIT_OBJECT(NSOperationQueue, Object)

public:
    NSOperationQueue();
    static std::shared_ptr<NSOperationQueue> mainQueue();

    bool isMainQueue() const { return m_queue->isMain(); }
    void addOperationWithBlock(std::function<void()>);
    // Blocks not yet finished.
    size_t operationCount() const;
    // Waits until every block added so far has run. Not from one of the
    // queue's own blocks, and not for the main queue on the main thread.
    void waitUntilAllOperationsAreFinished();

private:
    struct Pending {
        mutable std::mutex mutex;
        std::condition_variable done;
        size_t count { 0 };
    };
    explicit NSOperationQueue(dispatch_queue_t);

    dispatch_queue_t m_queue;
    std::shared_ptr<Pending> m_pending { std::make_shared<Pending>() };
};

}
