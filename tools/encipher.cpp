// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the passphrase table and the enciphered message block that
// productbacklog::write() holds, as C++ initialisers to paste there.
//
//   cmake -S . -B build -DCORVANE_EXTRAS=ON && cmake --build build --target corvane-encipher && build/tools/corvane-encipher PASSPHRASE MASK MESSAGE
//
// PASSPHRASE: 12 characters, MESSAGE: 26 characters, both Latin-1 text
// given as UTF-8 arguments (no NUL; the message also no line break, since
// it becomes one line of the backlog file). MASK: one byte, decimal or 0x..
// Before printing, the output is checked by deciphering it again.

#include "hiddenmessage.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

const int passphraseLength = 12;
const int messageLength = 26;

// Why text cannot be used, or an empty string when it can.
QString unusable(const QString &what, const QString &text, int length, bool oneLine)
{
    if (text.size() != length)
        return QStringLiteral("%1 has %2 characters, not %3").arg(what).arg(text.size()).arg(length);
    for (const QChar c : text) {
        if (c.unicode() == 0 || c.unicode() > 0xff)
            return QStringLiteral("%1 holds a character outside Latin-1 or a NUL").arg(what);
        if (oneLine && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            return QStringLiteral("%1 holds a line break").arg(what);
    }
    return QString();
}

QString hexByte(quint8 value)
{
    return QStringLiteral("0x%1").arg(value, 2, 16, QLatin1Char('0'));
}

} // namespace

int main(int argc, char **argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc != 4) {
        err << "usage: " << argv[0] << " PASSPHRASE MASK MESSAGE\n";
        return 2;
    }

    const QString passphrase = QString::fromUtf8(argv[1]);
    const QString message = QString::fromUtf8(argv[3]);
    bool maskOk = false;
    const uint maskValue = QString::fromUtf8(argv[2]).toUInt(&maskOk, 0);
    QString problem;
    if (!maskOk || maskValue > 0xff)
        problem = QStringLiteral("the mask is not a byte (0 to 255, or 0x00 to 0xff)");
    if (problem.isEmpty())
        problem = unusable(QStringLiteral("the passphrase"), passphrase, passphraseLength, false);
    if (problem.isEmpty())
        problem = unusable(QStringLiteral("the message"), message, messageLength, true);
    if (!problem.isEmpty()) {
        err << argv[0] << ": " << problem << "\n";
        return 2;
    }
    const quint8 mask = quint8(maskValue);

    const QVector<qint32> table = HiddenMessage::table(passphrase, mask);
    const QByteArray block = HiddenMessage::encipher(message, passphrase);
    if (!HiddenMessage::matches(passphrase, table, mask)
        || HiddenMessage::decipher(block, passphrase) != message) {
        err << argv[0] << ": the block does not decipher back to the message\n";
        return 1;
    }

    QStringList entries;
    for (const qint32 entry : table)
        entries << QString::number(entry);
    QStringList bytes;
    for (const char byte : block)
        bytes << hexByte(quint8(byte));

    out << "    const quint8 mask = " << hexByte(mask) << ";\n";
    out << "    const QVector<qint32> table{" << entries.join(QStringLiteral(", ")) << "};\n";
    out << "    const unsigned char block[" << block.size() << "] = {\n";
    for (int i = 0; i < bytes.size(); i += 13)
        out << "        " << bytes.mid(i, 13).join(QStringLiteral(", ")) << ",\n";
    out << "    };\n";
    return 0;
}
