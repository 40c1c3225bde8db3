// The trusted-application key actions on a local GroupWise system.
#include "runrecorder.h"

#include "groupwise/keyactions.h"
#include "groupwise/local.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace Qt::StringLiterals;
using gw::LocalSystem;

class TestKeyActions : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    Environment env() const {
        Environment e;
        e.programFolder = dir_->path();
        return e;
    }
    QString domain() const { return LocalSystem::domainPath(dir_->path()); }
    QString stored() const {
        return ProfileFile(env().settingsPath())
            .readKey(QStringLiteral("GroupWise"), QStringLiteral("Schlüssel"),
                     QStringLiteral("12345"), 249);
    }
    KeyActionResult create(const QString& language = QStringLiteral("Deutsch")) {
        return CreateTrustedAppKey(env(), domain(), table(language), languageFromStored(language));
    }
    KeyActionResult remove(const QString& language = QStringLiteral("Deutsch")) {
        return DeleteTrustedAppKey(env(), domain(), table(language), languageFromStored(language));
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // The stored text deciphers to the domain's key; the application carries its names.
    void createStoresTheKeyEnciphered() {
        LocalSystem::create(dir_->path(), gw::SystemVersion::V7_0, false, QDate(2011, 1, 1));
        const KeyActionResult r = create(QStringLiteral("English"));
        QVERIFY(r.ok());
        QCOMPARE(r->text, QStringLiteral("Applicationkey was created into the GroupWise database"));
        QCOMPARE(r->title, QStringLiteral("Marvolingen"));
        QCOMPARE(r->icon, Notice::Icon::Information);

        const QString text = stored();
        QCOMPARE(text.size(), 172); // the whole 129-character key area
        for (const QChar c : text)
            QVERIFY(c >= QLatin1Char(';') && c <= QLatin1Char('z'));
        const QByteArray key = DecryptText(toCp1252(text), QByteArray(kPassPhrase));
        QCOMPARE(key.size(), 129);
        const auto apps = LocalSystem::open(dir_->path()).trustedApps();
        QCOMPARE(apps.size(), 1);
        QCOMPARE(apps.at(0).name, QStringLiteral("QTXMarvolingen"));
        QCOMPARE(apps.at(0).description, QStringLiteral("QTX GmbH Marvolingen"));
        QVERIFY(!apps.at(0).key.isEmpty());
        QCOMPARE(key.left(key.indexOf('\0')), apps.at(0).key);
    }

    void failures() {
        // No domain at the path.
        KeyActionFailure r = create().failure();
        QCOMPARE(r.code, 2);
        QCOMPARE(r.notice.text, QStringLiteral("Anwendungsschlüssel konnte nicht erstellt "
                                               "werden., \"Verbindungsfehler\""));
        QCOMPARE(r.notice.icon, Notice::Icon::None);
        QCOMPARE(r.notice.title, QStringLiteral("Marvolingen"));
        QCOMPARE(stored(), QStringLiteral("12345"));

        LocalSystem::create(dir_->path(), gw::SystemVersion::V7_0, false, QDate(2011, 1, 1));
        QVERIFY(create().ok());
        const QString first = stored();

        // A second creation finds the application and changes nothing.
        r = create().failure();
        QCOMPARE(r.code, 6);
        QCOMPARE(r.notice.text, QStringLiteral("Anwendungsschlüssel konnte nicht erstellt "
                                               "werden., \"Anwendung bereits vorhanden\""));
        QCOMPARE(create(QStringLiteral("English")).failure().notice.text,
                 QStringLiteral("Can`t create key, \"Application still there\""));
        QCOMPARE(stored(), first);

        // A stored key that is not the domain's.
        ProfileFile(env().settingsPath())
            .writeKey(u"GroupWise"_s, u"Schlüssel"_s,
                      EncryptText(QStringLiteral("falsch"), QString::fromLatin1(kPassPhrase)));
        r = remove(QStringLiteral("English")).failure();
        QCOMPARE(r.code, 8);
        QCOMPARE(r.notice.text, QStringLiteral("Can`t delete key, \"Entered key is not correct\""));
        QCOMPARE(LocalSystem::open(dir_->path()).trustedApps().size(), 1);

        // With the right key it goes, and a second deletion finds nothing.
        ProfileFile(env().settingsPath()).writeKey(u"GroupWise"_s, u"Schlüssel"_s, first);
        const KeyActionResult removed = remove();
        QVERIFY(removed.ok());
        QCOMPARE(removed->icon, Notice::Icon::Information);
        QCOMPARE(stored(), QStringLiteral("Anwendung nicht definiert"));
        QVERIFY(LocalSystem::open(dir_->path()).trustedApps().isEmpty());
        r = remove().failure();
        QCOMPARE(r.code, 10);
        QCOMPARE(r.notice.text, QStringLiteral("Anwendungsschlüssel konnte nicht gelöcht "
                                               "werden., \"Schlüssel konnte nicht gelöscht "
                                               "werden\""));
        QCOMPARE(stored(), QStringLiteral("Anwendung nicht definiert"));
    }

    // The key is created in the domain, but the settings file cannot take it.
    void settingsNotWritable() {
        LocalSystem::create(dir_->path(), gw::SystemVersion::V7_0, false, QDate(2011, 1, 1));
        QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("Feiertage.ini")));
        const KeyActionResult created = create();
        QVERIFY(!created.ok());
        const KeyActionFailure& r = created.failure();
        QCOMPARE(r.code, 0);
        QVERIFY(r.saveCode != 1);
        QCOMPARE(r.notice.text,
                 QStringLiteral("Einstellungen konnten nicht gespeichert werden! (") +
                     QString::number(r.saveCode) + QStringLiteral(")"));
        QCOMPARE(r.notice.title, QStringLiteral("Schlüssel"));
        QCOMPARE(r.notice.icon, Notice::Icon::Critical);
        QCOMPARE(LocalSystem::open(dir_->path()).trustedApps().size(), 1);
    }

    void failureTexts_data() {
        QTest::addColumn<bool>("creation");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("create 1 de")
            << true << 1 << "Deutsch"
            << "Anwendungsschlüssel konnte nicht erstellt werden., \"Initialisierungsfehler\"";
        QTest::newRow("create 7 en") << true << 7 << "English"
                                     << "Can`t create key, \"Can`t overwrite key\"";
        QTest::newRow("create 8 de") << true << 8 << "Deutsch"
                                     << "Anwendungsschlüssel konnte nicht erstellt werden., "
                                        "\"Schlüssel-ID konnte nicht gelesen werden\"";
        QTest::newRow("create 9 de") << true << 9 << "Deutsch"
                                     << "Anwendungsschlüssel konnte nicht erstellt werden., \"\"";
        QTest::newRow("create 11 en") << true << 11 << "English"
                                      << "Can`t create key, \"Can`t login in GroupWise\"";
        QTest::newRow("create 12 en") << true << 12 << "English"
                                      << "Can`t create key, \"\"";
        QTest::newRow("create -1 de") << true << -1 << "Deutsch"
                                      << "Anwendungsschlüssel konnte nicht erstellt werden., \"\"";
        QTest::newRow("delete 3 en") << false << 3 << "English"
                                     << "Can`t delete key, \"Can`t create datas\"";
        QTest::newRow("delete 6 de") << false << 6 << "Deutsch"
                                     << "Anwendungsschlüssel konnte nicht gelöcht werden., \"\"";
        QTest::newRow("delete 7 de") << false << 7 << "Deutsch"
                                     << "Anwendungsschlüssel konnte nicht gelöcht werden., \"\"";
        QTest::newRow("delete 11 de")
            << false << 11 << "Deutsch"
            << "Anwendungsschlüssel konnte nicht gelöcht werden., \"Schlüssel konnte nicht "
               "gelöscht werden, Anmeldung nicht möglich\"";
        QTest::newRow("delete 11 en") << false << 11 << "English"
                                      << "Can`t delete key, \"Can`t delete key\"";
    }
    void failureTexts() {
        QFETCH(bool, creation);
        QFETCH(int, code);
        QFETCH(QString, language);
        QFETCH(QString, text);
        const Notice notice =
            keyFailureNotice(creation, code, table(language), languageFromStored(language));
        QCOMPARE(notice.text, text);
        QCOMPARE(notice.icon, Notice::Icon::None);
        QCOMPARE(notice.title, QStringLiteral("Marvolingen"));
    }
};

QTEST_GUILESS_MAIN(TestKeyActions)
#include "tst_keyactions.moc"
