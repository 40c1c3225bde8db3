// The section "GroupWise" as the connection dialog, the settings load, the runs and the key
// actions share it.
#include "settings/gwsettings.h"
#include "settings/profilefile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mv;

class TestGwSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path() const { return dir_.filePath(QStringLiteral("Feiertage.ini")); }

private slots:
    void init() { QFile::remove(path()); }

    // What the dialog stores the load and the write run read back, each with its own limit.
    void connectionReadBack_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("loadAddress");
        QTest::addColumn<QString>("runAddress");
        QTest::addColumn<QString>("runPort");
        const QString a30 = QStringLiteral("123456789012345678901234567890");
        QTest::newRow("short") << "10.1.1.5"
                               << "1677"
                               << "10.1.1.5"
                               << "10.1.1.5"
                               << "1677";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << ""
                               << "";
        QTest::newRow("one over the run's limits")
            << a30 << "1234567890" << a30 << a30.left(29) << "123456789";
        QTest::newRow("over the load's limit")
            << QString(300, u'a') << QString(300, u'9') << QString(256, u'a') << QString(29, u'a')
            << QString(9, u'9');
    }
    void connectionReadBack() {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, loadAddress);
        QFETCH(QString, runAddress);
        QFETCH(QString, runPort);
        ProfileFile file(path());
        QVERIFY(writeGroupWiseConnection(file, {address, port}).ok());
        const GroupWiseConnection atLoad = readGroupWiseConnection(file, kConnectionAtLoad);
        QCOMPARE(atLoad.address, loadAddress);
        QCOMPARE(atLoad.port, port.left(256));
        const GroupWiseConnection inRun = readGroupWiseConnection(file, kConnectionInWriteRun);
        QCOMPARE(inRun.address, runAddress);
        QCOMPARE(inRun.port, runPort);
    }

    // The dialog reports the first failing write and writes nothing after it.
    void connectionStopsAtFirstFailure() {
        ProfileFile file(path());
        QVERIFY(writeGroupWiseConnection(file, {QStringLiteral("alt"), QStringLiteral("1")}).ok());

        SaveResult r =
            writeGroupWiseConnection(file, {QStringLiteral("a\nb"), QStringLiteral("2")});
        QVERIFY(!r.ok());
        QCOMPARE(r.failure().key, QStringLiteral("IPAdresse"));
        QVERIFY(r.failure().code != 1);
        GroupWiseConnection stored = readGroupWiseConnection(file, kConnectionAtLoad);
        QCOMPARE(stored.address, QStringLiteral("alt"));
        QCOMPARE(stored.port, QStringLiteral("1"));

        r = writeGroupWiseConnection(file, {QStringLiteral("neu"), QStringLiteral("2\n3")});
        QVERIFY(!r.ok());
        QCOMPARE(r.failure().key, QStringLiteral("IPPort"));
        stored = readGroupWiseConnection(file, kConnectionAtLoad);
        QCOMPARE(stored.address, QStringLiteral("neu"));
        QCOMPARE(stored.port, QStringLiteral("1"));
    }

    void versionAndKey() {
        ProfileFile file(path());
        QCOMPARE(readGroupWiseVersion(file), QStringLiteral("GW702"));
        QCOMPARE(readStoredKey(file), QStringLiteral("12345"));

        QVERIFY(writeGroupWiseVersion(file, QString::fromLatin1(kVersion65)).ok());
        QCOMPARE(readGroupWiseVersion(file), QStringLiteral("GW65"));

        // The stored key is read up to 248 characters.
        const QString key(250, u'k');
        QVERIFY(writeStoredKey(file, key).ok());
        QCOMPARE(readStoredKey(file), key.left(248));
        QVERIFY(removeStoredKey(file).ok());
        QCOMPARE(readStoredKey(file), QStringLiteral("Anwendung nicht definiert"));
        QCOMPARE(file.readKey(QStringLiteral("GroupWise"), QStringLiteral("Version"), {}, 10),
                 QStringLiteral("GW65"));
    }
};

QTEST_GUILESS_MAIN(TestGwSettings)
#include "tst_gwsettings.moc"
