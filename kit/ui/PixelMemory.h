#pragma once

#include <cstddef>
#include <cstdint>

namespace kit {

// Zeroed memory for a bitmap's pixels, owned by one bitmap or context.
//
// A full-size photo is 32 MB. Zeroing it with memset and then faulting in
// its 8 000 small pages cost more than decoding into it, so large blocks come
// straight from the kernel, which hands out zeroed pages, and on huge pages
// where the system offers them on request. Small blocks come from the heap.
// Throws std::bad_alloc when the memory cannot be had, as a vector would.
class PixelMemory {
public:
    PixelMemory() = default;
    explicit PixelMemory(size_t size);
    ~PixelMemory();

    // A copy holds the same bytes in memory of its own.
    PixelMemory(const PixelMemory&);
    PixelMemory& operator=(const PixelMemory&);
    PixelMemory(PixelMemory&&) noexcept;
    PixelMemory& operator=(PixelMemory&&) noexcept;

    uint8_t* data() { return m_bytes; }
    const uint8_t* data() const { return m_bytes; }
    size_t size() const { return m_size; }

private:
    void release();

    uint8_t* m_bytes { nullptr };
    size_t m_size { 0 };
    // The kernel mapping behind a large block, or none for a heap block.
    void* m_mapping { nullptr };
    size_t m_mappingSize { 0 };
};

}
