// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef DRIVERREPORT_H
#define DRIVERREPORT_H

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

// What "storedriver try" printed about one call, and how its process ended.
struct DriverReport
{
    bool ran = false;      // the driver finished by itself and printed a report
    bool ok = false;
    bool retried = false;  // "retry": the first call failed, the second succeeded
    bool readOnly = false;
    QString error;
    QStringList tasks;
    QString errors;        // its standard error
    QString output;        // everything it printed, for failure messages

    // Runs the driver to its end, or kills it after timeoutMs.
    static DriverReport run(const QString &program, const QStringList &arguments,
                            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                            int timeoutMs = 60000)
    {
        QProcess driver;
        driver.setProcessEnvironment(environment);
        driver.start(program, arguments);
        DriverReport report;
        if (!driver.waitForFinished(timeoutMs)) {
            driver.kill();
            driver.waitForFinished();
            report.output = QStringLiteral("<no answer within %1 ms>").arg(timeoutMs);
            return report;
        }
        const QStringList lines = QString::fromUtf8(driver.readAllStandardOutput()).split(QLatin1Char('\n'));
        report.errors = QString::fromUtf8(driver.readAllStandardError());
        report.output = lines.join(QLatin1Char('\n')) + report.errors;
        report.ran = driver.exitStatus() == QProcess::NormalExit && driver.exitCode() == 0 && lines.size() >= 4;
        if (!report.ran)
            return report;
        report.ok = lines.at(0).startsWith(QLatin1String("ok"));
        report.retried = lines.at(0) == QLatin1String("ok when retried");
        report.readOnly = lines.at(1) == QLatin1String("readonly");
        report.error = QString(lines.at(2)).replace(QLatin1String("\\n"), QLatin1String("\n"));
        for (const QString &line : lines.mid(3, lines.size() - 4))
            report.tasks << QUrl::fromPercentEncoding(line.toLatin1());
        return report;
    }
};

#endif // DRIVERREPORT_H
