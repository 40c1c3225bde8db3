#pragma once

#include "groupwise/groupwise.h"
#include "groupwise/localerrors.h"
#include "ui/messages.h"
#include "ui/result.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// The local GroupWise system: a domain with its post offices, address book, trusted
// applications and calendars, kept in one SQLite database in the folder "GroupWise" of the
// program folder. Sessions (createSession) and the administration below share it.
namespace mv::gw {

inline constexpr quint32 kFieldDisplayName = 0x3001001E;

inline constexpr int kKindUnknown = 0;
inline constexpr int kKindUser = 1;
inline constexpr int kKindCompany = 2;
inline constexpr int kKindResource = 3;
inline constexpr int kKindGroup = 4;

struct PostOffice {
    QString name;
    QString tcpipAddress;
    QString tcpipPort;
    QString pathToHost;
    friend bool operator==(const PostOffice&, const PostOffice&) = default;
};

struct AddressField {
    quint32 id = 0;
    QString value;
    friend bool operator==(const AddressField&, const AddressField&) = default;
};

struct AddressEntry {
    int kind = kKindUnknown;
    QList<AddressField> fields;
    // The first field with that ID, trimmed; empty when there is none.
    QString field(quint32 id) const;
    friend bool operator==(const AddressEntry&, const AddressEntry&) = default;
};

struct CalendarEntry {
    QString messageClass = QString::fromLatin1(kAppointment);
    QDateTime start; // invalid when never set
    double durationDays = 0;
    QString subject;
    QString place;
    QString from;
    bool allDay = false;
    bool flag = false;
    int number = 0;
    friend bool operator==(const CalendarEntry&, const CalendarEntry&) = default;
};

struct TrustedApp {
    QString name;
    QString description;
    QByteArray key;
};

enum class SystemVersion { V7_0, V6_5 };

class Store;

class LocalSystem {
public:
    // <programFolder>/GroupWise: the domain path an administrator types.
    static QString domainPath(const QString& programFolder);
    static QString databasePath(const QString& domainPath);
    static bool exists(const QString& programFolder);

    // Creates an empty system (one domain, no post office), or the demo system; today dates
    // the demo entries of the current year. The database appears complete or not at all.
    // Throws Error(kErrExists) when the program folder already has a system.
    static LocalSystem create(const QString& programFolder, SystemVersion version, bool demo,
                              const QDate& today, const QString& domainName = {});
    // Throws Error(kErrNotInstalled) when the program folder has no system.
    static LocalSystem open(const QString& programFolder);

    LocalSystem(LocalSystem&&) noexcept;
    LocalSystem& operator=(LocalSystem&&) noexcept;
    ~LocalSystem();

    int majorVersion() const;
    int minorVersion() const;
    QString domainName() const;

    // Post office names are unique (without regard to case).
    void addPostOffice(const PostOffice& postOffice);
    QList<PostOffice> postOffices() const;

    // Appends an entry to the address book; returns its 1-based place.
    int addAddressEntry(int kind, const QList<AddressField>& fields);
    // A user or resource of a post office of this domain: user ID, display name, domain,
    // post office.
    int addMember(int kind, const QString& userId, const QString& postOffice,
                  const QString& displayName = {});
    QList<AddressEntry> addressBook() const;

    void setClientUser(const QString& userId);
    QString clientUser() const;

    QList<TrustedApp> trustedApps() const;
    // The administrator's way out when the key of an application is lost: removes it without
    // the key. False when the domain has no application of that name.
    bool removeTrustedApp(const QString& name);

    // The calendar a login as userId reaches (postOffice chooses among post offices that
    // share the user ID; empty: the first in address-book order). Entries in start order,
    // then in the order they were added; year keeps those that start in that year.
    // Throws Error(kErrUnknownUser).
    QList<CalendarEntry> entries(const QString& userId, const QString& postOffice = {},
                                 std::optional<int> year = {}) const;
    void addEntry(const QString& userId, const QString& postOffice, const CalendarEntry& entry);

private:
    explicit LocalSystem(std::shared_ptr<Store> store);
    std::shared_ptr<Store> store_;
};

// The administration for callers outside the GroupWise layer, with failures as texts: a
// missing system gives the text of MsgNoGroupWise, any other error its error line.
Result<void> createLocalSystem(const QString& programFolder, SystemVersion version, bool demo,
                               const QDate& today);
Result<void> withLocalSystem(const QString& programFolder, const MessageTable& messages,
                             const std::function<void(LocalSystem&)>& work);

} // namespace mv::gw
