#include "groupwise/groupwise.h"

#include "groupwise/local.h"
#include "groupwise/localstore.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

namespace mv::gw {

namespace {

// The domain of a domain path, or null when the path holds none.
std::shared_ptr<Store> openDomain(const QString& domainPath) {
    const QString folder = domainPath.trimmed();
    if (folder.isEmpty())
        return {};
    const QString path = LocalSystem::databasePath(folder);
    if (!QFileInfo(path).isFile())
        return {};
    try {
        auto store = Store::open(path);
        if (store->hasDomain())
            return store;
    } catch (const Error&) {
    }
    return {};
}

QByteArray untilNul(const QByteArray& text) {
    const qsizetype nul = text.indexOf('\0');
    return nul < 0 ? text : text.left(nul);
}

QByteArray newKey() {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray key(48, Qt::Uninitialized);
    for (char& c : key)
        c = alphabet[QRandomGenerator::system()->bounded(int(sizeof alphabet - 1))];
    return key;
}

} // namespace

std::unique_ptr<Session> createSession(const QString& programFolder) {
    const QString path = LocalSystem::databasePath(LocalSystem::domainPath(programFolder));
    const QString notInstalled = QStringLiteral("The GroupWise client is not installed");
    if (!QFileInfo(path).isFile())
        throw Error(kErrNotInstalled, notInstalled);
    try {
        auto store = Store::open(path);
        if (!store->hasDomain())
            throw Error(kErrNotInstalled, notInstalled);
        return openSession(std::move(store));
    } catch (const Error& e) {
        // The folder is there but the store refused: the reason belongs beside the message.
        throw Error(kErrNotInstalled, notInstalled + QStringLiteral(" (%1)").arg(e.description()),
                    QStringLiteral("GroupWise"), e.cause().isEmpty() ? e.description() : e.cause());
    }
}

int CreateTrustedAppObject(const QString& domainPath, const QString& name,
                           const QString& description, const QString& empty, int a, int b, int c,
                           int d, int e, QByteArray& key) {
    Q_UNUSED(empty);
    Q_UNUSED(a);
    Q_UNUSED(b);
    Q_UNUSED(c);
    Q_UNUSED(d);
    Q_UNUSED(e);
    auto store = openDomain(domainPath);
    if (!store)
        return kTAppNoDomain;
    if (name.trimmed().isEmpty())
        return kTAppFieldError;
    try {
        Store::Transaction tx(*store);
        if (!store
                 ->select(QStringLiteral("SELECT 1 FROM trusted_apps WHERE name=?"),
                          {name.trimmed()})
                 .isEmpty())
            return kTAppExists;
        const QByteArray created = newKey();
        store->exec(
            QStringLiteral("INSERT INTO trusted_apps(name, description, key) VALUES(?, ?, ?)"),
            {name.trimmed(), description, created});
        tx.commit();
        key = created;
        return kTAppOk;
    } catch (const Error&) {
        return kTAppCannotCreate;
    }
}

int DeleteTrustedAppObject(const QString& domainPath, const QString& name, const QByteArray& key) {
    auto store = openDomain(domainPath);
    if (!store)
        return kTAppNoDomain;
    try {
        Store::Transaction tx(*store);
        const auto rows = store->select(QStringLiteral("SELECT key FROM trusted_apps WHERE name=?"),
                                        {name.trimmed()});
        if (rows.isEmpty())
            return kTAppNotDeleted;
        if (untilNul(rows.first().value(0).toByteArray()) != untilNul(key))
            return kTAppWrongKey;
        store->exec(QStringLiteral("DELETE FROM trusted_apps WHERE name=?"), {name.trimmed()});
        tx.commit();
        return kTAppOk;
    } catch (const Error&) {
        return kTAppNotDeleted;
    }
}

} // namespace mv::gw
