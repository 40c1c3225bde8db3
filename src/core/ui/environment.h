#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace mv {

// What differs between a test and a real run, passed in instead of read from globals.
struct Environment {
    QString programFolder;     // holds Feiertage.ini, the logs, GroupWise/
    QString systemCountryCode; // telephone country code of the system locale, "" if unknown
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    QDate today() const { return now().date(); }
    // The folder trimmed, with the separator appended when missing.
    QString folderWithSeparator() const;
    QString settingsPath() const { return folderWithSeparator() + QStringLiteral("Feiertage.ini"); }

    // Country code of the machine's locale territory (49, 1, ... or "").
    static QString systemCountryCodeFromLocale();
};

} // namespace mv
