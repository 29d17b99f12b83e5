// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef HIDDENMESSAGE_H
#define HIDDENMESSAGE_H

#include <QByteArray>
#include <QString>
#include <QVector>

// The cipher behind the hidden backlog message. The program keeps only a
// table made from the passphrase and the message in enciphered form; the
// passphrase the user types is both the key to the table and the key stream
// that deciphers the message. Passphrase and message are Latin-1 text.
class HiddenMessage
{
public:
    // Rotations of an 8-bit value; bits outside 0..7 wrap round.
    static quint8 rotl8(quint8 value, int bits);
    static quint8 rotr8(quint8 value, int bits);

    // The table entry for one passphrase character: its Latin-1 code (0 for
    // a character outside Latin-1) xor'd with the mask, as a signed byte.
    static qint32 tableEntry(QChar character, quint8 mask);
    static QVector<qint32> table(const QString &passphrase, quint8 mask);

    // True when secret has one character per table entry and every
    // character gives its entry. Every position is compared.
    static bool matches(const QString &secret, const QVector<qint32> &table, quint8 mask);

    // The passphrase's Latin-1 codes repeated to length bytes.
    static QByteArray keyStream(const QString &passphrase, int length);

    // decipher(encipher(message, p), p) == message for any non-empty
    // Latin-1 passphrase p and Latin-1 message.
    static QString decipher(const QByteArray &block, const QString &passphrase);
    static QByteArray encipher(const QString &message, const QString &passphrase);
};

#endif // HIDDENMESSAGE_H
