#include "kit/ui/PixelMemory.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace kit {

namespace {

constexpr size_t hugePageSize = size_t(2) << 20;

// Under the address sanitizer every block comes from the heap, where
// overruns are caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool mapLargeBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool mapLargeBlocks = false;
#else
constexpr bool mapLargeBlocks = true;
#endif
#else
constexpr bool mapLargeBlocks = true;
#endif

}

PixelMemory::PixelMemory(size_t size)
    : m_size(size)
{
    if (size == 0)
        return;
    if (size < hugePageSize || !mapLargeBlocks) {
        m_bytes = static_cast<uint8_t*>(std::calloc(size, 1));
        if (!m_bytes)
            throw std::bad_alloc();
        return;
    }
    // Map a huge page more than needed, so that the block can start on a
    // huge-page boundary, and give the unused ends back.
    size_t rounded = (size + hugePageSize - 1) / hugePageSize * hugePageSize;
    size_t mapped = rounded + hugePageSize;
    void* mapping = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED)
        throw std::bad_alloc();
    auto start = reinterpret_cast<uintptr_t>(mapping);
    uintptr_t aligned = (start + hugePageSize - 1) / hugePageSize * hugePageSize;
    if (aligned > start)
        munmap(mapping, aligned - start);
    size_t tail = (start + mapped) - (aligned + rounded);
    if (tail)
        munmap(reinterpret_cast<void*>(aligned + rounded), tail);
    m_mapping = reinterpret_cast<void*>(aligned);
    m_mappingSize = rounded;
    // Only a hint: without huge pages the block still works, on small ones.
    madvise(m_mapping, m_mappingSize, MADV_HUGEPAGE);
    m_bytes = static_cast<uint8_t*>(m_mapping);
}

PixelMemory::~PixelMemory()
{
    release();
}

PixelMemory::PixelMemory(const PixelMemory& other)
    : PixelMemory(other.m_size)
{
    if (m_size)
        std::memcpy(m_bytes, other.m_bytes, m_size);
}

PixelMemory& PixelMemory::operator=(const PixelMemory& other)
{
    if (this != &other)
        *this = PixelMemory(other);
    return *this;
}

PixelMemory::PixelMemory(PixelMemory&& other) noexcept
    : m_bytes(std::exchange(other.m_bytes, nullptr))
    , m_size(std::exchange(other.m_size, 0))
    , m_mapping(std::exchange(other.m_mapping, nullptr))
    , m_mappingSize(std::exchange(other.m_mappingSize, 0))
{
}

PixelMemory& PixelMemory::operator=(PixelMemory&& other) noexcept
{
    if (this != &other) {
        release();
        m_bytes = std::exchange(other.m_bytes, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapping = std::exchange(other.m_mapping, nullptr);
        m_mappingSize = std::exchange(other.m_mappingSize, 0);
    }
    return *this;
}

void PixelMemory::release()
{
    if (m_mapping)
        munmap(m_mapping, m_mappingSize);
    else
        std::free(m_bytes);
    m_bytes = nullptr;
    m_size = 0;
    m_mapping = nullptr;
    m_mappingSize = 0;
}

}
