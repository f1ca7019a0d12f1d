// The executable's allocation functions: the quarantine of QuarantineHeap.h
// and the delete watch of DeleteWatch.h.
#include "tests/support/heap/QuarantineHeap.h"

#include "tests/support/heap/DeleteWatch.h"

#include <malloc.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

using keyloft_test::kFreedBlockPattern;

// How much is held back: the newest blocks, at most so many and so large in all.
constexpr std::size_t kHeldBlocks = 1u << 15;
constexpr std::size_t kHeldBytes = std::size_t{96} << 20;
// The set of held blocks (quarantine and watch): open addressing, twice as
// many places as blocks can be held.
constexpr std::size_t kWatchSlots = 4096;
constexpr std::size_t kSetSlots = 2 * (kHeldBlocks + kWatchSlots);
void* const kTombstone = reinterpret_cast<void*>(std::uintptr_t{1});

[[noreturn]] void Fail(const char* what, const void* block, std::size_t size, std::size_t offset)
{
    std::fprintf(stderr, "quarantine heap: %s (block %p of %zu bytes, first changed byte at %zu)\n", what, block,
                 size, offset);
    std::fflush(stderr);
    __builtin_trap();
}

// The first byte of the block that is no longer the pattern, or size.
std::size_t FirstChangedByte(const void* block, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (std::size_t at = 0; at < size; ++at) {
        if (bytes[at] != kFreedBlockPattern)
            return at;
    }
    return size;
}

class Heap {
public:
    void Lock()
    {
        while (m_busy.test_and_set(std::memory_order_acquire)) {
        }
    }
    void Unlock() { m_busy.clear(std::memory_order_release); }

    // Takes a block given back by delete (under the lock).
    void Release(void* block)
    {
        if (Contains(block))
            Fail("a block deleted while it was already deleted", block, _msize(block), 0);
        const std::size_t size = _msize(block);
        if (m_watching && m_watchCount < kWatchSlots) {
            // The watch holds it whole until it ends (poisoned only when asked).
            if (m_watchPoison)
                std::memset(block, kFreedBlockPattern, size);
            m_watched[m_watchCount++] = block;
            Insert(block);
            return;
        }
        std::memset(block, kFreedBlockPattern, size);
        if (size > kHeldBytes) {
            std::free(block);
            return;
        }
        while (m_count == kHeldBlocks || m_bytes + size > kHeldBytes)
            EvictOldest();
        m_ring[(m_first + m_count) % kHeldBlocks] = Entry{block, size};
        ++m_count;
        m_bytes += size;
        Insert(block);
    }

    void StartWatch(bool bPoison)
    {
        m_watching = true;
        m_watchPoison = bPoison;
        m_watchCount = 0;
        m_doubleDeletes = 0;
    }

    // Ends the watch: the blocks it held go back; answers the second deletes
    // it saw and (through written) the poisoned blocks written meanwhile.
    int StopWatch(int* written)
    {
        int touched = 0;
        for (std::size_t i = 0; i < m_watchCount; ++i) {
            void* block = m_watched[i];
            const std::size_t size = _msize(block);
            if (m_watchPoison && FirstChangedByte(block, size) != size)
                ++touched;
            Erase(block);
            std::free(block);
        }
        m_watchCount = 0;
        RehashWhenWorn();
        m_watching = false;
        m_watchPoison = false;
        if (written != nullptr)
            *written = touched;
        return m_doubleDeletes;
    }

    // A second delete of a block the watch holds unpoisoned is what a
    // watching test counts; any other is a fault.
    bool CountsAsWatchedSecondDelete(void* block) const
    {
        if (!m_watching)
            return false;
        for (std::size_t i = 0; i < m_watchCount; ++i) {
            if (m_watched[i] == block)
                return true;
        }
        return false;
    }
    void CountSecondDelete() { ++m_doubleDeletes; }

    keyloft_test::QuarantineCounts Counts() const
    {
        keyloft_test::QuarantineCounts counts;
        counts.heldBlocks = m_count;
        counts.heldBytes = m_bytes;
        counts.releasedBlocks = m_released;
        return counts;
    }

    // What is still held when the process ends is checked once more.
    void CheckHeld() const
    {
        for (std::size_t i = 0; i < m_count; ++i) {
            const Entry& entry = m_ring[(m_first + i) % kHeldBlocks];
            const std::size_t changed = FirstChangedByte(entry.block, entry.size);
            if (changed != entry.size)
                Fail("a block written after its delete", entry.block, entry.size, changed);
        }
    }

private:
    struct Entry {
        void* block;
        std::size_t size;
    };

    void EvictOldest()
    {
        Entry& oldest = m_ring[m_first];
        const std::size_t changed = FirstChangedByte(oldest.block, oldest.size);
        if (changed != oldest.size)
            Fail("a block written after its delete", oldest.block, oldest.size, changed);
        Erase(oldest.block);
        std::free(oldest.block);
        m_bytes -= oldest.size;
        m_first = (m_first + 1) % kHeldBlocks;
        --m_count;
        ++m_released;
        RehashWhenWorn();
    }

    static std::size_t SlotOf(const void* block)
    {
        auto key = reinterpret_cast<std::uintptr_t>(block) >> 4;
        key ^= key >> 17;
        key *= 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(key >> 20) % kSetSlots;
    }
    bool Contains(const void* block) const
    {
        for (std::size_t at = SlotOf(block);; at = (at + 1) % kSetSlots) {
            if (m_set[at] == nullptr)
                return false;
            if (m_set[at] == block)
                return true;
        }
    }
    void Insert(void* block)
    {
        std::size_t at = SlotOf(block);
        while (m_set[at] != nullptr && m_set[at] != kTombstone)
            at = (at + 1) % kSetSlots;
        m_set[at] = block;
    }
    void Erase(const void* block)
    {
        for (std::size_t at = SlotOf(block);; at = (at + 1) % kSetSlots) {
            if (m_set[at] == nullptr)
                return;
            if (m_set[at] == block) {
                m_set[at] = kTombstone;
                ++m_tombstones;
                return;
            }
        }
    }
    // Rebuilds the set from the blocks held now once erased places pile up
    // (after the erased blocks have left the ring and the watch).
    void RehashWhenWorn()
    {
        if (m_tombstones <= kSetSlots / 4)
            return;
        std::memset(m_set, 0, sizeof m_set);
        m_tombstones = 0;
        for (std::size_t i = 0; i < m_count; ++i)
            Insert(m_ring[(m_first + i) % kHeldBlocks].block);
        for (std::size_t i = 0; i < m_watchCount; ++i)
            Insert(m_watched[i]);
    }

    std::atomic_flag m_busy = ATOMIC_FLAG_INIT;
    Entry m_ring[kHeldBlocks] = {};
    std::size_t m_first = 0;
    std::size_t m_count = 0;
    std::size_t m_bytes = 0;
    std::size_t m_released = 0;
    void* m_set[kSetSlots] = {};
    std::size_t m_tombstones = 0;
    bool m_watching = false;
    bool m_watchPoison = false;
    void* m_watched[kWatchSlots] = {};
    std::size_t m_watchCount = 0;
    int m_doubleDeletes = 0;
};

// Zero-initialised before any constructor runs, and never destroyed: blocks
// are deleted until the very end of the process.
alignas(Heap) unsigned char g_heapStorage[sizeof(Heap)];
Heap& TheHeap()
{
    static Heap* const pHeap = new (g_heapStorage) Heap();
    return *pHeap;
}

void Release(void* block) noexcept
{
    if (block == nullptr)
        return;
    Heap& heap = TheHeap();
    heap.Lock();
    if (heap.CountsAsWatchedSecondDelete(block)) {
        heap.CountSecondDelete();
        heap.Unlock();
        return;
    }
    heap.Release(block);
    heap.Unlock();
}

void* Allocate(std::size_t size)
{
    return std::malloc(size != 0 ? size : 1);
}

// Checks what is still held once the process's own work is done.
struct FinalCheck {
    ~FinalCheck()
    {
        Heap& heap = TheHeap();
        heap.Lock();
        heap.CheckHeld();
        heap.Unlock();
    }
} g_finalCheck;

} // namespace

namespace keyloft_test {

QuarantineCounts GetQuarantineCounts()
{
    Heap& heap = TheHeap();
    heap.Lock();
    const QuarantineCounts counts = heap.Counts();
    heap.Unlock();
    return counts;
}

void StartDeleteWatch(bool bPoison)
{
    Heap& heap = TheHeap();
    heap.Lock();
    heap.StartWatch(bPoison);
    heap.Unlock();
}

int StopDeleteWatch(int* written)
{
    Heap& heap = TheHeap();
    heap.Lock();
    const int seen = heap.StopWatch(written);
    heap.Unlock();
    return seen;
}

} // namespace keyloft_test

void* operator new(std::size_t size)
{
    if (void* block = Allocate(size))
        return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void operator delete(void* block) noexcept
{
    Release(block);
}

void operator delete[](void* block) noexcept
{
    Release(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    Release(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    Release(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    Release(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    Release(block);
}
