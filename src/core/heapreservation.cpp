// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "heapreservation.h"

#include <atomic>

// A sanitizer's allocator keeps freed blocks aside for a while: holding
// large ones there would only cost memory.
#if defined(__SANITIZE_ADDRESS__)
#define CORVANE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define CORVANE_SANITIZED 1
#endif
#endif

#if defined(__GLIBC__) && !defined(CORVANE_SANITIZED)
#define CORVANE_HEAP_RESERVATION 1
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>
#endif

namespace {

// Set while a reservation holds the room, so that one made inside it, by
// the same load, leaves the room alone.
std::atomic<bool> roomHeld{false};

#ifdef CORVANE_HEAP_RESERVATION
constexpr size_t HugePage = size_t(2) << 20;
// The largest block glibc ever learns to take from the heap rather than map
// on its own: freeing a mapped block raises its threshold to that block's
// size, up to this, and its threshold for giving memory back to twice that.
constexpr size_t LargestHeapBlock = size_t(32) << 20;
// Above the sizes that glibc keeps in per-thread caches and fast bins, so
// that freeing it joins it to its free neighbours and the top, as any
// block that large is.
constexpr size_t CapSize = size_t(64) << 10;

// Brings glibc's own tuning where it ends in any program that frees a large
// block: blocks of some 32 MiB come from the heap, and a free top of twice
// that is kept. No setting is changed, so the tuning stays glibc's own.
void learnLargeBlocks()
{
    static const bool learnt = [] {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        // Volatile, or the compiler drops the pair as doing nothing.
        void *volatile mapped = malloc(LargestHeapBlock - page - 64);
        free(mapped);
        return true;
    }();
    Q_UNUSED(learnt);
}
#endif

} // namespace

HeapReservation::HeapReservation(qint64 bytes)
{
    if (bytes < MinimumBytes)
        return;
    bool expected = false;
    if (!roomHeld.compare_exchange_strong(expected, true))
        return;
    m_outermost = true;
    reserve(bytes);
}

HeapReservation::~HeapReservation()
{
#ifdef CORVANE_HEAP_RESERVATION
    // The blocks below the cap, and whatever of them is still free, join
    // the top again, which the allocator then trims by its own rules.
    free(m_spacer);
    free(m_cap);
#endif
    if (m_outermost)
        roomHeld = false;
}

void HeapReservation::reserve(qint64 bytes)
{
#ifdef CORVANE_HEAP_RESERVATION
    learnLargeBlocks();
    // A free top large enough is room already: growing the heap once more
    // would leave that top as a free block that small blocks are taken
    // from first, on whatever pages it has.
    if (mallinfo2().keepcost >= size_t(bytes))
        return;

    // Blocks a little under the largest heap block come from the heap:
    // holding them all grows it by as much, in a few steps, without
    // touching the pages.
    char *const start = static_cast<char *>(sbrk(0));
    // The list of blocks is made first: allocated between them and the
    // top, it would keep them from going back into the top.
    const size_t block = LargestHeapBlock - (size_t(1) << 20);
    std::vector<void *> blocks;
    blocks.reserve(size_t((bytes + qint64(block) - 1) / qint64(block)));
    for (qint64 left = bytes; left > 0; left -= qint64(block)) {
        void *held = malloc(block);
        if (!held)
            break;
        blocks.push_back(held);
    }
    char *const end = static_cast<char *>(sbrk(0));
    if (blocks.empty() || start == reinterpret_cast<char *>(-1) || end <= start) {
        for (void *held : blocks)
            free(held);
        return;
    }
    adviseHugePages(start, end - start);
    // The last block shrinks to the cap, giving the rest back to the top;
    // the others are freed below it, as one free block that the top cannot
    // swallow and so the allocator cannot give back while the cap stays.
    for (size_t i = 0; i + 1 < blocks.size(); ++i)
        free(blocks[i]);
    m_cap = realloc(blocks.back(), CapSize);

    // Blocks come from the start of the room, which lies below the first
    // whole huge page: a spacer holds that part while the room is used, so
    // that what follows it lands in huge pages. A block too large for any
    // free block but the room starts there; shrinking it keeps it in place.
    const quintptr aligned = (reinterpret_cast<quintptr>(start) + HugePage - 1) & ~quintptr(HugePage - 1);
    void *first = malloc(block);
    const qint64 gap = qint64(aligned) - qint64(reinterpret_cast<quintptr>(first)) - 64;
    if (first && gap > 0 && gap < qint64(block))
        m_spacer = realloc(first, size_t(gap));
    else
        free(first);
#else
    Q_UNUSED(bytes);
#endif
}

void HeapReservation::adviseHugePages(char *data, qint64 size)
{
#ifdef CORVANE_HEAP_RESERVATION
    if (size < MinimumBytes)
        return;
    // Whole huge pages only: the ends share theirs with other memory.
    const quintptr first = (reinterpret_cast<quintptr>(data) + HugePage - 1) & ~quintptr(HugePage - 1);
    const quintptr last = (reinterpret_cast<quintptr>(data) + quintptr(size)) & ~quintptr(HugePage - 1);
    if (last > first)
        madvise(reinterpret_cast<void *>(first), size_t(last - first), MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}
