#pragma once

#include "groupwise/runs.h"
#include "settings/cipher.h"
#include "settings/codepage.h"
#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QFile>
#include <QStringList>

// Records what a run tells, one text per call, in order.
class RunRecorder : public mv::RunObserver {
public:
    QStringList events;
    QList<mv::ProcessingRow> finished;
    QList<mv::Msg> warnings;
    int dayResults = 0;
    QList<std::pair<int, int>> progressed;

    void warning(mv::Msg m, const mv::Notice& n) override {
        warnings.append(m);
        events << QStringLiteral("warning:") + n.text;
    }
    void runStarted(mv::RunKind kind, int targets) override {
        events << (kind == mv::RunKind::Write ? QStringLiteral("run:write:")
                                              : QStringLiteral("run:delete-all:")) +
                      QString::number(targets);
    }
    void targetStarted(const QString& t) override { events << QStringLiteral("target:") + t; }
    void loginResult(const QString& t, bool ok) override {
        events << QStringLiteral("login:") + t +
                      (ok ? QStringLiteral(":OK") : QStringLiteral(":--"));
    }
    void dayStarted(const QString& t, const mv::DayEntry& d) override {
        events << QStringLiteral("day:") + t + QLatin1Char(':') + d.date;
    }
    void dayResult(const QString& t, const mv::DayEntry& d, bool ok) override {
        ++dayResults;
        events << QStringLiteral("result:") + t + QLatin1Char(':') + d.date +
                      (ok ? QStringLiteral(":OK") : QStringLiteral(":--"));
    }
    void entryDeleted(const QString& t, int number, bool ok) override {
        events << QStringLiteral("deleted:") + t + QLatin1Char(':') + QString::number(number) +
                      (ok ? QStringLiteral(":OK") : QStringLiteral(":--"));
    }
    void targetFinished(const mv::ProcessingRow& row) override { finished.append(row); }
    void progress(int done, int total) override { progressed.append({done, total}); }
    void runFinished() override { events << QStringLiteral("finished"); }
};

inline void storeKey(const QString& folder, const QString& key) {
    mv::ProfileFile f(folder + QStringLiteral("/Feiertage.ini"));
    f.writeKey(QStringLiteral("GroupWise"), QStringLiteral("Schlüssel"),
               mv::EncryptText(key, QString::fromLatin1(mv::kPassPhrase)));
}

inline void storeSetting(const QString& folder, const QString& key, const QString& value) {
    mv::ProfileFile f(folder + QStringLiteral("/Feiertage.ini"));
    f.writeKey(QStringLiteral("GroupWise"), key, value);
}

inline QString readLog(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return mv::fromCp1252(f.readAll());
}

inline mv::MessageTable table(const QString& language) {
    mv::MessageTable t;
    if (const auto l = mv::languageFromText(language))
        t.fill(*l);
    return t;
}

inline mv::AddressList usersOf(const QStringList& ids) {
    mv::AddressList list;
    for (const QString& id : ids)
        list.append(mv::AddressRow{id, QStringLiteral("User"), QStringLiteral("Dom"),
                                   QStringLiteral("PO1")});
    return list;
}
