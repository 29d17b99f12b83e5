#include "heapreservation.h"

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

#ifdef CORVANE_HEAP_RESERVATION
// Where glibc's own tuning takes the thresholds in a program that allocates
// and frees large blocks: blocks up to 32 MiB come from the heap, and the
// heap keeps up to 64 MiB free at its top. Set once and for good, since
// setting either stops that tuning.
constexpr size_t MmapThreshold = size_t(32) << 20;
constexpr size_t TrimThreshold = size_t(64) << 20;
constexpr size_t HugePage = size_t(2) << 20;

void settleThresholds()
{
    static const bool settled = mallopt(M_MMAP_THRESHOLD, int(MmapThreshold)) == 1
        && mallopt(M_TRIM_THRESHOLD, int(TrimThreshold)) == 1;
    Q_UNUSED(settled);
}
#endif

} // namespace

HeapReservation::HeapReservation(qint64 bytes)
{
#ifdef CORVANE_HEAP_RESERVATION
    if (bytes < MinimumBytes)
        return;
    settleThresholds();
#if __GLIBC_PREREQ(2, 33)
    // A free top large enough is room already: growing the heap once more
    // would leave that top as a free block that small blocks are taken
    // from first, on whatever pages it has.
    if (mallinfo2().keepcost >= size_t(bytes))
        return;
#endif
    // Nothing may give the room back before it is used.
    mallopt(M_TRIM_THRESHOLD, -1);
    m_active = true;

    // Blocks a little under the threshold come from the heap: holding them
    // all grows it by as much, in a few steps, without touching the pages.
    char *const start = static_cast<char *>(sbrk(0));
    // The list of blocks is made first: allocated between them and the
    // top, it would keep them from going back into the top.
    const size_t block = MmapThreshold - (size_t(1) << 20);
    std::vector<void *> blocks;
    blocks.reserve(size_t((bytes + qint64(block) - 1) / qint64(block)));
    for (qint64 left = bytes; left > 0; left -= qint64(block)) {
        void *held = malloc(block);
        if (!held)
            break;
        blocks.push_back(held);
    }
    char *const end = static_cast<char *>(sbrk(0));
    if (start == reinterpret_cast<char *>(-1) || end <= start) {
        for (void *held : blocks)
            free(held);
        return;
    }
    adviseHugePages(start, end - start);
    for (void *held : blocks)
        free(held);

    // Blocks come from the start of the free top, which lies below the
    // first whole huge page: a spacer holds that part while the room is
    // used, so that what follows it lands in huge pages. A block too large
    // for any free block but the top starts there; shrinking it keeps it
    // in place.
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

HeapReservation::~HeapReservation()
{
#ifdef CORVANE_HEAP_RESERVATION
    free(m_spacer);
    if (m_active)
        mallopt(M_TRIM_THRESHOLD, int(TrimThreshold));
#else
    Q_UNUSED(m_active);
    Q_UNUSED(m_spacer);
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
