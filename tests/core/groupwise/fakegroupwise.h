#pragma once

// An in-memory GroupWise behind the interface, with failures on demand, for the paths a
// real system cannot be made to take (a refused whole-day flag, a deletion that fails).

#include "groupwise/filter.h"
#include "groupwise/groupwise.h"
#include "groupwise/localerrors.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <memory>

namespace fake {

using namespace mv::gw;

struct Entry {
    QString messageClass;
    QDateTime start;
    double duration = 0;
    QString subject, place, from;
    bool allDay = false, flag = false;
    int number = 0;
    bool removed = false;
};
using EntryPtr = std::shared_ptr<Entry>;

struct World {
    int createError = 0; // session creation fails with this number
    int major = 7, minor = 0;
    QSet<QString> users;
    QHash<QString, QList<EntryPtr>> calendars;
    QString appKey = QStringLiteral("secret"); // the trusted application's key

    bool failCredentials = false;
    bool failAllDay = false;
    bool failFind = false;
    QString failSetSubject;    // setSubject with this text fails
    QString failRemoveSubject; // deleting an entry with this subject fails

    QStringList logins;      // user + "|" + command line
    QStringList postOffices; // of each login
    QString credentialName, credentialKey;
    bool switchOn = false;
    int sessions = 0;

    EntryPtr put(const QString& user, const QDateTime& start, const QString& subject,
                 const QString& from) {
        auto e = std::make_shared<Entry>();
        e->messageClass = QString::fromLatin1(kAppointment);
        e->start = start;
        e->subject = subject;
        e->from = from;
        calendars[user].append(e);
        return e;
    }
    QList<EntryPtr> live(const QString& user) const {
        QList<EntryPtr> out;
        for (const auto& e : calendars.value(user))
            if (!e->removed)
                out.append(e);
        return out;
    }
    void erase(const EntryPtr& e) {
        for (auto& list : calendars)
            list.removeAll(e);
    }
};

class Message : public mv::gw::Message {
public:
    Message(World& w, EntryPtr e) : w_(w), e_(std::move(e)) {}
    QString subject() const override {
        alive();
        return e_->subject;
    }
    void setSubject(const QString& s) override {
        alive();
        if (!w_.failSetSubject.isEmpty() && s == w_.failSetSubject)
            throw Error(kErrBadValue, QStringLiteral("subject refused"));
        e_->subject = s;
    }
    void setStart(const QDateTime& d) override { alive(), e_->start = d; }
    void setDuration(double days) override { alive(), e_->duration = days; }
    void setPlace(const QString& p) override { alive(), e_->place = p; }
    void setFlag(bool on) override { alive(), e_->flag = on; }
    void setNumber(int v) override { alive(), e_->number = v; }
    void setFromText(const QString& f) override { alive(), e_->from = f; }
    void setAllDay(bool on) override {
        alive();
        if (w_.failAllDay)
            throw Error(kErrNotSupported, QStringLiteral("no whole-day flag"));
        e_->allDay = on;
    }
    void remove() override {
        alive();
        if (!w_.failRemoveSubject.isEmpty() && e_->subject == w_.failRemoveSubject)
            throw Error(kErrStore, QStringLiteral("cannot delete"));
        e_->removed = true;
        w_.erase(e_);
    }

private:
    void alive() const {
        if (e_->removed)
            throw Error(kErrEntryGone, QStringLiteral("entry deleted"));
    }
    World& w_;
    EntryPtr e_;
};

class MessageList : public mv::gw::MessageList {
public:
    MessageList(World& w, QList<EntryPtr> items) : w_(w), items_(std::move(items)) {}
    int count() const override { return int(items_.size()); }
    std::unique_ptr<mv::gw::Message> item(int index) override {
        if (index < 1 || index > items_.size())
            throw Error(kErrNoItem, QStringLiteral("no item"));
        return std::make_unique<Message>(w_, items_.at(index - 1));
    }

private:
    World& w_;
    QList<EntryPtr> items_;
};

class Messages : public mv::gw::Messages {
public:
    Messages(World& w, QString user) : w_(w), user_(std::move(user)) {}
    std::unique_ptr<mv::gw::Message> add(const QString& cls, int mode) override {
        if (mode != 3)
            throw Error(kErrBadValue, QStringLiteral("mode"));
        auto e = std::make_shared<Entry>();
        e->messageClass = cls;
        w_.calendars[user_].append(e);
        return std::make_unique<Message>(w_, e);
    }
    std::unique_ptr<mv::gw::MessageList> find(const QString& filter) override {
        if (w_.failFind)
            throw Error(kErrBadFilter, QStringLiteral("find refused"));
        const auto terms = parseFilter(filter);
        QList<EntryPtr> hits;
        for (const auto& e : w_.live(user_)) {
            bool all = true;
            for (const FilterTerm& t : terms) {
                switch (t.field) {
                case FilterTerm::Field::StartDate:
                    all &= t.op == FilterTerm::Op::AtLeast ? e->start >= t.when : e->start < t.when;
                    break;
                case FilterTerm::Field::Subject:
                    all &= e->subject == t.text;
                    break;
                case FilterTerm::Field::From:
                    all &= e->from == t.text;
                    break;
                }
            }
            if (all)
                hits.append(e);
        }
        return std::make_unique<MessageList>(w_, hits);
    }

private:
    World& w_;
    QString user_;
};

class Account : public mv::gw::Account {
public:
    Account(World& w, QString user) : w_(w), user_(std::move(user)) {}
    QString pathToHost() const override { return QStringLiteral("/po/one"); }
    QString tcpipAddress() const override { return QStringLiteral("127.0.0.1"); }
    QString tcpipPort() const override { return QStringLiteral("1677"); }
    std::unique_ptr<AddressBook> systemAddressBook() override {
        throw Error(kErrNotSupported, QStringLiteral("no address book"));
    }
    std::unique_ptr<mv::gw::Messages> calendarMessages() override {
        return std::make_unique<Messages>(w_, user_);
    }

private:
    World& w_;
    QString user_;
};

class Session : public mv::gw::Session {
public:
    explicit Session(World& w) : w_(w) {}
    int majorVersion() const override { return w_.major; }
    int minorVersion() const override { return w_.minor; }
    void setTrustedApplication(const QString& name, const QString& key) override {
        if (w_.failCredentials)
            throw Error(kErrTrustedApp, QStringLiteral("credentials refused"));
        w_.credentialName = name;
        w_.credentialKey = key.left(key.indexOf(QChar(0)));
    }
    void setSwitch(bool on) override { w_.switchOn = on; }
    std::unique_ptr<mv::gw::Account> loginAs(const QString& user, const QString& commandLine,
                                             const QString& postOffice) override {
        w_.logins.append(user + QLatin1Char('|') + commandLine);
        w_.postOffices.append(postOffice);
        if (w_.credentialKey != w_.appKey)
            throw Error(kErrTrustedApp, QStringLiteral("wrong key"));
        if (!w_.users.contains(user))
            throw Error(kErrUnknownUser, QStringLiteral("unknown user"));
        return std::make_unique<Account>(w_, user);
    }
    std::unique_ptr<mv::gw::Account> login(const QString&, const QString&, const QString&,
                                           int) override {
        return std::make_unique<Account>(w_, QStringLiteral("client"));
    }

private:
    World& w_;
};

inline std::function<std::unique_ptr<mv::gw::Session>(const QString&)> factory(World& w) {
    return [&w](const QString&) -> std::unique_ptr<mv::gw::Session> {
        if (w.createError)
            throw Error(w.createError, QStringLiteral("cannot create"));
        ++w.sessions;
        return std::make_unique<Session>(w);
    };
}

} // namespace fake
