#pragma once

#include "ui/language.h"
#include "ui/result.h"

#include <QByteArray>
#include <QList>
#include <QSslConfiguration>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QNetworkAccessManager;

namespace mv::caldav {

struct Connection {
    QString url;
    QString user;
    QString password;
    QString caFile;                       // PEM file of a private CA; empty: the system's CAs
    int timeoutMs = 30000;                // per request, without progress
    Language language = Language::German; // of the messages
};

// Credentials travel only over https, or http to a loopback address.
Result<QUrl> checkedServerUrl(const QString& text, Language language);

struct Request {
    QByteArray verb; // GET, PUT, DELETE, PROPFIND, REPORT
    QUrl url;
    QByteArray body;
    QByteArray contentType;
    int depth = -1;           // Depth header when >= 0
    QByteArray ifMatch;       // If-Match with this ETag
    bool ifNoneMatch = false; // If-None-Match: *
};

struct Response {
    int status = 0; // HTTP status; 0 when none arrived
    QByteArray body;
    QByteArray etag;
    QUrl url;      // after redirects
    QString error; // transport failure or refused redirect, in words
    bool timedOut = false;
    bool success() const { return error.isEmpty() && status >= 200 && status < 300; }
    bool unauthorized() const { return status == 401; }
    // "HTTP 403", the transport error, or the timeout, for a processing row and a log.
    QString describe(Language language) const;
};

// One QNetworkAccessManager; requests run while a local event loop turns, so the window
// stays responsive and several requests are in flight (up to Qt's per-host limit).
class Client {
public:
    static Result<std::unique_ptr<Client>> create(const Connection& connection);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    const QUrl& serverUrl() const { return base_; }
    QUrl resolve(const QString& href) const;
    Language language() const { return language_; }

    Response send(const Request& request);
    // Sends every request, keeping up to maxInFlight under way, and calls done for each as
    // it finishes (in finishing order). done returning false stops sending more; those
    // already under way still finish.
    void sendAll(const QList<Request>& requests, int maxInFlight,
                 const std::function<bool(qsizetype index, const Response&)>& done);

    int requestsSent() const { return sent_; }
    int maxInFlightSeen() const { return maxInFlightSeen_; }

private:
    Client() = default;
    void issue(const Request& request, int hops, std::function<void(const Response&)> finished);

    std::unique_ptr<QNetworkAccessManager> nam_;
    QUrl base_;
    QByteArray authorization_;
    QSslConfiguration ssl_;
    int timeoutMs_ = 30000;
    Language language_ = Language::German;
    int sent_ = 0;
    int inFlight_ = 0;
    int maxInFlightSeen_ = 0;
};

} // namespace mv::caldav
