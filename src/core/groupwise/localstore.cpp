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
    prepareIndexes();
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

namespace {

// The user-ID field's value as the index holds it: without surrounding blanks, ASCII letters
// in lower case (what SQLite's lower() folds).
const QString kUserIdKey = QStringLiteral("lower(trim(value, ' ' || char(9, 10, 11, 12, 13)))");
const QString kUserIdField = QString::number(kFieldUserId);

QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

bool isAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 0x7f)
            return false;
    return true;
}

// Users and resources whose first user-ID field may equal the wanted one, in address-book
// order: found through the index, or among all user IDs when the ID has other letters.
QList<qint64> mailboxCandidates(Store& store, const QString& wanted) {
    QString sql =
        QStringLiteral("SELECT b.id FROM address_fields f JOIN address_book b ON b.id = f.entry"
                       " WHERE f.field_id = %1 AND b.kind IN (1, 3)"
                       " AND f.position = (SELECT min(g.position) FROM address_fields g"
                       " WHERE g.entry = f.entry AND g.field_id = %1)")
            .arg(kUserIdField);
    QVariantList binds;
    if (isAscii(wanted)) {
        sql += QStringLiteral(" AND ") + kUserIdKey + QStringLiteral(" = ?");
        binds.append(asciiLower(wanted));
    }
    sql += QStringLiteral(" ORDER BY b.position");
    QList<qint64> out;
    for (const auto& r : store.select(sql, binds))
        out.append(r[0].toLongLong());
    return out;
}

QString firstField(Store& store, qint64 entry, quint32 id) {
    const auto rows = store.select(QStringLiteral("SELECT value FROM address_fields WHERE entry = ?"
                                                  " AND field_id = ? ORDER BY position LIMIT 1"),
                                   {entry, qint64(id)});
    return rows.isEmpty() ? QString() : rows.first().value(0).toString().trimmed();
}

} // namespace

void Store::prepareIndexes() {
    if (!select(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index'"
                               " AND name = 'address_user_ids'"))
             .isEmpty())
        return;
    exec(QStringLiteral("CREATE INDEX IF NOT EXISTS address_user_ids ON address_fields(") +
         kUserIdKey + QStringLiteral(") WHERE field_id = ") + kUserIdField);
}

Mailbox resolveMailbox(Store& store, const QString& userId, const QList<qint64>& allowed,
                       bool onlyAllowed) {
    const QString wanted = userId.trimmed();
    std::optional<Mailbox> first;
    if (!wanted.isEmpty()) {
        const auto offices = loadPostOffices(store);
        for (const qint64 entry : mailboxCandidates(store, wanted)) {
            if (firstField(store, entry, kFieldUserId).compare(wanted, Qt::CaseInsensitive) != 0)
                continue;
            const QString officeName = firstField(store, entry, kFieldPostOffice);
            for (const auto& po : offices) {
                if (po.office.name.compare(officeName, Qt::CaseInsensitive) != 0)
                    continue;
                Mailbox box{entry, po.office};
                if (allowed.isEmpty() || allowed.contains(po.id))
                    return box;
                if (!first)
                    first = box;
            }
        }
    }
    if (first && !onlyAllowed)
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
