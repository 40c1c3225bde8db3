#pragma once

#include "groupwise/local.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <memory>
#include <unordered_map>

namespace mv::gw {

// One connection to a domain database, with its prepared statements. Not shared between
// threads. Every statement outside a Transaction commits on its own, durably.
class Store {
public:
    enum class Mode { Existing, Create };
    // Throws Error(kErrStore) when the database cannot be opened.
    static std::shared_ptr<Store> open(const QString& path, Mode mode = Mode::Existing);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // True when the file holds a domain of this program.
    bool hasDomain();
    void createSchema(SystemVersion version, const QString& domainName);
    // Creates the user-ID index where the database lacks it (also run when a session opens).
    void prepareIndexes();

    // Runs a statement; rows of a query are read completely and the statement reset, so
    // no read transaction stays open between calls.
    QList<QVariantList> select(const QString& sql, const QVariantList& binds = {});
    // Returns the number of rows changed.
    int exec(const QString& sql, const QVariantList& binds = {});
    qint64 lastInsertId() const { return lastInsertId_; }

    QString meta(const QString& key);
    void setMeta(const QString& key, const QString& value);

    // BEGIN IMMEDIATE takes the write lock at once (waiting up to the busy timeout), so a
    // transaction never fails half-way for a lock. Nested guards join the outer one.
    class Transaction {
    public:
        explicit Transaction(Store& store);
        ~Transaction();
        void commit();

    private:
        Store& store_;
        bool outer_;
        bool done_ = false;
    };

    static constexpr int kBusyTimeoutMs = 20000;

private:
    explicit Store(const QString& connection);
    QSqlQuery& prepared(const QString& sql);
    [[noreturn]] void fail(const QSqlError& error, const QString& sql) const;
    void run(const char* sql);

    QString connection_;
    QSqlDatabase db_;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> statements_;
    qint64 lastInsertId_ = 0;
    int depth_ = 0;
};

struct PostOfficeRow {
    qint64 id = 0;
    PostOffice office;
};

struct AddressRowData {
    qint64 id = 0;
    AddressEntry entry;
};

QList<PostOfficeRow> loadPostOffices(Store& store);
QList<AddressRowData> loadAddressBook(Store& store);

// The calendar (address-book entry of a user or resource) a login reaches, and its post
// office. Among entries that share the user ID the first in address-book order whose post
// office is one of `allowed` wins; with no entry there, the first of all (the post office
// redirects) unless onlyAllowed. An empty `allowed` allows every post office. Looked up
// through an index, not by reading the address book.
struct Mailbox {
    qint64 owner = 0;
    PostOffice office;
};
Mailbox resolveMailbox(Store& store, const QString& userId, const QList<qint64>& allowed,
                       bool onlyAllowed = false);

// Start stored as seconds of the wall-clock time (no time zone).
qint64 toStoredTime(const QDateTime& when);
QDateTime fromStoredTime(qint64 seconds);

std::unique_ptr<Session> openSession(std::shared_ptr<Store> store);

} // namespace mv::gw
