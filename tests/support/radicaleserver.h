#pragma once

// A real Radicale server for tests and benchmarks: a free loopback port, a temporary
// storage folder, plain htpasswd users and a rights file. The service account "service"
// may read every principal and write every calendar except carol's, which it may only read.
// Calendars are made here with MKCALENDAR through curl; the program never makes any.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <sys/types.h>

namespace mv::testsupport {

class RadicaleServer {
public:
    struct Options {
        bool tls = false;
        // A shell command Radicale runs in the storage folder after each change; when it
        // fails, the change (already stored) is answered with 500.
        QString storageHook = {};
        QStringList users{QStringLiteral("service:svcpw"), QStringLiteral("alice:alicepw"),
                          QStringLiteral("bob:bobpw"), QStringLiteral("carol:carolpw")};
    };

    RadicaleServer() : RadicaleServer(Options{}) {}
    explicit RadicaleServer(Options options) : options_(std::move(options)) {}
    ~RadicaleServer() { stop(); }

    // Empty on success, else what went wrong.
    QString start() {
        if (!dir_.isValid())
            return QStringLiteral("no temporary folder");
        if (port_ == 0) {
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost, 0))
                return QStringLiteral("no free port");
            port_ = probe.serverPort();
            probe.close();
            if (QString problem = writeFiles(); !problem.isEmpty())
                return problem;
        }
        process_.setProgram(QStringLiteral("radicale"));
        process_.setArguments({QStringLiteral("--config"), path(QStringLiteral("config"))});
        process_.setProcessChannelMode(QProcess::MergedChannels);
        // A test program killed by a timeout takes its server with it.
        process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        process_.setStandardOutputFile(path(QStringLiteral("radicale.log")), QIODevice::Append);
        process_.start();
        if (!process_.waitForStarted(10000))
            return QStringLiteral("radicale does not start: ") + process_.errorString();
        for (int i = 0; i < 200; ++i) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port_);
            if (probe.waitForConnected(100))
                return {};
            if (process_.state() != QProcess::Running)
                break;
            QThread::msleep(50);
        }
        return QStringLiteral("radicale does not answer: ") + log();
    }

    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        freeze(false);
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // Stops or resumes the server process (SIGSTOP/SIGCONT): requests then go unanswered.
    void freeze(bool frozen) {
        if (process_.state() == QProcess::Running)
            ::kill(pid_t(process_.processId()), frozen ? SIGSTOP : SIGCONT);
    }

    quint16 port() const { return port_; }
    QString url(const QString& path = QStringLiteral("/")) const {
        return QStringLiteral("%1://127.0.0.1:%2%3")
            .arg(options_.tls ? QStringLiteral("https") : QStringLiteral("http"))
            .arg(port_)
            .arg(path);
    }
    QString caFile() const { return path(QStringLiteral("cert.pem")); }
    QString folder() const { return dir_.path(); }
    QString log() const {
        QFile f(path(QStringLiteral("radicale.log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // MKCALENDAR as the owner; components such as "VEVENT" or "VTODO".
    bool makeCalendar(const QString& owner, const QString& name, const QString& displayName,
                      const QString& component = QStringLiteral("VEVENT")) {
        const QString body =
            QStringLiteral("<?xml version=\"1.0\"?><c:mkcalendar xmlns:d=\"DAV:\" "
                           "xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:set><d:prop>"
                           "<d:displayname>%1</d:displayname><c:supported-calendar-component-set>"
                           "<c:comp name=\"%2\"/></c:supported-calendar-component-set></d:prop>"
                           "</d:set></c:mkcalendar>")
                .arg(displayName.toHtmlEscaped(), component);
        return curl(owner, {QStringLiteral("-X"), QStringLiteral("MKCALENDAR"),
                            QStringLiteral("-H"), QStringLiteral("Content-Type: application/xml"),
                            QStringLiteral("--data-binary"), body,
                            url(u'/' + owner + u'/' + name + u'/')}) == 201;
    }

    // PUT of a ready object as the owner (a foreign entry); the HTTP status.
    int putAs(const QString& owner, const QString& path, const QByteArray& ics) {
        QFile f(this->path(QStringLiteral("put.ics")));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(ics);
        f.close();
        return curl(owner, {QStringLiteral("-X"), QStringLiteral("PUT"), QStringLiteral("-H"),
                            QStringLiteral("Content-Type: text/calendar"),
                            QStringLiteral("--data-binary"), u'@' + f.fileName(), url(path)});
    }

    // Gives a user another password; the server asks the file at each request.
    bool setPassword(const QString& user, const QString& password) {
        for (QString& u : options_.users) {
            if (u.section(u':', 0, 0) == user)
                u = user + u':' + password;
        }
        return run(QStringLiteral("htpasswd"),
                   {QStringLiteral("-bp"), usersFile(), user, password});
    }
    QString usersFile() const { return path(QStringLiteral("users")); }

    // A server that gives the service account another password at the first change after
    // revokeAtNextChange(): a password revoked while a run is under way.
    static Options revokingOptions() {
        return Options{.storageHook = QStringLiteral(
                           "test ! -e revoke || htpasswd -bp ../users service revoked")};
    }
    bool revokeAtNextChange() {
        QFile marker(storageFolder() + QStringLiteral("/revoke"));
        return marker.open(QIODevice::WriteOnly);
    }
    QString storageFolder() const { return path(QStringLiteral("collections")); }

    // The objects of a calendar as stored (owner/name), read from the storage folder.
    QList<QByteArray> objects(const QString& owner, const QString& name) const {
        QList<QByteArray> out;
        QDir d(path(QStringLiteral("collections/collection-root/") + owner + u'/' + name));
        const QStringList files = d.entryList({QStringLiteral("*.ics")}, QDir::Files, QDir::Name);
        for (const QString& file : files) {
            QFile f(d.filePath(file));
            if (f.open(QIODevice::ReadOnly))
                out.append(f.readAll());
        }
        return out;
    }

private:
    QString path(const QString& name) const { return dir_.filePath(name); }

    int curl(const QString& owner, QStringList args) {
        QString password;
        for (const QString& u : options_.users) {
            if (u.section(u':', 0, 0) == owner)
                password = u.section(u':', 1);
        }
        args.prepend(owner + u':' + password);
        args.prepend(QStringLiteral("-u"));
        args.prepend(QStringLiteral("%{http_code}"));
        args.prepend(QStringLiteral("-w"));
        args.prepend(QStringLiteral("/dev/null"));
        args.prepend(QStringLiteral("-o"));
        args.prepend(QStringLiteral("-s"));
        if (options_.tls) {
            args.prepend(caFile());
            args.prepend(QStringLiteral("--cacert"));
        }
        QProcess p;
        p.start(QStringLiteral("curl"), args);
        if (!p.waitForFinished(20000))
            return 0;
        return p.readAllStandardOutput().trimmed().toInt();
    }

    bool run(const QString& program, const QStringList& args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    }

    QString writeFiles() {
        const QString users = usersFile();
        bool first = true;
        for (const QString& u : options_.users) {
            QStringList args{first ? QStringLiteral("-cbp") : QStringLiteral("-bp"), users,
                             u.section(u':', 0, 0), u.section(u':', 1)};
            if (!run(QStringLiteral("htpasswd"), args))
                return QStringLiteral("htpasswd failed");
            first = false;
        }
        QFile rights(path(QStringLiteral("rights")));
        if (!rights.open(QIODevice::WriteOnly))
            return QStringLiteral("rights file");
        rights.write("[service-root]\nuser: service\ncollection:\npermissions: R\n"
                     "[service-own]\nuser: service\ncollection: {user}\npermissions: RW\n"
                     "[service-principals]\nuser: service\ncollection: [^/]+\npermissions: R\n"
                     "[service-carol]\nuser: service\ncollection: carol/[^/]+\npermissions: r\n"
                     "[service-calendars]\nuser: service\ncollection: [^/]+/[^/]+\n"
                     "permissions: rw\n"
                     "[owner-root]\nuser: .+\ncollection:\npermissions: R\n"
                     "[owner-principal]\nuser: .+\ncollection: {user}\npermissions: RW\n"
                     "[owner-calendars]\nuser: .+\ncollection: {user}/[^/]+\npermissions: rw\n");
        rights.close();
        QString tls = QStringLiteral("ssl = False\n");
        if (options_.tls) {
            if (!run(QStringLiteral("openssl"),
                     {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                      QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                      QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                      QStringLiteral("-addext"),
                      QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost"),
                      QStringLiteral("-keyout"), path(QStringLiteral("key.pem")),
                      QStringLiteral("-out"), caFile()}))
                return QStringLiteral("openssl failed");
            tls = QStringLiteral("ssl = True\ncertificate = %1\nkey = %2\n")
                      .arg(caFile(), path(QStringLiteral("key.pem")));
        }
        QFile config(path(QStringLiteral("config")));
        if (!config.open(QIODevice::WriteOnly))
            return QStringLiteral("config file");
        config.write(QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n%2"
                                    "[auth]\ntype = htpasswd\nhtpasswd_filename = %3\n"
                                    "htpasswd_encryption = plain\ndelay = 0\n"
                                    "[rights]\ntype = from_file\nfile = %4\n"
                                    "[storage]\nfilesystem_folder = %5\nhook = %6\n"
                                    "[web]\ntype = none\n[logging]\nlevel = warning\n")
                         .arg(port_)
                         .arg(tls, users, rights.fileName(), storageFolder(), options_.storageHook)
                         .toUtf8());
        return {};
    }

    Options options_;
    QTemporaryDir dir_;
    QProcess process_;
    quint16 port_ = 0;
};

} // namespace mv::testsupport
