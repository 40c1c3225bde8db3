#include "ui/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

void touch(const QString& path) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

// The problem prepareProgramFolder reports, "" when the folder is ready.
QString problem(const mv::ProgramFolder& folder) {
    const mv::Result<void> prepared = mv::prepareProgramFolder(folder);
    return prepared ? QString() : prepared.error();
}

QFile::Permissions ownerOnly() {
    return QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
           QFile::WriteUser | QFile::ExeUser;
}

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    // Paths are relative to a temporary root; "" for XDG_CONFIG_HOME means unset.
    void resolve_data() {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("perUser");
        QTest::newRow("build tree") << "build/src/cli"
                                    << ""
                                    << "xdg"
                                    << "build/src/cli" << false;
        QTest::newRow("unpacked folder called bin") << "unpacked/bin"
                                                    << ""
                                                    << "xdg"
                                                    << "unpacked/bin" << false;
        QTest::newRow("marker of another prefix") << "opt/bin"
                                                  << "usr/share/marvolingen/installed"
                                                  << "xdg"
                                                  << "opt/bin" << false;
        QTest::newRow("installed, XDG_CONFIG_HOME set") << "usr/bin"
                                                        << "usr/share/marvolingen/installed"
                                                        << "xdg"
                                                        << "xdg/marvolingen" << true;
        QTest::newRow("installed, XDG_CONFIG_HOME unset") << "usr/bin"
                                                          << "usr/share/marvolingen/installed"
                                                          << ""
                                                          << "home/.config/marvolingen" << true;
        QTest::newRow("installed, relative XDG_CONFIG_HOME ignored")
            << "usr/local/bin"
            << "usr/local/share/marvolingen/installed"
            << "relative"
            << "home/.config/marvolingen" << true;
    }
    void resolve() {
        QFETCH(QString, exe);
        QFETCH(QString, marker);
        QFETCH(QString, xdg);
        QFETCH(QString, expected);
        QFETCH(bool, perUser);
        QTemporaryDir root;
        const QString r = root.path() + u"/"_s;
        QVERIFY(QDir().mkpath(r + exe));
        if (!marker.isEmpty())
            touch(r + marker);

        mv::ProgramFolderInput in;
        in.executableFolder = r + exe;
        in.xdgConfigHome = xdg.isEmpty() ? QString() : xdg == u"relative"_s ? xdg : r + xdg;
        in.home = r + u"home"_s;
        const mv::ProgramFolder folder = mv::resolveProgramFolder(in);
        QCOMPARE(folder.path, QDir::cleanPath(r + expected));
        QCOMPARE(folder.perUser, perUser);
        QVERIFY(!QFileInfo::exists(r + u"home/.config"_s));
        QVERIFY(!QFileInfo::exists(r + u"xdg/marvolingen"_s));
    }

    // A per-user folder and its missing parents are created private, whatever the umask.
    void createsPrivateFolder_data() {
        QTest::addColumn<int>("umask");
        QTest::newRow("umask 022") << 022;
        QTest::newRow("umask 0") << 0;
        QTest::newRow("umask 077") << 077;
    }
    void createsPrivateFolder() {
        QFETCH(int, umask);
        QTemporaryDir root;
        const QString path = root.path() + u"/home/.config/marvolingen"_s;
        const mode_t old = ::umask(mode_t(umask));
        const QString created = problem({path, true});
        ::umask(old);
        QCOMPARE(created, QString());
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(QFileInfo(path).permissions(), ownerOnly());
        QCOMPARE(QFileInfo(root.path() + u"/home/.config"_s).permissions() & ~ownerOnly(),
                 QFile::Permissions());
        // The second start finds it and changes nothing.
        QVERIFY(QFile::setPermissions(path, ownerOnly() | QFile::ReadGroup | QFile::ExeGroup));
        QCOMPARE(problem({path, true}), QString());
        QVERIFY(QFileInfo(path).permissions() & QFile::ReadGroup);
    }

    void refusesWhatCannotBeAFolder() {
        QTemporaryDir root;
        touch(root.path() + u"/file"_s);
        QVERIFY(!problem({root.path() + u"/file"_s, true}).isEmpty());
        QVERIFY(!problem({root.path() + u"/file/marvolingen"_s, true}).isEmpty());
        QVERIFY(!problem({QString(), true}).isEmpty());
        // Beside the program nothing is created: it is there or it is the user's choice.
        QCOMPARE(problem({root.path() + u"/missing"_s, false}), QString());
        QVERIFY(!QFileInfo::exists(root.path() + u"/missing"_s));
    }
};

QTEST_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
