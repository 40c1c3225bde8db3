#include "frmabout.h"
#include "frmeinstellungen.h"
#include "frmlanguage.h"

#include "messagerecorder.h"
#include "settings/profilefile.h"
#include "settingsfiles.h"
#include "ui/messages.h"

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace mv;
using mvtest::fileBytes;
using mvtest::MessageRecorder;
using mvtest::messageTable;
using mvtest::writeFile;

namespace {

template <typename T> T* child(QWidget& parent, const char* name) {
    T* w = parent.findChild<T*>(QString::fromUtf8(name));
    if (!w)
        qFatal("control %s missing", name);
    return w;
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void languageLoad_data();
    void languageLoad();
    void languageOkTakesChoice_data();
    void languageOkTakesChoice();
    void languageOkRefusedWithoutCountry();
    void languageCancel();

    void settingsLoadAndStoreVersion_data();
    void settingsLoadAndStoreVersion();
    void settingsOkAndCancel_data();
    void settingsOkAndCancel();
    void settingsFailedWriteKeepsDialogOpen();
    void settingsCaptions();

    void aboutTexts();
    void aboutSysInfoMessage();
};

void TestDialogs::languageLoad_data() {
    QTest::addColumn<QString>("tableLanguage");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<int>("languageIndex");
    QTest::addColumn<int>("countryIndex");

    QTest::newRow("English/USA") << "English"
                                 << "English"
                                 << "USA"
                                 << "Language/Country"
                                 << "Language"
                                 << "Country" << 1 << 1;
    QTest::newRow("Deutsch/Deutschland") << "Deutsch"
                                         << "Deutsch"
                                         << "Deutschland"
                                         << "Sprache/Land"
                                         << "Sprache"
                                         << "Land" << 0 << 0;
    QTest::newRow("German UI, USA") << "Deutsch"
                                    << "Deutsch"
                                    << "USA"
                                    << "Sprache/Land"
                                    << "Sprache"
                                    << "Land" << 0 << 1;
    QTest::newRow("Östereich selects no country")
        << "Deutsch"
        << "Deutsch" << QStringLiteral("Östereich") << "Sprache/Land"
        << "Sprache"
        << "Land" << 0 << -1;
    // Only the exact words count; anything else falls back to the first entries.
    QTest::newRow("lower-case words") << "English"
                                      << "english"
                                      << "usa"
                                      << "Language/Country"
                                      << "Language"
                                      << "Country" << 0 << 0;
    QTest::newRow("empty values") << "English"
                                  << ""
                                  << ""
                                  << "Language/Country"
                                  << "Language"
                                  << "Country" << 0 << 0;
}

void TestDialogs::languageLoad() {
    QFETCH(QString, tableLanguage);
    QFETCH(QString, language);
    QFETCH(QString, country);
    QFETCH(QString, caption);
    QFETCH(QString, label1);
    QFETCH(QString, label2);
    QFETCH(int, languageIndex);
    QFETCH(int, countryIndex);

    const MessageTable messages = messageTable(tableLanguage);
    frmlanguage dlg(nullptr, messages, languageFromStored(language), Country::fromStored(country));
    QCOMPARE(dlg.objectName(), QStringLiteral("frmlanguage"));
    QCOMPARE(dlg.windowTitle(), caption);
    QCOMPARE(child<QLabel>(dlg, "Label1")->text(), label1);
    QCOMPARE(child<QLabel>(dlg, "Label2")->text(), label2);

    auto* cmbSprache = child<QComboBox>(dlg, "cmbSprache");
    auto* cmbLand = child<QComboBox>(dlg, "cmbLand");
    QCOMPARE(cmbSprache->count(), 2);
    QCOMPARE(cmbSprache->itemText(0), QStringLiteral("Deutsch"));
    QCOMPARE(cmbSprache->itemText(1), QStringLiteral("English"));
    QCOMPARE(cmbLand->count(), 2);
    QCOMPARE(cmbLand->itemText(0), QStringLiteral("Deutschland"));
    QCOMPARE(cmbLand->itemText(1), QStringLiteral("USA"));
    QCOMPARE(cmbSprache->currentIndex(), languageIndex);
    QCOMPARE(cmbLand->currentIndex(), countryIndex);
    QCOMPARE(child<QPushButton>(dlg, "OKButton")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(dlg, "CancelButton")->text(), QStringLiteral("Abbrechen"));
}

void TestDialogs::languageOkTakesChoice_data() {
    QTest::addColumn<int>("languageIndex");
    QTest::addColumn<int>("countryIndex");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("country");
    QTest::newRow("English with Germany") << 1 << 0 << "English"
                                          << "Deutschland";
    QTest::newRow("German with the USA") << 0 << 1 << "Deutsch"
                                         << "USA";
}

void TestDialogs::languageOkTakesChoice() {
    QFETCH(int, languageIndex);
    QFETCH(int, countryIndex);
    QFETCH(QString, language);
    QFETCH(QString, country);

    const MessageTable messages = messageTable(QStringLiteral("Deutsch"));
    frmlanguage dlg(nullptr, messages, languageFromStored(QStringLiteral("Deutsch")),
                    Country::fromStored(QStringLiteral("Deutschland")));
    MessageRecorder log;
    dlg.setMessageBox(log.function());
    dlg.show();
    child<QComboBox>(dlg, "cmbSprache")->setCurrentIndex(languageIndex);
    child<QComboBox>(dlg, "cmbLand")->setCurrentIndex(countryIndex);
    child<QPushButton>(dlg, "OKButton")->click();

    QVERIFY(log.shown.isEmpty());
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(storedText(*dlg.chosenLanguage()), language);
    QCOMPARE(dlg.chosenCountry()->storedText(), country);
}

void TestDialogs::languageOkRefusedWithoutCountry() {
    const MessageTable messages = messageTable(QStringLiteral("English"));
    frmlanguage dlg(nullptr, messages, languageFromStored(QStringLiteral("English")),
                    Country::fromStored(QStringLiteral("Östereich")));
    MessageRecorder log;
    dlg.setMessageBox(log.function());
    dlg.show();
    auto* ok = child<QPushButton>(dlg, "OKButton");
    ok->click();

    QCOMPARE(log.shown.size(), 1);
    const MessageRequest& r = log.shown.first();
    QCOMPARE(r.text, QStringLiteral("Bitte vollständig ausfüllen")); // German in both languages
    QCOMPARE(r.title, QStringLiteral("Marvolingen"));
    QCOMPARE(r.icon, QMessageBox::NoIcon);
    QCOMPARE(r.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(dlg.isVisible());
    QVERIFY(!dlg.chosenCountry());

    child<QComboBox>(dlg, "cmbLand")->setCurrentIndex(1);
    ok->click();
    QCOMPARE(log.shown.size(), 1);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(storedText(*dlg.chosenLanguage()), QStringLiteral("English"));
    QCOMPARE(dlg.chosenCountry()->storedText(), QStringLiteral("USA"));
}

void TestDialogs::languageCancel() {
    const MessageTable messages = messageTable(QStringLiteral("Deutsch"));
    frmlanguage dlg(nullptr, messages, languageFromStored(QStringLiteral("Deutsch")),
                    Country::fromStored(QStringLiteral("Östereich")));
    MessageRecorder log;
    dlg.setMessageBox(log.function());
    dlg.show();
    child<QComboBox>(dlg, "cmbSprache")->setCurrentIndex(1);
    child<QPushButton>(dlg, "CancelButton")->click();
    QVERIFY(log.shown.isEmpty());
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!dlg.chosenLanguage());
}

void TestDialogs::settingsLoadAndStoreVersion_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("opt0");
    QTest::addColumn<bool>("opt1");
    QTest::addColumn<QString>("stored");

    QTest::newRow("no file") << QByteArray() << false << true << "GW702";
    QTest::newRow("no Version key")
        << QByteArray("[GroupWise]\r\nIPAdresse=1.2.3.4\r\n") << false << true << "GW702";
    QTest::newRow("GW65") << QByteArray("[GroupWise]\r\nVersion=GW65\r\n") << true << false
                          << "GW65";
    QTest::newRow("GW702") << QByteArray("[GroupWise]\r\nVersion=GW702\r\n") << false << true
                           << "GW702";
    QTest::newRow("other value") << QByteArray("[GroupWise]\r\nVersion=GW8\r\n") << false << false
                                 << "GW702";
    QTest::newRow("value compared exactly")
        << QByteArray("[groupwise]\r\nversion=gw65\r\n") << false << false << "GW702";
}

void TestDialogs::settingsLoadAndStoreVersion() {
    QFETCH(QByteArray, file);
    QFETCH(bool, opt0);
    QFETCH(bool, opt1);
    QFETCH(QString, stored);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Feiertage.ini"));
    if (!file.isEmpty())
        writeFile(path, file);
    ProfileFile settings(path);
    QString address = QStringLiteral("10.0.0.1");
    QString port = QStringLiteral("1677");
    const MessageTable messages = messageTable(QStringLiteral("Deutsch"));

    frmEinstellungen dlg(nullptr, settings, address, port, messages, Language::German);
    MessageRecorder log;
    dlg.setMessageBox(log.function());
    QCOMPARE(child<QLineEdit>(dlg, "txtIPAdresse")->text(), QStringLiteral("10.0.0.1"));
    QCOMPARE(child<QLineEdit>(dlg, "txtIPPort")->text(), QStringLiteral("1677"));
    QCOMPARE(child<QRadioButton>(dlg, "optVersion_0")->isChecked(), opt0);
    QCOMPARE(child<QRadioButton>(dlg, "optVersion_1")->isChecked(), opt1);

    dlg.show();
    child<QPushButton>(dlg, "cmdOK")->click();
    QVERIFY(log.shown.isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(ProfileFile(path).readKey(QStringLiteral("GroupWise"), QStringLiteral("Version"),
                                       QStringLiteral("none"), 257),
             stored);
}

// OK stores the fields trimmed (empty ones as empty values) and the version; Cancel
// changes nothing.
void TestDialogs::settingsOkAndCancel_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("address"); // the program's values as the dialog opens
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("opt0"); // optVersion_0 checked as the dialog opens
    QTest::addColumn<QString>("typedAddress");
    QTest::addColumn<QString>("typedPort");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("newAddress");
    QTest::addColumn<QString>("newPort");
    QTest::addColumn<QStringList>("keys"); // IPAdresse, IPPort, Version afterwards
    QTest::addColumn<bool>("unchanged");   // the file keeps every byte

    QTest::newRow("OK stores trimmed values")
        << QByteArray("[GroupWise]\r\nIPAdresse=old\r\nIPPort=1\r\nVersion=GW702\r\n") << "old"
        << "1" << false << "  192.168.1.5   "
        << " 1677 "
        << "cmdOK" << int(QDialog::Accepted) << "192.168.1.5" << u"1677"_s
        << QStringList{u"192.168.1.5"_s, u"1677"_s, u"GW65"_s} << false;
    // Empty fields are stored as empty values, not left alone.
    QTest::newRow("OK stores empty fields")
        << QByteArray("[GroupWise]\r\nIPAdresse=192.168.1.5\r\nIPPort=1677\r\nVersion=GW65\r\n")
        << "192.168.1.5"
        << "1677" << true << "   "
        << ""
        << "cmdOK" << int(QDialog::Accepted) << "" << u""_s << QStringList{u""_s, u""_s, u"GW65"_s}
        << false;
    QTest::newRow("Cancel changes nothing")
        << QByteArray("[GroupWise]\r\nIPAdresse=10.0.0.1\r\nVersion=GW8\r\n") << "10.0.0.1"
        << "1677" << false << "192.168.1.5"
        << "9999"
        << "cmdAbbrechen" << int(QDialog::Rejected) << "10.0.0.1" << u"1677"_s
        << QStringList{u"10.0.0.1"_s, u"missing"_s, u"GW8"_s} << true;
}

void TestDialogs::settingsOkAndCancel() {
    QFETCH(QByteArray, file);
    QFETCH(QString, address);
    QFETCH(QString, port);
    QFETCH(bool, opt0);
    QFETCH(QString, typedAddress);
    QFETCH(QString, typedPort);
    QFETCH(QString, button);
    QFETCH(bool, unchanged);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Feiertage.ini"));
    writeFile(path, file);
    ProfileFile settings(path);
    const MessageTable messages = messageTable(QStringLiteral("Deutsch"));

    frmEinstellungen dlg(nullptr, settings, address, port, messages, Language::German);
    MessageRecorder log;
    dlg.setMessageBox(log.function());
    dlg.show();
    QCOMPARE(child<QRadioButton>(dlg, "optVersion_0")->isChecked(), opt0);
    child<QLineEdit>(dlg, "txtIPAdresse")->setText(typedAddress);
    child<QLineEdit>(dlg, "txtIPPort")->setText(typedPort);
    child<QRadioButton>(dlg, "optVersion_0")->setChecked(true);
    child<QPushButton>(dlg, button.toUtf8().constData())->click();

    QVERIFY(log.shown.isEmpty());
    QVERIFY(!dlg.isVisible());
    QTEST(dlg.result(), "result");
    QTEST(address, "newAddress");
    QTEST(port, "newPort");
    const ProfileFile reread(path);
    QStringList keys;
    for (const char* name : {"IPAdresse", "IPPort", "Version"})
        keys << reread.readKey(QStringLiteral("GroupWise"), QString::fromLatin1(name),
                               QStringLiteral("missing"), 257);
    QTEST(keys, "keys");
    if (unchanged)
        QCOMPARE(fileBytes(path), file);
}

void TestDialogs::settingsFailedWriteKeepsDialogOpen() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A plain file where the folder should be: no user, root included, can write below it.
    const QString blocker = dir.filePath(QStringLiteral("not-a-folder"));
    writeFile(blocker, "x");
    const QString path = blocker + QStringLiteral("/Feiertage.ini");
    ProfileFile settings(path);
    QString address = QStringLiteral("10.0.0.1");
    QString port = QStringLiteral("1677");
    const MessageTable messages = messageTable(QStringLiteral("English"));

    frmEinstellungen dlg(nullptr, settings, address, port, messages, Language::English);
    MessageRecorder log;
    dlg.setMessageBox(log.function());
    dlg.show();
    child<QLineEdit>(dlg, "txtIPAdresse")->setText(QStringLiteral("192.168.1.5"));
    child<QPushButton>(dlg, "cmdOK")->click();

    QCOMPARE(log.shown.size(), 1);
    const MessageRequest& r = log.shown.first();
    const int code = settings.writeKey(QStringLiteral("GroupWise"), QStringLiteral("IPAdresse"),
                                       QStringLiteral("x"));
    QVERIFY(code != 1);
    QCOMPARE(r.text, QStringLiteral("Can`t save settings! (%1)").arg(code));
    QCOMPARE(r.title, QStringLiteral("Marvolingen - setting error"));
    QCOMPARE(r.icon, QMessageBox::Critical);
    QCOMPARE(r.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(dlg.isVisible());
    QCOMPARE(address, QStringLiteral("10.0.0.1"));
    QCOMPARE(port, QStringLiteral("1677"));
    QCOMPARE(fileBytes(blocker), QByteArray("x"));

    // OK may be tried again; Cancel still closes.
    child<QPushButton>(dlg, "cmdOK")->click();
    QCOMPARE(log.shown.size(), 2);
    QVERIFY(dlg.isVisible());
    child<QPushButton>(dlg, "cmdAbbrechen")->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(address, QStringLiteral("10.0.0.1"));
}

void TestDialogs::settingsCaptions() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ProfileFile settings(dir.filePath(QStringLiteral("Feiertage.ini")));
    QString address;
    QString port;
    // German captions whatever the interface language.
    const MessageTable messages = messageTable(QStringLiteral("English"));
    frmEinstellungen dlg(nullptr, settings, address, port, messages, Language::English);

    QCOMPARE(dlg.objectName(), QStringLiteral("frmEinstellungen"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Einstellungen"));
    QCOMPARE(child<QGroupBox>(dlg, "Frame1")->title(), QStringLiteral("Anmeldung"));
    QCOMPARE(child<QLabel>(dlg, "Label1")->text(), QStringLiteral("IP-Adresse des Postoffice"));
    QCOMPARE(child<QLabel>(dlg, "Label2")->text(), QStringLiteral("Portnummer"));
    QCOMPARE(child<QGroupBox>(dlg, "Frame2")->title(), QStringLiteral("GroupWise Version"));
    QCOMPARE(child<QRadioButton>(dlg, "optVersion_0")->text(),
             QStringLiteral("Version 6.5 bis Version 7.01"));
    QCOMPARE(child<QRadioButton>(dlg, "optVersion_1")->text(),
             QStringLiteral("Version  7.02 und höher"));
    QCOMPARE(child<QPushButton>(dlg, "cmdOK")->text(), QStringLiteral("Ok"));
    QCOMPARE(child<QPushButton>(dlg, "cmdAbbrechen")->text(), QStringLiteral("Abbrechen"));
}

void TestDialogs::aboutTexts() {
    frmAbout dlg(nullptr);
    QCOMPARE(dlg.objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Info zu Marvolingen"));
    QCOMPARE(child<QLabel>(dlg, "lblTitle")->text(), QStringLiteral("Marvolingen"));
    QCOMPARE(child<QLabel>(dlg, "lblVersion")->text(), QStringLiteral("Version 2.8.1"));
    QVERIFY(!child<QLabel>(dlg, "picIcon")->pixmap().isNull());
    for (const char* name : {"lblDescription", "Label1", "lblDisclaimer"})
        QVERIFY2(!child<QLabel>(dlg, name)->text().isEmpty(), name);
    for (const char* name : {"Line1_0", "Line1_1"})
        QCOMPARE(child<QFrame>(dlg, name)->frameShape(), QFrame::HLine);
    QCOMPARE(child<QPushButton>(dlg, "cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(dlg, "cmdSysInfo")->text(), QStringLiteral("&Systeminfo..."));
}

void TestDialogs::aboutSysInfoMessage() {
    frmAbout dlg(nullptr);
    MessageRecorder log;
    dlg.setMessageBox(log.function());
    dlg.show();
    child<QPushButton>(dlg, "cmdSysInfo")->click();

    QCOMPARE(log.shown.size(), 1);
    const MessageRequest& r = log.shown.first();
    QCOMPARE(r.text, QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
    QCOMPARE(r.title, QStringLiteral("Marvolingen"));
    QCOMPARE(r.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(dlg.isVisible());

    child<QPushButton>(dlg, "cmdOK")->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
