#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kit {

// Dispatch queues, as the platform's C interface spells them. The main queue
// is the main run loop; every other queue is serial and runs its blocks in
// order on a thread of its own.
class DispatchQueue;
using dispatch_queue_t = std::shared_ptr<DispatchQueue>;
using dispatch_block_t = std::function<void()>;

// Nanoseconds on the main run loop's clock; DISPATCH_TIME_NOW is "now".
using dispatch_time_t = int64_t;
constexpr dispatch_time_t DISPATCH_TIME_NOW = 0;
constexpr int64_t NSEC_PER_SEC = 1'000'000'000;

enum class DispatchQueueAttribute { Serial };
constexpr DispatchQueueAttribute DISPATCH_QUEUE_SERIAL = DispatchQueueAttribute::Serial;

dispatch_queue_t dispatch_get_main_queue();
dispatch_queue_t dispatch_queue_create(const char* label, DispatchQueueAttribute = DISPATCH_QUEUE_SERIAL);
const char* dispatch_queue_get_label(const dispatch_queue_t&);

void dispatch_async(const dispatch_queue_t&, dispatch_block_t);
// Runs the block on the queue and waits for it. Never call it for the queue
// you are running on.
void dispatch_sync(const dispatch_queue_t&, dispatch_block_t);
dispatch_time_t dispatch_time(dispatch_time_t when, int64_t deltaNanoseconds);
// The delay is kept on the main run loop's clock (virtual in tests); when it
// has passed, the block goes to the queue.
void dispatch_after(dispatch_time_t when, const dispatch_queue_t&, dispatch_block_t);

class DispatchQueue {
public:
    virtual ~DispatchQueue() = default;
    const std::string& label() const { return m_label; }
    virtual void async(dispatch_block_t) = 0;
    virtual bool isMain() const = 0;

    // Blocks until every background queue has run every block given to it so
    // far (blocks still waiting in dispatch_after are not counted).
    static void waitForBackgroundWork();
    // How many blocks background queues hold or are running.
    static int backgroundWorkCount();
    // When the earliest block still waiting in dispatch_after for a
    // background queue is handed to it, on the main run loop's clock;
    // nothing when none waits.
    static std::optional<double> nextDelayedBackgroundWork();

protected:
    explicit DispatchQueue(std::string label) : m_label(std::move(label)) { }

private:
    std::string m_label;
};

}
