#include "caldav/client.h"

#include "ui/messages.h"

#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>

namespace mv::caldav {

namespace {

bool isLoopback(const QString& host) {
    if (host.compare(u"localhost", Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

int portOf(const QUrl& url) {
    return url.port(url.scheme() == u"https" ? 443 : 80);
}

bool sameServer(const QUrl& a, const QUrl& b) {
    return a.scheme() == b.scheme() && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 &&
           portOf(a) == portOf(b);
}

constexpr int kMaxRedirects = 5;

} // namespace

Result<QUrl> checkedServerUrl(const QString& text, Language language) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (text.trimmed().isEmpty() || !url.isValid() || url.host().isEmpty())
        return fail(MessageTable::in(language, Msg::CalDavInvalidUrl) + text);
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https")
        return url;
    if (scheme == u"http") {
        if (isLoopback(url.host()))
            return url;
        return fail(MessageTable::in(language, Msg::CalDavPlainHttp) + text);
    }
    return fail(MessageTable::in(language, Msg::CalDavSchemeRefused) + text);
}

QString Response::describe(Language language) const {
    if (timedOut)
        return MessageTable::in(language, Msg::CalDavTimeout);
    if (!error.isEmpty())
        return error;
    QString reason;
    switch (status) {
    case 401:
        reason = MessageTable::in(language, Msg::CalDavHttp401);
        break;
    case 403:
        reason = MessageTable::in(language, Msg::CalDavHttp403);
        break;
    case 404:
        reason = MessageTable::in(language, Msg::CalDavHttp404);
        break;
    case 409:
        reason = MessageTable::in(language, Msg::CalDavHttp409);
        break;
    case 412:
        reason = MessageTable::in(language, Msg::CalDavHttp412);
        break;
    default:
        if (status >= 500)
            reason = MessageTable::in(language, Msg::CalDavHttp5xx);
        break;
    }
    QString text = QStringLiteral("HTTP ") + QString::number(status);
    if (!reason.isEmpty())
        text += QStringLiteral(" (") + reason + u')';
    return text;
}

Result<std::unique_ptr<Client>> Client::create(const Connection& c) {
    auto url = checkedServerUrl(c.url, c.language);
    if (!url)
        return url.failure();
    std::unique_ptr<Client> client(new Client);
    client->base_ = *url;
    client->language_ = c.language;
    client->timeoutMs_ = c.timeoutMs;
    client->ssl_ = QSslConfiguration::defaultConfiguration();
    client->ssl_.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!c.caFile.trimmed().isEmpty()) {
        QFile file(c.caFile.trimmed());
        if (!file.open(QIODevice::ReadOnly))
            return fail(MessageTable::in(c.language, Msg::CalDavCaUnreadable) + c.caFile);
        const QList<QSslCertificate> certs = QSslCertificate::fromData(file.readAll());
        if (certs.isEmpty())
            return fail(MessageTable::in(c.language, Msg::CalDavCaNoCertificate) + c.caFile);
        client->ssl_.addCaCertificates(certs);
    }
    client->authorization_ = "Basic " + (c.user + u':' + c.password).toUtf8().toBase64();
    client->nam_ = std::make_unique<QNetworkAccessManager>();
    return client;
}

Client::~Client() = default;

QUrl Client::resolve(const QString& href) const {
    return base_.resolved(QUrl(href, QUrl::TolerantMode));
}

void Client::issue(const Request& request, int hops,
                   std::function<void(const Response&)> finished) {
    // A server may name hrefs on other hosts; the credentials never go there.
    if (!sameServer(base_, request.url)) {
        Response r;
        r.url = request.url;
        r.error = MessageTable::in(language_, Msg::CalDavOtherServer) + request.url.toString();
        QMetaObject::invokeMethod(
            nam_.get(), [r, finished = std::move(finished)]() { finished(r); },
            Qt::QueuedConnection);
        return;
    }
    QNetworkRequest nr(request.url);
    nr.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                    QNetworkRequest::ManualRedirectPolicy);
    nr.setTransferTimeout(timeoutMs_);
    nr.setRawHeader("Authorization", authorization_);
    nr.setRawHeader("User-Agent", "Marvolingen");
    if (request.depth >= 0)
        nr.setRawHeader("Depth", QByteArray::number(request.depth));
    if (!request.ifMatch.isEmpty())
        nr.setRawHeader("If-Match", request.ifMatch);
    if (request.ifNoneMatch)
        nr.setRawHeader("If-None-Match", "*");
    if (!request.contentType.isEmpty())
        nr.setHeader(QNetworkRequest::ContentTypeHeader, request.contentType);
    if (request.url.scheme() == u"https")
        nr.setSslConfiguration(ssl_);

    QNetworkReply* reply = nam_->sendCustomRequest(nr, request.verb, request.body);
    ++sent_;
    ++inFlight_;
    maxInFlightSeen_ = std::max(maxInFlightSeen_, inFlight_);
    QObject::connect(
        reply, &QNetworkReply::finished, nam_.get(),
        [this, reply, request, hops, finished = std::move(finished)]() {
            --inFlight_;
            reply->deleteLater();
            Response r;
            r.url = request.url;
            r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (reply->isOpen())
                r.body = reply->readAll();
            r.etag = reply->rawHeader("ETag");
            const auto error = reply->error();
            if (r.status == 0 && error != QNetworkReply::NoError) {
                r.timedOut = error == QNetworkReply::OperationCanceledError ||
                             error == QNetworkReply::TimeoutError;
                r.error = reply->errorString();
            }
            if (r.status >= 300 && r.status < 400 && r.status != 304) {
                const QUrl target = request.url.resolved(
                    reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
                if (!sameServer(base_, target)) {
                    r.error = MessageTable::in(language_, Msg::CalDavRedirectOtherServer) +
                              target.toString();
                } else if (hops >= kMaxRedirects) {
                    r.error = MessageTable::in(language_, Msg::CalDavTooManyRedirects);
                } else {
                    Request next = request;
                    next.url = target;
                    issue(next, hops + 1, finished);
                    return;
                }
            }
            finished(r);
        });
}

Response Client::send(const Request& request) {
    Response out;
    sendAll({request}, 1, [&out](qsizetype, const Response& r) {
        out = r;
        return true;
    });
    return out;
}

void Client::sendAll(const QList<Request>& requests, int maxInFlight,
                     const std::function<bool(qsizetype, const Response&)>& done) {
    QEventLoop loop;
    qsizetype next = 0;
    int running = 0;
    bool stop = false;
    std::function<void()> launch;
    launch = [&]() {
        while (!stop && running < std::max(1, maxInFlight) && next < requests.size()) {
            const qsizetype index = next++;
            ++running;
            issue(requests[index], 0, [&, index](const Response& r) {
                --running;
                if (!stop && !done(index, r))
                    stop = true;
                launch();
                if (running == 0)
                    loop.quit();
            });
        }
    };
    launch();
    if (running > 0)
        loop.exec();
}

} // namespace mv::caldav
