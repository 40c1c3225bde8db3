#include "groupwise/local.h"

#include "files/safefile.h"
#include "groupwise/demo.h"
#include "groupwise/localstore.h"
#include "runs/run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace mv::gw {

namespace {

void removeDatabaseFiles(const QString& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

QString LocalSystem::domainPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("GroupWise"));
}

QString LocalSystem::databasePath(const QString& domainPath) {
    return QDir(domainPath).filePath(QStringLiteral("domain.db"));
}

bool LocalSystem::exists(const QString& programFolder) {
    return QFileInfo(databasePath(domainPath(programFolder))).isFile();
}

LocalSystem::LocalSystem(std::shared_ptr<Store> store) : store_(std::move(store)) {}
LocalSystem::LocalSystem(LocalSystem&&) noexcept = default;
LocalSystem& LocalSystem::operator=(LocalSystem&&) noexcept = default;
LocalSystem::~LocalSystem() = default;

LocalSystem LocalSystem::create(const QString& programFolder, SystemVersion version, bool demo,
                                const QDate& today, const QString& domainName) {
    const QString folder = domainPath(programFolder);
    const QString target = databasePath(folder);
    if (QFileInfo::exists(target))
        throw Error(kErrExists, QStringLiteral("A GroupWise system exists already in %1")
                                    .arg(QDir::toNativeSeparators(folder)));
    if (!QDir().mkpath(folder))
        throw Error(
            kErrStore,
            QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(folder)));
    // Built beside the target and renamed into place, so that a session never meets a
    // half-made domain.
    const QString temp =
        target + QStringLiteral(".new-%1").arg(QRandomGenerator::system()->generate(), 8, 16,
                                               QLatin1Char('0'));
    try {
        {
            auto store = Store::open(temp, Store::Mode::Create);
            QString name = domainName.trimmed();
            if (name.isEmpty())
                name = demo ? demoDomainName() : QStringLiteral("Domain");
            store->createSchema(version, name);
            if (demo) {
                LocalSystem system(store);
                Store::Transaction tx(*store);
                fillDemo(system, today);
                tx.commit();
            }
            store->exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        }
        if (!QFile::rename(temp, target))
            throw Error(kErrExists, QStringLiteral("A GroupWise system exists already in %1")
                                        .arg(QDir::toNativeSeparators(folder)));
        syncFolder(folder);
    } catch (...) {
        removeDatabaseFiles(temp);
        throw;
    }
    return open(programFolder);
}

LocalSystem LocalSystem::open(const QString& programFolder) {
    const QString path = databasePath(domainPath(programFolder));
    if (!QFileInfo(path).isFile())
        throw Error(kErrNotInstalled, QStringLiteral("No GroupWise system in %1")
                                          .arg(QDir::toNativeSeparators(programFolder)));
    std::shared_ptr<Store> store;
    try {
        store = Store::open(path);
        if (!store->hasDomain())
            throw Error(kErrNotInstalled, QString(), QStringLiteral("GroupWise"),
                        QStringLiteral("The database holds no GroupWise domain"));
    } catch (const Error& e) {
        throw Error(kErrNotInstalled,
                    QStringLiteral("The GroupWise system in %1 is damaged")
                        .arg(QDir::toNativeSeparators(programFolder)),
                    QStringLiteral("GroupWise"), e.cause().isEmpty() ? e.description() : e.cause());
    }
    return LocalSystem(std::move(store));
}

int LocalSystem::majorVersion() const {
    return store_->meta(QStringLiteral("major")).toInt();
}
int LocalSystem::minorVersion() const {
    return store_->meta(QStringLiteral("minor")).toInt();
}
QString LocalSystem::domainName() const {
    return store_->meta(QStringLiteral("domain"));
}

void LocalSystem::addPostOffice(const PostOffice& po) {
    if (po.name.trimmed().isEmpty())
        throw Error(kErrBadValue, QStringLiteral("A post office needs a name"));
    Store::Transaction tx(*store_);
    if (!store_
             ->select(QStringLiteral("SELECT 1 FROM post_offices WHERE name=?"),
                      {po.name.trimmed()})
             .isEmpty())
        throw Error(kErrExists,
                    QStringLiteral("The post office \"%1\" exists already").arg(po.name.trimmed()));
    store_->exec(
        QStringLiteral("INSERT INTO post_offices(name, address, port, path) VALUES(?, ?, ?, ?)"),
        {po.name.trimmed(), po.tcpipAddress.trimmed(), po.tcpipPort.trimmed(), po.pathToHost});
    tx.commit();
}

QList<PostOffice> LocalSystem::postOffices() const {
    QList<PostOffice> out;
    for (const auto& row : loadPostOffices(*store_))
        out.append(row.office);
    return out;
}

int LocalSystem::addAddressEntry(int kind, const QList<AddressField>& fields) {
    if (kind < kKindUnknown || kind > kKindGroup)
        throw Error(kErrBadValue, QStringLiteral("Unknown address-book kind %1").arg(kind));
    Store::Transaction tx(*store_);
    const int position =
        store_->select(QStringLiteral("SELECT coalesce(max(position), 0) + 1 FROM address_book"))
            .first()
            .value(0)
            .toInt();
    store_->exec(QStringLiteral("INSERT INTO address_book(position, kind) VALUES(?, ?)"),
                 {position, kind});
    const qint64 id = store_->lastInsertId();
    int place = 0;
    for (const auto& f : fields)
        store_->exec(QStringLiteral("INSERT INTO address_fields(entry, position, field_id, value)"
                                    " VALUES(?, ?, ?, ?)"),
                     {id, ++place, qint64(f.id), f.value});
    tx.commit();
    return int(store_->select(QStringLiteral("SELECT count(*) FROM address_book"))
                   .first()
                   .value(0)
                   .toInt());
}

int LocalSystem::addMember(int kind, const QString& userId, const QString& postOffice,
                           const QString& displayName) {
    QList<AddressField> fields{{kFieldUserId, userId}};
    if (!displayName.isEmpty())
        fields.append({kFieldDisplayName, displayName});
    fields.append({kFieldDomain, domainName()});
    fields.append({kFieldPostOffice, postOffice});
    return addAddressEntry(kind, fields);
}

QList<AddressEntry> LocalSystem::addressBook() const {
    QList<AddressEntry> out;
    for (const auto& row : loadAddressBook(*store_))
        out.append(row.entry);
    return out;
}

void LocalSystem::setClientUser(const QString& userId) {
    store_->setMeta(QStringLiteral("client_user"), userId.trimmed());
}

QString LocalSystem::clientUser() const {
    return store_->meta(QStringLiteral("client_user"));
}

QList<TrustedApp> LocalSystem::trustedApps() const {
    QList<TrustedApp> out;
    for (const auto& r : store_->select(
             QStringLiteral("SELECT name, description, key FROM trusted_apps ORDER BY name")))
        out.append({r[0].toString(), r[1].toString(), r[2].toByteArray()});
    return out;
}

bool LocalSystem::removeTrustedApp(const QString& name) {
    return store_->exec(QStringLiteral("DELETE FROM trusted_apps WHERE name=?"), {name.trimmed()}) >
           0;
}

namespace {

QList<qint64> officeNamed(Store& store, const QString& postOffice) {
    if (postOffice.trimmed().isEmpty())
        return {};
    for (const auto& row : loadPostOffices(store))
        if (row.office.name.compare(postOffice.trimmed(), Qt::CaseInsensitive) == 0)
            return {row.id};
    throw Error(kErrPostOffice, QStringLiteral("No post office \"%1\"").arg(postOffice));
}

} // namespace

QList<CalendarEntry> LocalSystem::entries(const QString& userId, const QString& postOffice,
                                          std::optional<int> year) const {
    const Mailbox box = resolveMailbox(*store_, userId, officeNamed(*store_, postOffice));
    QString sql = QStringLiteral("SELECT class, start, duration, subject, place, sender, all_day,"
                                 " flag, number FROM messages WHERE owner=?");
    QVariantList binds{box.owner};
    if (year) {
        sql += QLatin1String(" AND start>=? AND start<?");
        binds.append(toStoredTime(QDateTime(QDate(*year, 1, 1), QTime(0, 0))));
        binds.append(toStoredTime(QDateTime(QDate(*year + 1, 1, 1), QTime(0, 0))));
    }
    sql += QLatin1String(" ORDER BY start, id");
    QList<CalendarEntry> out;
    for (const auto& r : store_->select(sql, binds)) {
        CalendarEntry e;
        e.messageClass = r[0].toString();
        if (!r[1].isNull())
            e.start = fromStoredTime(r[1].toLongLong());
        e.durationDays = r[2].toDouble();
        e.subject = r[3].toString();
        e.place = r[4].toString();
        e.from = r[5].toString();
        e.allDay = r[6].toInt() != 0;
        e.flag = r[7].toInt() != 0;
        e.number = r[8].toInt();
        out.append(e);
    }
    return out;
}

void LocalSystem::addEntry(const QString& userId, const QString& postOffice,
                           const CalendarEntry& entry) {
    const Mailbox box = resolveMailbox(*store_, userId, officeNamed(*store_, postOffice));
    if (entry.messageClass != QLatin1String(kAppointment) &&
        entry.messageClass != QLatin1String(kNote))
        throw Error(kErrBadValue, QStringLiteral("Unknown class \"%1\"").arg(entry.messageClass));
    if (entry.allDay && majorVersion() < 7)
        throw Error(kErrNotSupported,
                    QStringLiteral("This GroupWise version has no whole-day appointments"));
    store_->exec(QStringLiteral("INSERT INTO messages(owner, class, start, duration, subject,"
                                " place, sender, all_day, flag, number)"
                                " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {box.owner, entry.messageClass,
                  entry.start.isValid() ? QVariant(toStoredTime(entry.start)) : QVariant(),
                  entry.durationDays, entry.subject, entry.place, entry.from, entry.allDay ? 1 : 0,
                  entry.flag ? 1 : 0, entry.number});
}

Result<void> createLocalSystem(const QString& programFolder, SystemVersion version, bool demo,
                               const QDate& today) {
    try {
        LocalSystem::create(programFolder, version, demo, today);
    } catch (const Error& e) {
        return fail(errorLine(e.number(), e.description()));
    }
    return {};
}

Result<void> withLocalSystem(const QString& programFolder, const MessageTable& messages,
                             const std::function<void(LocalSystem&)>& work) {
    try {
        LocalSystem system = LocalSystem::open(programFolder);
        work(system);
    } catch (const Error& e) {
        return fail(e.number() == kErrNotInstalled ? noGroupWiseNotice(messages, e.cause()).text
                                                   : errorLine(e.number(), e.description()));
    }
    return {};
}

} // namespace mv::gw
