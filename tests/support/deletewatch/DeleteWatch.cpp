// The executable's allocation functions, with the watch of DeleteWatch.h.
#include "tests/support/deletewatch/DeleteWatch.h"

#include <malloc.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char kPoison = 0xDD;

struct DeleteWatch {
    static constexpr int kSlots = 4096;
    std::atomic_flag busy = ATOMIC_FLAG_INIT;
    bool watching = false;
    bool poison = false;
    void* kept[kSlots] = {};
    int keptCount = 0;
    int doubleDeletes = 0;

    void Lock()
    {
        while (busy.test_and_set(std::memory_order_acquire)) {
        }
    }
    void Unlock() { busy.clear(std::memory_order_release); }
};

DeleteWatch g_watch;

void Release(void* block) noexcept
{
    if (block == nullptr)
        return;
    g_watch.Lock();
    if (g_watch.watching) {
        for (int i = 0; i < g_watch.keptCount; ++i) {
            if (g_watch.kept[i] == block) {
                ++g_watch.doubleDeletes;
                g_watch.Unlock();
                return;
            }
        }
        if (g_watch.keptCount < DeleteWatch::kSlots) {
            g_watch.kept[g_watch.keptCount++] = block;
            if (g_watch.poison)
                std::memset(block, kPoison, _msize(block));
            g_watch.Unlock();
            return;
        }
    }
    g_watch.Unlock();
    std::free(block);
}

} // namespace

namespace keyloft_test {

void StartDeleteWatch(bool bPoison)
{
    g_watch.Lock();
    g_watch.watching = true;
    g_watch.poison = bPoison;
    g_watch.keptCount = 0;
    g_watch.doubleDeletes = 0;
    g_watch.Unlock();
}

int StopDeleteWatch(int* written)
{
    g_watch.Lock();
    g_watch.watching = false;
    int touched = 0;
    for (int i = 0; i < g_watch.keptCount; ++i) {
        if (g_watch.poison) {
            const auto* bytes = static_cast<const unsigned char*>(g_watch.kept[i]);
            const std::size_t size = _msize(g_watch.kept[i]);
            for (std::size_t at = 0; at < size; ++at) {
                if (bytes[at] != kPoison) {
                    ++touched;
                    break;
                }
            }
        }
        std::free(g_watch.kept[i]);
    }
    g_watch.poison = false;
    if (written != nullptr)
        *written = touched;
    g_watch.keptCount = 0;
    const int seen = g_watch.doubleDeletes;
    g_watch.Unlock();
    return seen;
}

} // namespace keyloft_test

void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size != 0 ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    Release(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    Release(block);
}
