#include "groupwise/filter.h"
#include "groupwise/localstore.h"

#include <QMap>

#include <cmath>

namespace mv::gw {

namespace {

QString untilNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

// The post offices a login command line names by " /ipa-ADDR", " /ipp-PORT", " /IPA ADDR",
// " /IPP PORT" (any case); other switches belong to the client and are passed over.
QList<qint64> postOfficesOfOptions(Store& store, const QString& commandLine) {
    QString address;
    QString port;
    const QStringList tokens = commandLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString& t = tokens[i];
        const QString lower = t.toLower();
        QString* target = nullptr;
        if (lower.startsWith(QLatin1String("/ipa")))
            target = &address;
        else if (lower.startsWith(QLatin1String("/ipp")))
            target = &port;
        else
            continue;
        const QString rest = t.mid(4);
        if (rest.isEmpty()) {
            if (i + 1 < tokens.size() && !tokens[i + 1].startsWith(QLatin1Char('/')))
                *target = tokens[++i];
        } else if (rest.startsWith(QLatin1Char('-'))) {
            *target = rest.mid(1);
        }
    }
    if (address.isEmpty() && port.isEmpty())
        return {};
    QList<qint64> allowed;
    for (const auto& po : loadPostOffices(store)) {
        if (!address.isEmpty() &&
            po.office.tcpipAddress.trimmed().compare(address, Qt::CaseInsensitive) != 0)
            continue;
        if (!port.isEmpty() && po.office.tcpipPort.trimmed() != port)
            continue;
        allowed.append(po.id);
    }
    if (allowed.isEmpty())
        throw Error(kErrPostOffice,
                    QStringLiteral("No post office at TCP/IP address \"%1\", port \"%2\"")
                        .arg(address, port));
    return allowed;
}

class MessageImpl : public Message {
public:
    MessageImpl(std::shared_ptr<Store> store, qint64 owner, qint64 id, QString messageClass,
                QString subject, int major)
        : store_(std::move(store)), owner_(owner), id_(id), class_(std::move(messageClass)),
          subject_(std::move(subject)), major_(major) {}

    QString subject() const override {
        if (id_ != 0 && !removed_) {
            const auto rows =
                store_->select(QStringLiteral("SELECT subject FROM messages WHERE id=?"), {id_});
            if (!rows.isEmpty())
                subject_ = rows.first().value(0).toString();
        }
        // a deleted entry still answers with the subject it had
        return subject_;
    }
    void setSubject(const QString& subject) override {
        write("subject", subject);
        subject_ = subject;
    }
    void save() override {
        if (removed_)
            throw gone();
        if (id_ != 0)
            return;
        QStringList columns{QStringLiteral("owner"), QStringLiteral("class")};
        QVariantList values{owner_, class_};
        for (auto it = pending_.cbegin(); it != pending_.cend(); ++it) {
            columns.append(it.key());
            values.append(it.value());
        }
        store_->exec(QStringLiteral("INSERT INTO messages(%1) VALUES(?%2)")
                         .arg(columns.join(QLatin1Char(',')),
                              QStringLiteral(", ?").repeated(columns.size() - 1)),
                     values);
        id_ = store_->lastInsertId();
        pending_.clear();
    }
    void setStart(const QDateTime& start) override {
        if (!start.isValid())
            throw Error(kErrBadValue, QStringLiteral("Invalid start date"));
        const QDateTime when =
            class_ == QLatin1String(kNote) ? QDateTime(start.date(), QTime(0, 0)) : start;
        write("start", toStoredTime(when));
    }
    void setDuration(double days) override {
        if (!std::isfinite(days))
            throw Error(kErrBadValue, QStringLiteral("Invalid duration"));
        write("duration", days);
    }
    void setPlace(const QString& place) override { write("place", place); }
    void setFlag(bool on) override { write("flag", on ? 1 : 0); }
    void setNumber(int value) override { write("number", value); }
    void setFromText(const QString& from) override { write("sender", from); }
    void setAllDay(bool on) override {
        if (major_ < 7)
            throw Error(kErrNotSupported,
                        QStringLiteral("This GroupWise version has no whole-day appointments"));
        write("all_day", on ? 1 : 0);
    }
    void remove() override {
        if (removed_)
            throw gone();
        pending_.clear();
        if (id_ != 0 &&
            store_->exec(QStringLiteral("DELETE FROM messages WHERE id=?"), {id_}) == 0) {
            removed_ = true;
            throw gone();
        }
        removed_ = true;
    }

private:
    static Error gone() {
        return Error(kErrEntryGone, QStringLiteral("The entry does not exist any more"));
    }

    // A new entry keeps its attributes until save() stores them in one row, so no entry is
    // ever seen without its sender text.
    void write(const char* column, const QVariant& value) {
        if (removed_)
            throw gone();
        const QString col = QString::fromLatin1(column);
        if (id_ == 0) {
            pending_.insert(col, value);
            return;
        }
        if (store_->exec(QStringLiteral("UPDATE messages SET %1=? WHERE id=?").arg(col),
                         {value, id_}) == 0) {
            removed_ = true;
            throw gone();
        }
    }

    std::shared_ptr<Store> store_;
    qint64 owner_;
    qint64 id_;
    QString class_;
    mutable QString subject_;
    int major_;
    bool removed_ = false;
    QMap<QString, QVariant> pending_; // a new entry's attributes, by column
};

// One transaction of the store; each part a savepoint.
class WorkImpl : public Work {
public:
    explicit WorkImpl(std::shared_ptr<Store> store)
        : store_(std::move(store)), tx_(std::make_unique<Store::Transaction>(*store_)) {}
    ~WorkImpl() override { tx_.reset(); } // rolls back unless committed
    void beginPart() override { store_->exec(QStringLiteral("SAVEPOINT part")); }
    void endPart() override { store_->exec(QStringLiteral("RELEASE part")); }
    void undoPart() override {
        store_->exec(QStringLiteral("ROLLBACK TO part"));
        store_->exec(QStringLiteral("RELEASE part"));
    }
    void commit() override { tx_->commit(); }

private:
    std::shared_ptr<Store> store_;
    std::unique_ptr<Store::Transaction> tx_;
};

struct Found {
    qint64 id;
    QString messageClass;
    QString subject;
};

class MessageListImpl : public MessageList {
public:
    MessageListImpl(std::shared_ptr<Store> store, qint64 owner, QList<Found> found, int major)
        : store_(std::move(store)), owner_(owner), found_(std::move(found)), major_(major) {}
    int count() const override { return int(found_.size()); }
    std::unique_ptr<Message> item(int index) override {
        if (index < 1 || index > found_.size())
            throw Error(kErrNoItem, QStringLiteral("No item %1 in the result").arg(index));
        const Found& f = found_[index - 1];
        return std::make_unique<MessageImpl>(store_, owner_, f.id, f.messageClass, f.subject,
                                             major_);
    }

private:
    std::shared_ptr<Store> store_;
    qint64 owner_;
    QList<Found> found_; // a snapshot: places stay when entries are deleted
    int major_;
};

class MessagesImpl : public Messages {
public:
    MessagesImpl(std::shared_ptr<Store> store, qint64 owner, int major)
        : store_(std::move(store)), owner_(owner), major_(major) {}

    std::unique_ptr<Message> add(const QString& messageClass, int mode) override {
        Q_UNUSED(mode);
        if (messageClass != QLatin1String(kAppointment) && messageClass != QLatin1String(kNote))
            throw Error(kErrBadValue, QStringLiteral("Unknown class \"%1\"").arg(messageClass));
        return std::make_unique<MessageImpl>(store_, owner_, 0, messageClass, QString(), major_);
    }

    std::unique_ptr<MessageList> find(const QString& filter) override {
        const QList<FilterTerm> terms = parseFilter(filter);
        QString sql = QStringLiteral("SELECT id, class, subject FROM messages WHERE owner=?");
        QVariantList binds{owner_};
        for (const auto& t : terms) {
            switch (t.field) {
            case FilterTerm::Field::StartDate:
                sql += t.op == FilterTerm::Op::AtLeast ? QLatin1String(" AND start>=?")
                                                       : QLatin1String(" AND start<?");
                binds.append(toStoredTime(t.when));
                break;
            case FilterTerm::Field::Subject:
                sql += QLatin1String(" AND subject=?");
                binds.append(t.text);
                break;
            case FilterTerm::Field::From:
                sql += QLatin1String(" AND sender=?");
                binds.append(t.text);
                break;
            }
        }
        sql += QLatin1String(" ORDER BY start, id");
        QList<Found> found;
        for (const auto& r : store_->select(sql, binds))
            found.append({r[0].toLongLong(), r[1].toString(), r[2].toString()});
        return std::make_unique<MessageListImpl>(store_, owner_, std::move(found), major_);
    }

private:
    std::shared_ptr<Store> store_;
    qint64 owner_;
    int major_;
};

class AddressBookEntryImpl : public AddressBookEntry {
public:
    explicit AddressBookEntryImpl(AddressEntry entry) : entry_(std::move(entry)) {}
    int kind() const override { return entry_.kind; }
    int fieldCount() const override { return int(entry_.fields.size()); }
    quint32 fieldId(int index) const override { return at(index).id; }
    QString fieldValue(int index) const override { return at(index).value; }

private:
    const AddressField& at(int index) const {
        if (index < 1 || index > entry_.fields.size())
            throw Error(kErrNoItem, QStringLiteral("No field %1 in the entry").arg(index));
        return entry_.fields[index - 1];
    }
    AddressEntry entry_;
};

class AddressBookImpl : public AddressBook {
public:
    explicit AddressBookImpl(QList<AddressRowData> rows) : rows_(std::move(rows)) {}
    QString name() const override { return QStringLiteral("GroupWise Address Book"); }
    int count() const override { return int(rows_.size()); }
    std::unique_ptr<AddressBookEntry> item(int index) override {
        if (index < 1 || index > rows_.size())
            throw Error(kErrNoItem, QStringLiteral("No entry %1 in the address book").arg(index));
        return std::make_unique<AddressBookEntryImpl>(rows_[index - 1].entry);
    }

private:
    QList<AddressRowData> rows_;
};

class AccountImpl : public Account {
public:
    AccountImpl(std::shared_ptr<Store> store, Mailbox box, int major)
        : store_(std::move(store)), box_(std::move(box)), major_(major) {}
    QString pathToHost() const override { return box_.office.pathToHost; }
    QString tcpipAddress() const override { return box_.office.tcpipAddress; }
    QString tcpipPort() const override { return box_.office.tcpipPort; }
    std::unique_ptr<AddressBook> systemAddressBook() override {
        return std::make_unique<AddressBookImpl>(loadAddressBook(*store_));
    }
    std::unique_ptr<Messages> calendarMessages() override {
        return std::make_unique<MessagesImpl>(store_, box_.owner, major_);
    }
    std::unique_ptr<Work> beginWork() override { return std::make_unique<WorkImpl>(store_); }

private:
    std::shared_ptr<Store> store_;
    Mailbox box_;
    int major_;
};

class SessionImpl : public Session {
public:
    explicit SessionImpl(std::shared_ptr<Store> store) : store_(std::move(store)) {
        major_ = store_->meta(QStringLiteral("major")).toInt();
        minor_ = store_->meta(QStringLiteral("minor")).toInt();
        try {
            store_->prepareIndexes();
        } catch (const Error&) {
            // a system that cannot be written still answers, only slower
        }
    }
    int majorVersion() const override { return major_; }
    int minorVersion() const override { return minor_; }
    void setTrustedApplication(const QString& name, const QString& key) override {
        appName_ = name;
        appKey_ = untilNul(key);
        hasApp_ = true;
    }
    void setSwitch(bool on) override { switch_ = on; }

    std::unique_ptr<Account> loginAs(const QString& userId, const QString& commandLine,
                                     const QString& postOffice) override {
        checkTrustedApplication();
        return account(userId, commandLine, postOffice);
    }

    std::unique_ptr<Account> login(const QString& userId, const QString& commandLine,
                                   const QString& password, int promptMode) override {
        Q_UNUSED(password);
        Q_UNUSED(promptMode);
        const QString own = store_->meta(QStringLiteral("client_user")).trimmed();
        if (userId.trimmed().isEmpty()) {
            if (own.isEmpty())
                throw Error(kErrNoClientUser,
                            QStringLiteral("The GroupWise client has no user of its own"));
            return account(own, commandLine);
        }
        if (userId.trimmed().compare(own, Qt::CaseInsensitive) != 0)
            checkTrustedApplication();
        return account(userId, commandLine);
    }

private:
    std::unique_ptr<Account> account(const QString& userId, const QString& commandLine,
                                     const QString& postOffice = {}) {
        const QList<qint64> allowed = postOfficesOfOptions(*store_, commandLine);
        if (postOffice.trimmed().isEmpty())
            return std::make_unique<AccountImpl>(store_, resolveMailbox(*store_, userId, allowed),
                                                 major_);
        for (const auto& po : loadPostOffices(*store_))
            if (po.office.name.compare(postOffice.trimmed(), Qt::CaseInsensitive) == 0)
                return std::make_unique<AccountImpl>(
                    store_, resolveMailbox(*store_, userId, {po.id}, true), major_);
        throw Error(kErrPostOffice, QStringLiteral("No post office \"%1\"").arg(postOffice));
    }

    void checkTrustedApplication() {
        if (!hasApp_)
            throw Error(kErrTrustedApp, QStringLiteral("No trusted application is set"));
        const auto rows =
            store_->select(QStringLiteral("SELECT key FROM trusted_apps WHERE name=?"), {appName_});
        if (rows.isEmpty())
            throw Error(kErrTrustedApp,
                        QStringLiteral("The trusted application \"%1\" is not known to the domain")
                            .arg(appName_));
        const QByteArray stored = rows.first().value(0).toByteArray();
        const qsizetype nul = stored.indexOf('\0');
        if (QString::fromUtf8(nul < 0 ? stored : stored.left(nul)) != appKey_)
            throw Error(kErrTrustedApp,
                        QStringLiteral("The key of the trusted application \"%1\" does not match")
                            .arg(appName_));
    }

    std::shared_ptr<Store> store_;
    int major_ = 0;
    int minor_ = 0;
    QString appName_;
    QString appKey_;
    bool hasApp_ = false;
    bool switch_ = false;
};

} // namespace

std::unique_ptr<Session> openSession(std::shared_ptr<Store> store) {
    return std::make_unique<SessionImpl>(std::move(store));
}

} // namespace mv::gw
