// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef HEAPRESERVATION_H
#define HEAPRESERVATION_H

#include <QtGlobal>

// Room at the top of the heap for many small blocks about to be allocated,
// such as the strings of a long list being loaded, made in one step and
// advised to the system as worth backing with huge pages.
//
// A fresh process meets every page of new memory with a page fault, and on
// virtual machines a fault costs ten microseconds or more: a list of 100,000
// tasks needs some 5,000 pages, a huge page holds 512 of them. Without this,
// the heap grows by a little at a time and is faulted in page by page.
//
// It changes none of the allocator's settings: the room is held by blocks
// it frees, kept from being given back by one small block above them while
// it exists. Reservations nest: only the outermost makes room, which the
// inner ones share. Only where the C library is glibc; elsewhere, and under
// a sanitizer's own allocator, it makes no room but nests all the same.
class HeapReservation
{
public:
    explicit HeapReservation(qint64 bytes);
    ~HeapReservation();
    HeapReservation(const HeapReservation &) = delete;
    HeapReservation &operator=(const HeapReservation &) = delete;

    // Whether this one holds the process's room: false for one nested in
    // another, or too small to be worth it.
    bool isOutermost() const { return m_outermost; }

    // Below this, page faults cost too little to be worth it.
    static constexpr qint64 MinimumBytes = 4 << 20;

    // Advises the whole huge pages within one large block, such as a
    // buffer about to be filled, to be backed by huge pages.
    static void adviseHugePages(char *data, qint64 size);

private:
    void reserve(qint64 bytes);

    bool m_outermost = false;
    void *m_cap = nullptr;
    void *m_spacer = nullptr;
};

#endif // HEAPRESERVATION_H
