// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hiddenmessage.h"

quint8 HiddenMessage::rotl8(quint8 value, int bits)
{
    bits &= 7;
    return quint8((value << bits) | (value >> (8 - bits)));
}

quint8 HiddenMessage::rotr8(quint8 value, int bits)
{
    bits &= 7;
    return quint8((value >> bits) | (value << (8 - bits)));
}

qint32 HiddenMessage::tableEntry(QChar character, quint8 mask)
{
    const quint8 code = quint8(character.toLatin1());
    return qint32(qint8(quint8(code ^ mask)));
}

QVector<qint32> HiddenMessage::table(const QString &passphrase, quint8 mask)
{
    QVector<qint32> entries;
    entries.reserve(passphrase.size());
    for (const QChar character : passphrase)
        entries.append(tableEntry(character, mask));
    return entries;
}

bool HiddenMessage::matches(const QString &secret, const QVector<qint32> &table, quint8 mask)
{
    if (secret.size() != table.size())
        return false;
    // No early exit: every position is compared whatever the earlier ones gave.
    bool same = true;
    for (int i = 0; i < table.size(); ++i) {
        if (tableEntry(secret.at(i), mask) != table.at(i))
            same = false;
    }
    return same;
}

QByteArray HiddenMessage::keyStream(const QString &passphrase, int length)
{
    QByteArray key(length, '\0');
    if (passphrase.isEmpty())
        return key;
    for (int i = 0; i < length; ++i)
        key[i] = passphrase.at(i % passphrase.size()).toLatin1();
    return key;
}

QString HiddenMessage::decipher(const QByteArray &block, const QString &passphrase)
{
    QByteArray key = keyStream(passphrase, block.size());
    QString message;
    for (int i = 0; i < block.size(); ++i) {
        quint8 m = quint8(block.at(i));
        quint8 k = quint8(key.at(i));
        m = rotl8(rotl8(rotl8(m, 1), 2), 4);
        m ^= k;
        k = rotl8(rotl8(rotl8(k, 4), 6), 7);
        key[i] = char(k);
        m ^= k;
        m = rotl8(rotl8(rotl8(m, 1), 2), 4);
        message.append(QChar::fromLatin1(char(m)));
    }
    return message;
}

QByteArray HiddenMessage::encipher(const QString &message, const QString &passphrase)
{
    // The steps of decipher() undone from the last to the first.
    const QByteArray key = keyStream(passphrase, message.size());
    QByteArray block(message.size(), '\0');
    for (int i = 0; i < message.size(); ++i) {
        quint8 m = quint8(message.at(i).toLatin1());
        const quint8 k = quint8(key.at(i));
        const quint8 rotatedKey = rotl8(rotl8(rotl8(k, 4), 6), 7);
        m = rotr8(rotr8(rotr8(m, 4), 2), 1);
        m ^= rotatedKey;
        m ^= k;
        m = rotr8(rotr8(rotr8(m, 4), 2), 1);
        block[i] = char(m);
    }
    return block;
}
