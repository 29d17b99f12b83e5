// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "productbacklog.h"

#include "hiddenmessage.h"
#include "listedits.h"

#include <QVector>

productbacklog::productbacklog()
    : productbacklog(ReadNow)
{
}

productbacklog::productbacklog(Reading reading)
    : file(fileName())
    , unread(reading == ReadWhenUsed)
{
    if (unread)
        file.ensureExists();
    else
        file.load(tasks);
}

void productbacklog::readIfUnread() const
{
    if (!unread)
        return;
    unread = false;
    file.load(tasks);
}

bool productbacklog::addItem(QString item)
{
    return change(ListEdits::insert(ListEdits::End, ListEdits::lines(item)));
}

bool productbacklog::removeItem(QString item)
{
    return change(ListEdits::removeFirst(item));
}

bool productbacklog::editItem(QString item, QString newtext)
{
    return change(ListEdits::replaceFirst(item, ListEdits::lines(newtext)));
}

QStringList productbacklog::getItems() const
{
    readIfUnread();
    return tasks;
}

bool productbacklog::write(QString secret)
{
    // Made with tools/corvane-encipher. The table is the passphrase xor'd
    // with the one-byte mask beside it: a puzzle for the curious, not a
    // secret, since anyone who reads this can unmask it. The message is
    // enciphered with the passphrase, so it shows in no string of the
    // program, and is read by unmasking the table first.
    const quint8 mask = 0xa5;
    const QVector<qint32> table{-29, -49, 93, -41, -63, -120, 97, -56, -57, -64, -41, -110};
    const unsigned char block[26] = {
        0x9c, 0xb4, 0x97, 0xf4, 0xe4, 0x6a, 0x1a, 0x3e, 0xf0, 0x8a, 0xe0, 0x32, 0x24,
        0xe8, 0xdf, 0xad, 0x94, 0x2f, 0x53, 0xca, 0xf4, 0x8e, 0xe0, 0x32, 0x24, 0xfe,
    };

    if (!HiddenMessage::matches(secret, table, mask)) {
        file.setErrorString(QString());
        return false;
    }
    const QByteArray enciphered(reinterpret_cast<const char *>(block), sizeof block);
    return addItem(HiddenMessage::decipher(enciphered, secret));
}

bool productbacklog::change(const TaskListFile::Edit &edit, TaskListFile::Rules rules)
{
    readIfUnread();
    return file.change(tasks, edit, rules);
}

bool productbacklog::refresh()
{
    if (unread) {
        readIfUnread();
        return true;
    }
    return file.refresh(tasks);
}

bool productbacklog::isReadOnly() const
{
    readIfUnread();
    return file.isReadOnly();
}

bool productbacklog::isNotFound() const
{
    return file.isNotFound();
}

TaskListFile::Refusal productbacklog::refusal() const
{
    return file.refusal();
}

QString productbacklog::errorString() const
{
    return file.errorString();
}

QString productbacklog::fileName()
{
    return QStringLiteral("product_backlog");
}

bool productbacklog::writeChanges()
{
    readIfUnread();
    return file.rewrite(tasks);
}
