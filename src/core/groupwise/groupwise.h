#pragma once

#include <QDateTime>
#include <QString>
#include <exception>
#include <memory>

namespace mv::gw {

inline constexpr int kErrNotInstalled = 429;
inline constexpr const char* kAppointment = "GW.MESSAGE.APPOINTMENT";
inline constexpr const char* kNote = "GW.MESSAGE.NOTE";

// Address-book field IDs: user ID, domain, post office.
inline constexpr quint32 kFieldUserId = 0x3A00001E;
inline constexpr quint32 kFieldDomain = 0x6610001E;
inline constexpr quint32 kFieldPostOffice = 0x6615001E;

// Every GroupWise operation can fail with a number and a description.
class Error : public std::exception {
public:
    Error(int number, QString description, QString source = QStringLiteral("GroupWise"),
          QString cause = {})
        : number_(number), description_(std::move(description)), source_(std::move(source)),
          cause_(std::move(cause)) {}
    int number() const { return number_; }
    const QString& description() const { return description_; }
    const QString& source() const { return source_; }
    // Why the store refused, when the number alone hides it (429 for a folder that exists).
    const QString& cause() const { return cause_; }
    const char* what() const noexcept override { return "GroupWise error"; }

private:
    int number_;
    QString description_;
    QString source_;
    QString cause_;
};

// One entry of a calendar.
class Message {
public:
    virtual ~Message() = default;
    virtual QString subject() const = 0;
    virtual void setSubject(const QString& subject) = 0;
    virtual void setStart(const QDateTime& start) = 0; // a note: midnight of its date
    virtual void setDuration(double days) = 0;
    virtual void setPlace(const QString& place) = 0;
    virtual void setFlag(bool on) = 0;     // the boolean attribute
    virtual void setNumber(int value) = 0; // the numeric attribute
    virtual void setFromText(const QString& from) = 0;
    virtual void setAllDay(bool on) = 0; // fails on systems older than 7
    virtual void remove() = 0;
    // A new entry reaches the calendar here, with every attribute set so far, whole. Entries
    // that store each attribute as it is set need nothing.
    virtual void save() {}
};

// A result of Find; items are numbered from 1 and keep their places after a deletion.
class MessageList {
public:
    virtual ~MessageList() = default;
    virtual int count() const = 0;
    virtual std::unique_ptr<Message> item(int index) = 0;
};

// The messages of one calendar.
class Messages {
public:
    virtual ~Messages() = default;
    virtual std::unique_ptr<Message> add(const QString& messageClass, int mode) = 0;
    virtual std::unique_ptr<MessageList> find(const QString& filter) = 0;
};

class AddressBookEntry {
public:
    virtual ~AddressBookEntry() = default;
    virtual int kind() const = 0; // 0 unknown, 1 user, 2 company, 3 resource, 4 group
    virtual int fieldCount() const = 0;
    virtual quint32 fieldId(int index) const = 0;    // 1-based
    virtual QString fieldValue(int index) const = 0; // 1-based
};

class AddressBook {
public:
    virtual ~AddressBook() = default;
    virtual QString name() const = 0;
    virtual int count() const = 0;
    virtual std::unique_ptr<AddressBookEntry> item(int index) = 0; // 1-based
};

// Calls made while a Work is open are kept whole or not at all; a part (one day of a run)
// can be undone alone. Closing a Work without commit undoes everything.
class Work {
public:
    virtual ~Work() = default;
    virtual void beginPart() = 0;
    virtual void endPart() = 0;
    virtual void undoPart() = 0;
    virtual void commit() = 0;
};

class Account {
public:
    virtual ~Account() = default;
    virtual QString pathToHost() const = 0;
    virtual QString tcpipAddress() const = 0;
    virtual QString tcpipPort() const = 0;
    virtual std::unique_ptr<AddressBook> systemAddressBook() = 0;
    virtual std::unique_ptr<Messages> calendarMessages() = 0; // Calendar, then Messages
    // Null where every call stands alone.
    virtual std::unique_ptr<Work> beginWork() { return nullptr; }
};

class Session {
public:
    virtual ~Session() = default;
    virtual int majorVersion() const = 0;
    virtual int minorVersion() const = 0;
    virtual void setTrustedApplication(const QString& name, const QString& key) = 0;
    virtual void setSwitch(bool on) = 0;
    // Log in as a user with the trusted-application credentials. A post office, when given,
    // is where the user's mailbox is, whatever the command line names.
    virtual std::unique_ptr<Account> loginAs(const QString& userId, const QString& commandLine = {},
                                             const QString& postOffice = {}) = 0;
    // Login with the empty user ID logs in as the client's own user.
    virtual std::unique_ptr<Account> login(const QString& userId, const QString& commandLine,
                                           const QString& password, int promptMode) = 0;
};

// Creates a session on the GroupWise system of the program folder; error 429 when
// there is none.
std::unique_ptr<Session> createSession(const QString& programFolder);

// The trusted-application library. key receives the new key (up to 128 characters).
int CreateTrustedAppObject(const QString& domainPath, const QString& name,
                           const QString& description, const QString& empty, int a, int b, int c,
                           int d, int e, QByteArray& key);
int DeleteTrustedAppObject(const QString& domainPath, const QString& name, const QByteArray& key);

} // namespace mv::gw
