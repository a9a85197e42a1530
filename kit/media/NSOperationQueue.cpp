#include "kit/media/NSOperationQueue.h"

#include "kit/runtime/Class.h"

namespace kit {

KIT_REGISTER_CLASS(NSOperationQueue);

NSOperationQueue::NSOperationQueue()
    : m_queue(dispatch_queue_create("NSOperationQueue"))
{
}

NSOperationQueue::NSOperationQueue(dispatch_queue_t queue)
    : m_queue(std::move(queue))
{
}

std::shared_ptr<NSOperationQueue> NSOperationQueue::mainQueue()
{
    static auto queue = std::shared_ptr<NSOperationQueue>(new NSOperationQueue(dispatch_get_main_queue()));
    return queue;
}

void NSOperationQueue::addOperationWithBlock(std::function<void()> block)
{
    {
        std::lock_guard lock(m_pending->mutex);
        ++m_pending->count;
    }
    // The count outlives the queue, so a block may finish after the queue is gone.
    dispatch_async(m_queue, [pending = m_pending, block = std::move(block)] {
        if (block)
            block();
        std::lock_guard lock(pending->mutex);
        if (--pending->count == 0)
            pending->done.notify_all();
    });
}

size_t NSOperationQueue::operationCount() const
{
    std::lock_guard lock(m_pending->mutex);
    return m_pending->count;
}

void NSOperationQueue::waitUntilAllOperationsAreFinished()
{
    std::unique_lock lock(m_pending->mutex);
    m_pending->done.wait(lock, [&] { return m_pending->count == 0; });
}

}
