// The file-menu entry that saves the year as an iCalendar file.
#include "treetable.h"
#include "windowfixture.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTreeWidget>
#include <libical/ical.h>

using namespace mvtest;
using namespace Qt::StringLiterals;

namespace {

// The summaries of the events of an iCalendar file, parsed by libical.
QStringList summaries(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    icalcomponent* cal = icalparser_parse_string(f.readAll().constData());
    for (icalcomponent* e = cal ? icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT)
                                : nullptr;
         e; e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
        out << QString::fromUtf8(icalcomponent_get_summary(e));
    if (cal)
        icalcomponent_free(cal);
    return out;
}

const QByteArray kOld = "old\n";

} // namespace

class TestICalendarExport : public QObject {
    Q_OBJECT
private slots:
    void mnuICalendar_data();
    void mnuICalendar();
};

void TestICalendarExport::mnuICalendar_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("typedYear"); // left in txtJahr without leaving it
    QTest::addColumn<QString>("answer");    // "FILE", "DIR" (the folder), "" (cancel)
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("icon"); // of the one box shown; -1 none
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<bool>("written");

    QTest::newRow("saved") << "Deutsch" << QString() << "FILE"
                           << "iCalendar-Datei speichern..." << true
                           << int(QMessageBox::Information) << "Datei erfolreich erstellt: \"FILE\""
                           << true;
    QTest::newRow("saved, English, typed year taken")
        << "English"
        << "2012"
        << "FILE"
        << "Save iCalendar file..." << true << int(QMessageBox::Information)
        << "File created successfully: \"FILE\"" << true;
    QTest::newRow("cancelled") << "Deutsch" << QString() << ""
                               << "iCalendar-Datei speichern..." << true << -1 << QString()
                               << false;
    QTest::newRow("cannot be written") << "Deutsch" << QString() << "DIR"
                                       << "iCalendar-Datei speichern..." << true
                                       << int(QMessageBox::Critical) << "\"DIR\"" << false;
    QTest::newRow("typed year out of range")
        << "Deutsch"
        << "1492"
        << "FILE"
        << "iCalendar-Datei speichern..." << false << int(QMessageBox::Warning)
        << "Das Jahr darf nur zwischen 1583 und 8202 liegen." << false;
}

void TestICalendarExport::mnuICalendar() {
    QFETCH(QString, language);
    QFETCH(QString, typedYear);
    QFETCH(QString, answer);
    QFETCH(QString, caption);
    QFETCH(bool, asked);
    QFETCH(int, icon);
    QFETCH(QString, boxText);
    QFETCH(bool, written);

    Program p;
    p.writeIni(u"[Feiertage]\r\nJahr=2011\r\nDefinition=100000000011\r\n[Einstellungen]\r\n"_s
               u"Sprache="_s +
               language +
               u"\r\nLand=Deutschland\r\n"_s
               u"[Weitere Tage]\r\n26.12.*\aInventur\a08:00 - 12:00\aLager\r\n"_s);
    mv::frmDef& w = p.start();
    const QString year = typedYear.isEmpty() ? QStringLiteral("2011") : typedYear;
    if (!typedYear.isEmpty())
        p.get<QLineEdit>(u"txtJahr"_s)->setText(typedYear);

    const QString file = p.dir.path() + u"/chosen.ics"_s;
    {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(kOld);
    }
    const QString chosen = answer == u"FILE"_s  ? file
                           : answer == u"DIR"_s ? p.dir.path()
                                                : QString();
    QStringList dialogs;
    w.setSaveFileDialog([&](const QString& title, const QString& suggested) {
        dialogs << title << suggested;
        return chosen;
    });

    auto* menu = p.get<QMenu>(u"mnuDatei"_s);
    auto* entry = p.get<QAction>(u"mnuICalendar"_s);
    QVERIFY(entry);
    QCOMPARE(entry->text(), caption);
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(entry);
    QVERIFY(at >= 0 && at + 1 < actions.size() && actions[at + 1]->isSeparator());

    const qsizetype boxesBefore = p.boxes.shown.size();
    entry->trigger();
    p.settle();

    QCOMPARE(!dialogs.isEmpty(), asked);
    if (asked) {
        QCOMPARE(dialogs[0], QString(caption).remove(u"..."_s));
        QCOMPARE(QFileInfo(dialogs[1]).fileName(), u"Marvolingen-"_s + year + u".ics"_s);
    }
    QCOMPARE(p.boxes.shown.size() - boxesBefore, icon < 0 ? 0 : 1);
    if (icon >= 0) {
        QCOMPARE(int(p.boxes.last().icon), icon);
        QVERIFY2(p.boxes.last().text.contains(
                     QString(boxText).replace(u"FILE"_s, file).replace(u"DIR"_s, p.dir.path())),
                 qPrintable(p.boxes.last().text));
    }
    if (written) {
        QStringList expected = columnCells(p.get<QTreeWidget>(u"lvListe"_s), 1);
        QCOMPARE(expected.size(), 4); // the list shows what was written
        QCOMPARE(summaries(file), expected);
    } else {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), kOld);
    }
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestICalendarExport)
#include "tst_icalexport.moc"
