// Where the command-line program keeps its files: beside itself in the build tree, in the
// user's configuration folder once installed, or where --folder says.
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

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
            p.start(QStringLiteral(MV_CMAKE),
                    {u"--install"_s, QStringLiteral(MV_BUILD_DIR), u"--prefix"_s, prefix_->path()});
            p.waitForFinished(300000);
            if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
                qWarning("%s", p.readAll().constData());
        }
        return prefix_->path() + u"/bin/marvolingen-cli"_s;
    }

private slots:
    void helpAndVersion_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("start");
        QTest::newRow("help") << QStringList{u"--help"_s} << "usage: marvolingen-cli";
        QTest::newRow("short help") << QStringList{u"-h"_s} << "usage: marvolingen-cli";
        QTest::newRow("version") << QStringList{u"--version"_s}
                                 << "marvolingen-cli " MV_VERSION "\n";
    }
    void helpAndVersion() {
        QFETCH(QStringList, args);
        QFETCH(QString, start);
        const Result r =
            run(QStringLiteral(MV_CLI), args, QProcessEnvironment::systemEnvironment());
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(start), qPrintable(r.out));
        QCOMPARE(r.err, QString());
    }

    void emptyFolderIsAUsageError() {
        const Result r = run(QStringLiteral(MV_CLI), {u"--folder"_s, u""_s, u"folder"_s},
                             QProcessEnvironment::systemEnvironment());
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(u"--folder needs a value"_s), qPrintable(r.err));
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

        const QString program = installed ? installedCli() : QStringLiteral(MV_CLI);
        QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
        QTemporaryDir sandbox;
        const QString s = sandbox.path() + u"/"_s;
        QVERIFY(QDir().mkpath(s + u"home"_s) && QDir().mkpath(s + u"chosen"_s));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, s + u"home"_s);
        env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        if (xdgSet)
            env.insert(u"XDG_CONFIG_HOME"_s, s + u"xdg"_s);
        else
            env.remove(u"XDG_CONFIG_HOME"_s);
        const QStringList folderArgs =
            chosen ? QStringList{u"--folder"_s, s + u"chosen"_s} : QStringList{};
        const QString expectedPath = expected == u"exe"_s ? QFileInfo(program).absolutePath()
                                                          : QDir::cleanPath(s + expected);
        const QStringList prefixBefore = installed ? snapshot(prefix_->path()) : QStringList{};

        const Result where = run(program, folderArgs + QStringList{u"folder"_s}, env);
        QCOMPARE(where.code, 0);
        QCOMPARE(where.out, expectedPath + u"\n"_s);
        if (expected == u"exe"_s) {
            QCOMPARE(snapshot(s + u"home"_s), QStringList{});
            return; // the build tree stays as it is
        }
        const Result init =
            run(program, folderArgs + QStringList{u"groupwise"_s, u"init"_s, u"--demo"_s}, env);
        QCOMPARE(init.code, 0);
        QVERIFY(QFileInfo::exists(expectedPath + u"/GroupWise"_s));
        if (chosen)
            QCOMPARE(snapshot(s + u"home"_s), QStringList{});
        else
            QCOMPARE(QFileInfo(expectedPath).permissions(), ownerOnly());
        if (installed)
            QCOMPARE(snapshot(prefix_->path()), prefixBefore);
    }
};

QTEST_GUILESS_MAIN(TestCliFolder)
#include "tst_cli_folder.moc"
