#pragma once

#include "groupwise/runs.h"
#include "settings/cipher.h"
#include "settings/codepage.h"
#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QFile>
#include <QStringList>

// Records what a run shows, one text per call, in order.
class RunRecorder : public mv::RunObserver {
public:
    QStringList events;
    QStringList designations;
    QList<mv::ProcessingRow> finished;
    QList<mv::Msg> warnings;
    int processed = 0;

    void warning(mv::Msg m, const mv::Notice& n) override {
        warnings.append(m);
        events << QStringLiteral("warning:") + n.text;
    }
    void clearRows() override { events << QStringLiteral("clear"); }
    void showLabels(Labels which) override {
        events << (which == Labels::All ? QStringLiteral("labels:all")
                                        : QStringLiteral("labels:designation"));
    }
    void hideLabels() override { events << QStringLiteral("labels:hide"); }
    void nameLabel(const QString& t) override { events << QStringLiteral("name:") + t; }
    void dateLabel(const QString& t) override { events << QStringLiteral("date:") + t; }
    void designationLabel(const QString& t) override {
        designations << t;
        events << QStringLiteral("designation:") + t;
    }
    void userStarted(const QString& t) override { events << QStringLiteral("user:") + t; }
    void loginColumn(const QString& t) override { events << QStringLiteral("login:") + t; }
    void entryColumn(const QString& t) override { events << QStringLiteral("entry:") + t; }
    void userFinished(const mv::ProcessingRow& row) override { finished.append(row); }
    void processEvents() override { ++processed; }
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
    t.fill(language);
    return t;
}

inline mv::AddressList usersOf(const QStringList& ids) {
    mv::AddressList list;
    for (const QString& id : ids)
        list.append(mv::AddressRow{id, QStringLiteral("User"), QStringLiteral("Dom"),
                                   QStringLiteral("PO1")});
    return list;
}
