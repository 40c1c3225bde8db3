// Where the command-line program keeps its files: beside itself in the build tree, in the
// user's configuration folder once installed, or where --folder says.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result run(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(120000);
    Result r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Every file and folder below root with its size and modification time.
QStringList snapshot(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(info.filePath())
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

QFile::Permissions ownerOnly() {
    return QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
           QFile::WriteUser | QFile::ExeUser;
}

} // namespace

class TestCliFolder : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> prefix_;

    // The build installed under a temporary prefix, as `cmake --install` does it.
    QString installedCli() {
        if (!prefix_) {
            prefix_ = std::make_unique<QTemporaryDir>();
            QProcess p;
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(MV_CMAKE, {"--install", MV_BUILD_DIR, "--prefix", prefix_->path()});
            p.waitForFinished(300000);
            if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
                qWarning("%s", p.readAll().constData());
        }
        return prefix_->path() + "/bin/marvolingen-cli";
    }

private slots:
    void helpAndVersion_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("start");
        QTest::newRow("help") << QStringList{"--help"} << "usage: marvolingen-cli";
        QTest::newRow("short help") << QStringList{"-h"} << "usage: marvolingen-cli";
        QTest::newRow("version") << QStringList{"--version"} << "marvolingen-cli " MV_VERSION "\n";
    }
    void helpAndVersion() {
        QFETCH(QStringList, args);
        QFETCH(QString, start);
        const Result r = run(MV_CLI, args, QProcessEnvironment::systemEnvironment());
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(start), qPrintable(r.out));
        QCOMPARE(r.err, QString());
    }

    void emptyFolderIsAUsageError() {
        const Result r =
            run(MV_CLI, {"--folder", "", "folder"}, QProcessEnvironment::systemEnvironment());
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains("--folder needs a value"), qPrintable(r.err));
    }

    // Paths relative to a temporary sandbox; "exe" is the build tree's own folder.
    void folderInUse_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("xdgSet");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build tree") << false << true << false << "exe";
        QTest::newRow("build tree, --folder") << false << true << true << "chosen";
        QTest::newRow("installed") << true << false << false << "home/.config/marvolingen";
        QTest::newRow("installed, XDG_CONFIG_HOME") << true << true << false << "xdg/marvolingen";
        QTest::newRow("installed, --folder") << true << true << true << "chosen";
    }
    void folderInUse() {
        QFETCH(bool, installed);
        QFETCH(bool, xdgSet);
        QFETCH(bool, chosen);
        QFETCH(QString, expected);

        const QString program = installed ? installedCli() : QString(MV_CLI);
        QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
        QTemporaryDir sandbox;
        const QString s = sandbox.path() + "/";
        QVERIFY(QDir().mkpath(s + "home") && QDir().mkpath(s + "chosen"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", s + "home");
        env.insert("LC_ALL", "C.UTF-8");
        if (xdgSet)
            env.insert("XDG_CONFIG_HOME", s + "xdg");
        else
            env.remove("XDG_CONFIG_HOME");
        const QStringList folderArgs =
            chosen ? QStringList{"--folder", s + "chosen"} : QStringList{};
        const QString expectedPath =
            expected == "exe" ? QFileInfo(program).absolutePath() : QDir::cleanPath(s + expected);
        const QStringList prefixBefore = installed ? snapshot(prefix_->path()) : QStringList{};

        const Result where = run(program, folderArgs + QStringList{"folder"}, env);
        QCOMPARE(where.code, 0);
        QCOMPARE(where.out, expectedPath + "\n");
        if (expected == "exe") {
            QCOMPARE(snapshot(s + "home"), QStringList{});
            return; // the build tree stays as it is
        }
        const Result init =
            run(program, folderArgs + QStringList{"groupwise", "init", "--demo"}, env);
        QCOMPARE(init.code, 0);
        QVERIFY(QFileInfo::exists(expectedPath + "/GroupWise"));
        if (chosen)
            QCOMPARE(snapshot(s + "home"), QStringList{});
        else
            QCOMPARE(QFileInfo(expectedPath).permissions(), ownerOnly());
        if (installed)
            QCOMPARE(snapshot(prefix_->path()), prefixBefore);
    }
};

QTEST_GUILESS_MAIN(TestCliFolder)
#include "tst_cli_folder.moc"
