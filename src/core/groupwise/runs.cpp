#include "groupwise/runs.h"

#include "calendar/dates.h"
#include "calendar/daylist.h"
#include "groupwise/filter.h"
#include "runs/engine.h"
#include "settings/cipher.h"
#include "settings/codepage.h"
#include "settings/gwsettings.h"
#include "settings/profilefile.h"

#include <QTime>

namespace mv {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kProgramSource = QStringLiteral("Marvolingen");

gw::Error typeMismatch() {
    return gw::Error(13, QStringLiteral("Type mismatch"), kProgramSource);
}

// The runtime's Val: blanks anywhere are ignored, then the leading number.
double val(QString text) {
    text.remove(QLatin1Char(' '));
    text.remove(QLatin1Char('\t'));
    text.remove(QLatin1Char('\n'));
    text.remove(QLatin1Char('\r'));
    return leadingNumber(text);
}

QDate dateOrThrow(const QString& dateText) {
    const QDate date = parseDate(dateText);
    if (!date.isValid())
        throw typeMismatch();
    return date;
}

QString headerTime(const QDateTime& now) {
    return now.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

Notice warningNotice(const MessageTable& messages, Msg m) {
    return Notice{messages[m], QString::fromLatin1(kAppTitle), Notice::Icon::Exclamation};
}

void failStart(RunResult& result, const gw::Error& e) {
    result.status =
        e.number() == gw::kErrNotInstalled ? RunStatus::NoGroupWise : RunStatus::Aborted;
    result.errorNumber = e.number();
    result.errorDescription = e.description();
    result.errorSource = e.source();
    result.errorCause = e.cause();
}

RunError runError(const gw::Error& e) {
    return RunError{e.number(), e.description()};
}

QList<RunTarget> targetsOf(const AddressList& users) {
    QList<RunTarget> targets;
    targets.reserve(users.size());
    for (const AddressRow& user : users)
        targets.append(RunTarget{user.userId, user.postOffice});
    return targets;
}

// A user's mailbox as the runs see it.
class MailboxCalendar : public RunCalendar {
public:
    MailboxCalendar(std::unique_ptr<gw::Account> account, const gw::Session& session,
                    WriteVariant variant)
        : account_(std::move(account)), session_(session), variant_(variant) {}

    void openMessages() {
        if (!messages_)
            messages_ = account_->calendarMessages();
    }

    // The search, the deletion of the old entry and the new entry of a day are one part of
    // the target's work: a failing day is undone alone.
    void writeDay(const DayEntry& day) override {
        if (lost_)
            throw *lost_;
        bool inPart = false;
        try {
            openWork();
            if (work_) {
                work_->beginPart();
                inPart = true;
            }
            openMessages();
            if (day.isNote())
                writeNote(day);
            else
                writeAppointment(day);
            if (inPart)
                work_->endPart();
        } catch (const gw::Error& e) {
            if (inPart) {
                try {
                    work_->undoPart();
                } catch (const gw::Error&) {
                    // The store undid the whole transaction: no day of the target is kept.
                    lost_ = runError(e);
                    work_.reset();
                }
            }
            throw runError(e);
        }
    }

    void commit() override {
        if (lost_)
            throw *lost_;
        try {
            if (work_)
                work_->commit();
            work_.reset();
        } catch (const gw::Error& e) {
            work_.reset();
            throw runError(e);
        }
    }

    int findYear(int year) override {
        try {
            openWork();
            openMessages();
            found_ = messages_->find(gw::yearFilter(year));
            return found_->count();
        } catch (const gw::Error& e) {
            throw runError(e);
        }
    }

    bool deleteFound(int number, QString& subject) override {
        bool inPart = false;
        try {
            if (work_) {
                work_->beginPart();
                inPart = true;
            }
            auto entry = found_->item(number);
            subject = entry->subject(); // gone once the entry is deleted
            entry->remove();
            if (inPart)
                work_->endPart();
            return true;
        } catch (const gw::Error&) {
            if (inPart) {
                try {
                    work_->undoPart();
                } catch (const gw::Error& e) {
                    lost_ = runError(e);
                    work_.reset();
                    throw *lost_;
                }
            }
            return false;
        }
    }

private:
    // One transaction for the target, begun with its first day: the search and the writes
    // of a day happen under one lock, and nothing is told before the commit.
    void openWork() {
        if (!workOpened_) {
            workOpened_ = true;
            work_ = account_->beginWork();
        }
    }

    void writeNote(const DayEntry& day) {
        const QDate date = dateOrThrow(day.date);
        DeleteExistingEntry(*messages_, day.date, day.designation);
        auto entry = messages_->add(QString::fromLatin1(gw::kNote), 3);
        fill(*entry, [&] {
            entry->setStart(QDateTime(date, QTime(0, 0)));
            entry->setSubject(day.designation);
            entry->setFlag(true);
            entry->setFromText(QString::fromLatin1(kSenderText));
            entry->save();
        });
    }

    void writeAppointment(const DayEntry& day) {
        const AppointmentTimes times = appointmentTimes(day.date, day.time);
        DeleteExistingEntry(*messages_, day.date, day.designation);
        auto entry = messages_->add(QString::fromLatin1(gw::kAppointment), 3);
        fill(*entry, [&] {
            if (variant_ == WriteVariant::GW702 && times.wholeDay && session_.majorVersion() >= 7) {
                // A refused whole-day flag leaves a 23:59 appointment; that is no failure.
                try {
                    entry->setAllDay(true);
                } catch (const gw::Error&) {
                }
            }
            entry->setStart(times.start);
            entry->setDuration(times.durationDays);
            entry->setSubject(day.designation);
            entry->setPlace(day.place);
            entry->setFlag(true);
            entry->setNumber(2);
            entry->setFromText(QString::fromLatin1(kSenderText));
            entry->save();
        });
    }

    // An entry left half-written would lack the sender text, so no later run could find
    // it again: take it away before the failure is reported.
    template <typename F> static void fill(gw::Message& entry, F&& setAttributes) {
        try {
            setAttributes();
        } catch (const gw::Error&) {
            try {
                entry.remove();
            } catch (const gw::Error&) {
            }
            throw;
        }
    }

    std::unique_ptr<gw::Account> account_;
    const gw::Session& session_;
    WriteVariant variant_;
    std::unique_ptr<gw::Messages> messages_;
    std::unique_ptr<gw::MessageList> found_;
    std::unique_ptr<gw::Work> work_;
    bool workOpened_ = false;
    std::optional<RunError> lost_;
};

// Logs in to the mailboxes of a GroupWise session.
class MailboxBackend : public RunBackend {
public:
    MailboxBackend(gw::Session& session, WriteVariant variant, QString commandLine)
        : session_(session), variant_(variant), commandLine_(std::move(commandLine)) {}

    std::unique_ptr<RunCalendar> open(const RunTarget& target, RunKind kind) override {
        try {
            // The row's post office, so that every run reaches the mailbox that was picked;
            // rows saved without one are resolved as the login options say.
            std::unique_ptr<gw::Account> account =
                kind == RunKind::Write && variant_ == WriteVariant::GW702
                    ? session_.loginAs(target.name, commandLine_, target.location)
                    : session_.loginAs(target.name, QString(), target.location);
            auto calendar =
                std::make_unique<MailboxCalendar>(std::move(account), session_, variant_);
            if (kind == RunKind::DeleteAll)
                calendar->openMessages();
            return calendar;
        } catch (const gw::Error& e) {
            throw runError(e);
        }
    }

private:
    gw::Session& session_;
    WriteVariant variant_;
    QString commandLine_;
};

RunResult writeRun(const WriteRunInput& in, RunObserver& observer, WriteVariant variant) {
    const Environment& env = in.environment;
    const MessageTable& msg = in.messages;
    RunResult result;
    result.runLog = msg[Msg::WriteRunHeader] + headerTime(env.now()) + kCrLf;
    const ProfileFile profile(env.settingsPath());
    std::unique_ptr<gw::Session> session;
    QString commandLine;
    RunPlan plan;
    try {
        session = openSession(in.createSession, env.programFolder);
        const QString stored = readStoredKey(profile);
        if (stored == QLatin1String(kNoKey))
            observer.warning(Msg::NoKey, warningNotice(msg, Msg::NoKey));
        if (variant == WriteVariant::GW702) {
            const GroupWiseConnection c = readGroupWiseConnection(profile, kConnectionInWriteRun);
            if (!c.address.isEmpty())
                commandLine += QStringLiteral(" /ipa-") + c.address;
            if (!c.port.isEmpty())
                commandLine += QStringLiteral(" /ipp-") + c.port;
        }
        session->setTrustedApplication(QString::fromLatin1(kTrustedAppName),
                                       DecryptText(stored, QString::fromLatin1(kPassPhrase)));
        if (variant == WriteVariant::GW702)
            session->setSwitch(true);
        if (in.buildDayList)
            plan.days = in.buildDayList();
    } catch (const gw::Error& e) {
        failStart(result, e);
        return result;
    }
    plan.environment = env;
    plan.messages = msg;
    plan.targets = targetsOf(in.users);
    plan.closingFailureLine = variant == WriteVariant::GW65;
    MailboxBackend backend(*session, variant, commandLine);
    executeWriteRun(plan, backend, observer, result);
    return result;
}

} // namespace

WriteVariant variantFromVersion(const QString& version) {
    return version == QLatin1String(kVersion65) ? WriteVariant::GW65 : WriteVariant::GW702;
}

RunResult WriteRun(const WriteRunInput& input, RunObserver& observer) {
    try {
        openSession(input.createSession, input.environment.programFolder);
    } catch (const gw::Error& e) {
        RunResult result;
        failStart(result, e);
        return result;
    }
    const ProfileFile profile(input.environment.settingsPath());
    return variantFromVersion(readGroupWiseVersion(profile)) == WriteVariant::GW65
               ? WriteRunGW65(input, observer)
               : WriteRunGW702(input, observer);
}

RunResult WriteRunGW65(const WriteRunInput& input, RunObserver& observer) {
    return writeRun(input, observer, WriteVariant::GW65);
}

RunResult WriteRunGW702(const WriteRunInput& input, RunObserver& observer) {
    return writeRun(input, observer, WriteVariant::GW702);
}

void DeleteExistingEntry(gw::Account& account, const QString& dateText, const QString& subject) {
    auto messages = account.calendarMessages();
    DeleteExistingEntry(*messages, dateText, subject);
}

void DeleteExistingEntry(gw::Messages& messages, const QString& dateText, const QString& subject) {
    const QDate date = dateOrThrow(dateText);
    auto found = messages.find(gw::dayFilter(date, subject));
    if (found->count() >= 1)
        found->item(1)->remove();
}

RunResult DeleteAllRun(const DeleteAllInput& input, RunObserver& observer) {
    const Environment& env = input.environment;
    const MessageTable& msg = input.messages;
    RunResult result;
    result.runLog = msg[Msg::DeleteRunHeader] + headerTime(env.now()) + kCrLf;
    RunPlan plan;
    plan.environment = env;
    plan.messages = msg;
    plan.targets = targetsOf(input.users);
    plan.year = roundToInt16(val(input.yearText));

    observer.runStarted(RunKind::DeleteAll, int(plan.targets.size()));
    std::unique_ptr<gw::Session> session;
    try {
        session = openSession(input.createSession, env.programFolder);
        const ProfileFile profile(env.settingsPath());
        session->setTrustedApplication(
            QString::fromLatin1(kTrustedAppName),
            DecryptText(readStoredKey(profile), QString::fromLatin1(kPassPhrase)));
    } catch (const gw::Error& e) {
        observer.runFinished();
        failStart(result, e);
        return result;
    }
    MailboxBackend backend(*session, WriteVariant::GW65, QString());
    executeDeleteAllRun(plan, backend, observer, result);
    return result;
}

DeleteDayResult DeleteFurtherDayEntries(const DeleteDayInput& input) {
    DeleteDayResult result;
    const auto fail = [&result](const gw::Error& e, const QString& user) {
        result.status = e.number() == gw::kErrNotInstalled && user.isEmpty()
                            ? DeleteDayResult::Status::NoGroupWise
                            : DeleteDayResult::Status::Failed;
        result.errorNumber = e.number();
        result.errorCause = e.cause();
        result.failedUser = user;
        return result;
    };
    std::unique_ptr<gw::Session> session;
    try {
        session = openSession(input.createSession, input.environment.programFolder);
        const ProfileFile profile(input.environment.settingsPath());
        session->setTrustedApplication(
            QString::fromLatin1(kTrustedAppName),
            DecryptText(readStoredKey(profile), QString::fromLatin1(kPassPhrase)));
    } catch (const gw::Error& e) {
        return fail(e, QString());
    }
    const QString dateText = expandYearly(input.furtherDay.date, input.yearText);
    for (const AddressRow& user : input.users) {
        try {
            auto account = session->loginAs(user.userId, QString(), user.postOffice);
            auto work = account->beginWork();
            DeleteExistingEntry(*account, dateText, input.furtherDay.designation);
            if (work)
                work->commit();
        } catch (const gw::Error& e) {
            return fail(e, user.userId);
        }
    }
    return result;
}

AppointmentTimes appointmentTimes(const QString& dateText, const QString& time) {
    AppointmentTimes result;
    QString t = time;
    if (t.endsWith(QLatin1String("24:00"))) {
        t = t.left(8) + QStringLiteral("23:59");
        result.wholeDay = true;
    }
    const QString startText = t.left(5) + QStringLiteral(":00");
    const double startHours = val(t.mid(0, 2)) + val(t.mid(3, 2)) / 60.0;
    const qsizetype dash = t.indexOf(QLatin1Char('-'));
    const QString endPart = dash < 0 ? t : t.mid(dash + 1);
    const qsizetype colon = endPart.indexOf(QLatin1Char(':'));
    if (colon < 0)
        throw gw::Error(5, QStringLiteral("Invalid procedure call or argument"), kProgramSource);
    const double endHours = val(endPart.left(colon)) + val(endPart.mid(colon + 1)) / 60.0;
    result.durationDays = (endHours - startHours) / 24.0;

    const QDate date = dateOrThrow(dateText);
    const QTime start = QTime::fromString(startText, QStringLiteral("HH:mm:ss"));
    if (!start.isValid())
        throw typeMismatch();
    result.start = QDateTime(date, start);
    return result;
}

std::unique_ptr<gw::Session> openSession(const SessionFactory& factory,
                                         const QString& programFolder) {
    return factory ? factory(programFolder) : gw::createSession(programFolder);
}

} // namespace mv
