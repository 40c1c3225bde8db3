#include "groupwise/localstore.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlRecord>
#include <QTimeZone>
#include <QUrl>

namespace mv::gw {

namespace {

const char* const kFormat = "marvolingen-groupwise-1";

QString nextConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("mv.gw.%1").arg(counter.fetchAndAddRelaxed(1));
}

// A null text is stored as an empty one; only an invalid QVariant stands for NULL.
void bindAll(QSqlQuery& q, const QVariantList& binds) {
    for (qsizetype i = 0; i < binds.size(); ++i) {
        const QVariant& v = binds[i];
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.bindValue(int(i), QString(QLatin1String("")));
        else
            q.bindValue(int(i), v);
    }
}

} // namespace

Store::Store(const QString& connection) : connection_(connection) {}

std::shared_ptr<Store> Store::open(const QString& path, Mode mode) {
    std::shared_ptr<Store> store(new Store(nextConnectionName()));
    store->db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), store->connection_);
    // mode=rw: opening never creates a file where no domain is.
    QUrl url = QUrl::fromLocalFile(path);
    url.setQuery(mode == Mode::Create ? QStringLiteral("mode=rwc") : QStringLiteral("mode=rw"));
    store->db_.setDatabaseName(url.toString(QUrl::FullyEncoded));
    store->db_.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!store->db_.open())
        throw Error(kErrStore, QStringLiteral("Cannot open the domain database: %1")
                                   .arg(store->db_.lastError().text()));
    // FULL: in WAL mode only FULL syncs the log at each commit, so a write survives a power
    // failure once it has returned.
    store->run("PRAGMA synchronous=FULL");
    store->run("PRAGMA foreign_keys=ON");
    return store;
}

Store::~Store() {
    statements_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

void Store::run(const char* sql) {
    QSqlQuery q(db_);
    if (!q.exec(QString::fromLatin1(sql)))
        fail(q.lastError(), QString::fromLatin1(sql));
    q.finish();
}

void Store::fail(const QSqlError& error, const QString& sql) const {
    Q_UNUSED(sql);
    throw Error(kErrStore, QStringLiteral("Domain database: %1").arg(error.text()));
}

QSqlQuery& Store::prepared(const QString& sql) {
    auto it = statements_.find(sql);
    if (it != statements_.end())
        return *it->second;
    if (statements_.size() >= 64)
        statements_.clear(); // Find builds one shape per term list; keep the cache bounded
    auto q = std::make_unique<QSqlQuery>(db_);
    q->setForwardOnly(true);
    if (!q->prepare(sql))
        fail(q->lastError(), sql);
    return *statements_.emplace(sql, std::move(q)).first->second;
}

QList<QVariantList> Store::select(const QString& sql, const QVariantList& binds) {
    QSqlQuery& q = prepared(sql);
    bindAll(q, binds);
    if (!q.exec()) {
        const QSqlError error = q.lastError();
        q.finish();
        fail(error, sql);
    }
    QList<QVariantList> rows;
    const int columns = q.record().count();
    while (q.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(q.value(c));
        rows.append(std::move(row));
    }
    q.finish();
    return rows;
}

int Store::exec(const QString& sql, const QVariantList& binds) {
    QSqlQuery& q = prepared(sql);
    bindAll(q, binds);
    if (!q.exec()) {
        const QSqlError error = q.lastError();
        q.finish();
        fail(error, sql);
    }
    const int changed = q.numRowsAffected();
    lastInsertId_ = q.lastInsertId().toLongLong();
    q.finish();
    return changed;
}

Store::Transaction::Transaction(Store& store) : store_(store), outer_(store.depth_ == 0) {
    if (outer_)
        store_.exec(QStringLiteral("BEGIN IMMEDIATE"));
    ++store_.depth_;
}

Store::Transaction::~Transaction() {
    --store_.depth_;
    if (outer_ && !done_) {
        try {
            store_.exec(QStringLiteral("ROLLBACK"));
        } catch (const Error&) {
            // nothing more can be done; the connection rolls back when it closes
        }
    }
}

void Store::Transaction::commit() {
    if (outer_ && !done_)
        store_.exec(QStringLiteral("COMMIT"));
    done_ = true;
}

bool Store::hasDomain() {
    const auto tables = select(
        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name='meta'"));
    if (tables.isEmpty() || tables.first().value(0).toInt() != 1)
        return false;
    return meta(QStringLiteral("format")) == QLatin1String(kFormat);
}

void Store::createSchema(SystemVersion version, const QString& domainName) {
    Transaction tx(*this);
    const char* const statements[] = {
        "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)",
        "CREATE TABLE post_offices(id INTEGER PRIMARY KEY AUTOINCREMENT,"
        " name TEXT NOT NULL UNIQUE COLLATE NOCASE, address TEXT NOT NULL,"
        " port TEXT NOT NULL, path TEXT NOT NULL)",
        "CREATE TABLE address_book(id INTEGER PRIMARY KEY AUTOINCREMENT,"
        " position INTEGER NOT NULL UNIQUE, kind INTEGER NOT NULL CHECK(kind BETWEEN 0 AND 4))",
        "CREATE TABLE address_fields(entry INTEGER NOT NULL REFERENCES address_book(id)"
        " ON DELETE CASCADE, position INTEGER NOT NULL, field_id INTEGER NOT NULL,"
        " value TEXT NOT NULL, PRIMARY KEY(entry, position))",
        "CREATE TABLE trusted_apps(name TEXT PRIMARY KEY COLLATE NOCASE,"
        " description TEXT NOT NULL, key BLOB NOT NULL)",
        // id never reused, so a handle to a deleted entry never reaches a newer one
        "CREATE TABLE messages(id INTEGER PRIMARY KEY AUTOINCREMENT,"
        " owner INTEGER NOT NULL REFERENCES address_book(id) ON DELETE CASCADE,"
        " class TEXT NOT NULL, start INTEGER, duration REAL NOT NULL DEFAULT 0,"
        " subject TEXT NOT NULL DEFAULT '', place TEXT NOT NULL DEFAULT '',"
        " sender TEXT NOT NULL DEFAULT '', all_day INTEGER NOT NULL DEFAULT 0,"
        " flag INTEGER NOT NULL DEFAULT 0, number INTEGER NOT NULL DEFAULT 0)",
        "CREATE INDEX messages_by_start ON messages(owner, start, id)",
    };
    for (const char* sql : statements)
        exec(QString::fromLatin1(sql));
    setMeta(QStringLiteral("format"), QString::fromLatin1(kFormat));
    setMeta(QStringLiteral("major"),
            version == SystemVersion::V6_5 ? QStringLiteral("6") : QStringLiteral("7"));
    setMeta(QStringLiteral("minor"),
            version == SystemVersion::V6_5 ? QStringLiteral("5") : QStringLiteral("0"));
    setMeta(QStringLiteral("domain"), domainName);
    setMeta(QStringLiteral("client_user"), QString());
    tx.commit();
}

QString Store::meta(const QString& key) {
    const auto rows = select(QStringLiteral("SELECT value FROM meta WHERE key=?"), {key});
    return rows.isEmpty() ? QString() : rows.first().value(0).toString();
}

void Store::setMeta(const QString& key, const QString& value) {
    exec(QStringLiteral("INSERT INTO meta(key, value) VALUES(?, ?)"
                        " ON CONFLICT(key) DO UPDATE SET value=excluded.value"),
         {key, value});
}

QList<PostOfficeRow> loadPostOffices(Store& store) {
    QList<PostOfficeRow> out;
    const auto rows = store.select(
        QStringLiteral("SELECT id, name, address, port, path FROM post_offices ORDER BY id"));
    for (const auto& r : rows)
        out.append(
            PostOfficeRow{r[0].toLongLong(),
                          {r[1].toString(), r[2].toString(), r[3].toString(), r[4].toString()}});
    return out;
}

QList<AddressRowData> loadAddressBook(Store& store) {
    QList<AddressRowData> out;
    QHash<qint64, qsizetype> index;
    const auto entries =
        store.select(QStringLiteral("SELECT id, kind FROM address_book ORDER BY position"));
    for (const auto& r : entries) {
        index.insert(r[0].toLongLong(), out.size());
        out.append(AddressRowData{r[0].toLongLong(), {r[1].toInt(), {}}});
    }
    const auto fields = store.select(QStringLiteral(
        "SELECT entry, field_id, value FROM address_fields ORDER BY entry, position"));
    for (const auto& r : fields) {
        const auto it = index.constFind(r[0].toLongLong());
        if (it != index.constEnd())
            out[*it].entry.fields.append(AddressField{quint32(r[1].toLongLong()), r[2].toString()});
    }
    return out;
}

Mailbox resolveMailbox(Store& store, const QString& userId, const QList<qint64>& allowed) {
    const QString wanted = userId.trimmed();
    const auto offices = loadPostOffices(store);
    const auto book = loadAddressBook(store);
    std::optional<Mailbox> first;
    for (const auto& row : book) {
        if (row.entry.kind != kKindUser && row.entry.kind != kKindResource)
            continue;
        if (wanted.isEmpty() ||
            row.entry.field(kFieldUserId).compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        const QString officeName = row.entry.field(kFieldPostOffice);
        for (const auto& po : offices) {
            if (po.office.name.compare(officeName, Qt::CaseInsensitive) != 0)
                continue;
            Mailbox box{row.id, po.office};
            if (allowed.isEmpty() || allowed.contains(po.id))
                return box;
            if (!first)
                first = box;
        }
    }
    if (first)
        return *first;
    throw Error(kErrUnknownUser,
                QStringLiteral("The user ID \"%1\" is not in the address book").arg(wanted));
}

qint64 toStoredTime(const QDateTime& when) {
    return QDateTime(when.date(),
                     QTime(when.time().hour(), when.time().minute(), when.time().second()),
                     QTimeZone::utc())
        .toSecsSinceEpoch();
}

QDateTime fromStoredTime(qint64 seconds) {
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
    return QDateTime(utc.date(), utc.time());
}

QString AddressEntry::field(quint32 id) const {
    for (const auto& f : fields)
        if (f.id == id)
            return f.value.trimmed();
    return {};
}

} // namespace mv::gw
