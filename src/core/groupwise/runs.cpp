#include "groupwise/runs.h"

#include "calendar/dates.h"
#include "calendar/daylist.h"
#include "groupwise/filter.h"
#include "settings/cipher.h"
#include "settings/codepage.h"
#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QTime>

namespace mv {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kGroupWise = QStringLiteral("GroupWise");
const QString kKeyName = QStringLiteral("Schlüssel");
const QString kOk = QStringLiteral("OK");
const QString kFailed = QStringLiteral("--");
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
}

// Limits are the numbers of characters read back; the profile read takes the buffer size.
QString storedKey(const ProfileFile& profile) {
    return profile.readKey(kGroupWise, kKeyName, QString::fromLatin1(kNoKey), 249);
}

void saveLog(RunResult& result, const Environment& environment, const QString& prefix) {
    const QString path = runLogFilePath(environment, prefix, environment.now());
    // A log that cannot be written does not change the outcome of the run.
    if (atomicWrite(path, toCp1252(result.runLog + kCrLf))) {
        result.logWritten = true;
        result.logFilePath = path;
    }
}

class WriteRunner {
public:
    WriteRunner(const WriteRunInput& input, RunObserver& observer, WriteVariant variant)
        : in_(input), obs_(observer), variant_(variant), msg_(input.messages) {}

    RunResult run() {
        const Environment& env = in_.environment;
        result_.runLog = msg_[Msg::WriteRunHeader] + headerTime(env.now()) + kCrLf;
        const ProfileFile profile(env.settingsPath());
        DayList days;
        try {
            session_ = openSession(in_.createSession, env.programFolder);
            const QString stored = storedKey(profile);
            if (stored == QLatin1String(kNoKey))
                obs_.warning(Msg::NoKey, warningNotice(msg_, Msg::NoKey));
            if (variant_ == WriteVariant::GW702) {
                const QString address =
                    profile.readKey(kGroupWise, QStringLiteral("IPAdresse"), QString(), 30);
                const QString port =
                    profile.readKey(kGroupWise, QStringLiteral("IPPort"), QString(), 10);
                if (!address.isEmpty())
                    commandLine_ += QStringLiteral(" /ipa-") + address;
                if (!port.isEmpty())
                    commandLine_ += QStringLiteral(" /ipp-") + port;
            }
            session_->setTrustedApplication(QString::fromLatin1(kTrustedAppName),
                                            DecryptText(stored, QString::fromLatin1(kPassPhrase)));
            if (variant_ == WriteVariant::GW702)
                session_->setSwitch(true);
            if (in_.buildDayList)
                days = in_.buildDayList();
        } catch (const gw::Error& e) {
            failStart(result_, e);
            return result_;
        }

        obs_.clearRows();
        obs_.showLabels(RunObserver::Labels::All);
        obs_.designationLabel(msg_[Msg::PleaseWait]);
        if (in_.users.isEmpty())
            obs_.warning(Msg::NoUserSelected, warningNotice(msg_, Msg::NoUserSelected));

        for (const AddressRow& user : in_.users)
            runUser(user.userId, days);

        obs_.hideLabels();
        saveLog(result_, env, QStringLiteral("PR-"));
        return result_;
    }

private:
    void log(const QString& line) { result_.runLog += line + kCrLf; }

    void runUser(const QString& userText, const DayList& days) {
        ProcessingRow row{userText, {}, {}};
        obs_.userStarted(userText);
        log(QString::fromLatin1(kUserSeparator));
        log(userText);

        std::unique_ptr<gw::Account> account;
        try {
            account = variant_ == WriteVariant::GW702 ? session_->loginAs(userText, commandLine_)
                                                      : session_->loginAs(userText);
        } catch (const gw::Error& e) {
            row.login = kFailed;
            obs_.loginColumn(kFailed);
            obs_.nameLabel(msg_[Msg::NoLogin]);
            log(msg_[Msg::NoLogin]);
            log(errorLine(e.number(), e.description()));
            result_.anyFailure = true;
            finishUser(row);
            return;
        }
        row.login = kOk;
        obs_.loginColumn(kOk);
        log(msg_[Msg::LoginOk]);

        // The error state stays set from a user's first failure on, so every later day of
        // that user is logged with it, as is the end of the user in the 6.5 run.
        std::optional<gw::Error> pending;
        std::unique_ptr<gw::Messages> messages;
        QString lastHead;
        for (const DayEntry& day : days) {
            try {
                if (!messages)
                    messages = account->calendarMessages();
                writeDay(*messages, userText, day);
            } catch (const gw::Error& e) {
                pending = e;
            }
            lastHead = day.date + QStringLiteral(", ") + day.designation + QStringLiteral(": ");
            if (pending) {
                log(lastHead + msg_[Msg::EntryNotWritten]);
                log(errorLine(pending->number(), pending->description()));
            } else {
                log(lastHead + msg_[Msg::EntryWritten]);
            }
            obs_.processEvents();
        }
        row.entry = pending ? kFailed : kOk;
        obs_.entryColumn(row.entry);
        if (pending) {
            result_.anyFailure = true;
            if (variant_ == WriteVariant::GW65) {
                log(lastHead + msg_[Msg::EntryNotWritten]);
                log(errorLine(pending->number(), pending->description()));
            }
        }
        finishUser(row);
    }

    void finishUser(const ProcessingRow& row) {
        result_.rows.append(row);
        obs_.userFinished(row);
    }

    void writeDay(gw::Messages& messages, const QString& userText, const DayEntry& day) {
        if (day.isNote()) {
            const QDate date = dateOrThrow(day.date);
            DeleteExistingEntry(messages, day.date, day.designation);
            auto entry = messages.add(QString::fromLatin1(gw::kNote), 3);
            fill(*entry, [&] {
                entry->setStart(QDateTime(date, QTime(0, 0)));
                entry->setSubject(day.designation);
                entry->setFlag(true);
                entry->setFromText(QString::fromLatin1(kSenderText));
            });
            return;
        }
        const AppointmentTimes times = appointmentTimes(day.date, day.time);
        DeleteExistingEntry(messages, day.date, day.designation);
        obs_.nameLabel(userText);
        obs_.dateLabel(day.date);
        obs_.designationLabel(day.designation);
        auto entry = messages.add(QString::fromLatin1(gw::kAppointment), 3);
        fill(*entry, [&] {
            if (variant_ == WriteVariant::GW702 && times.wholeDay &&
                session_->majorVersion() >= 7) {
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

    const WriteRunInput& in_;
    RunObserver& obs_;
    WriteVariant variant_;
    const MessageTable& msg_;
    RunResult result_;
    std::unique_ptr<gw::Session> session_;
    QString commandLine_;
};

} // namespace

Notice RunResult::noGroupWiseNotice(const MessageTable& messages) const {
    return Notice{messages[Msg::NoGroupWise], QString::fromLatin1(kAppTitle),
                  Notice::Icon::Critical};
}

WriteVariant variantFromVersion(const QString& version) {
    return version == QLatin1String("GW65") ? WriteVariant::GW65 : WriteVariant::GW702;
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
    const QString version =
        profile.readKey(kGroupWise, QStringLiteral("Version"), QStringLiteral("GW702"), 257);
    return variantFromVersion(version) == WriteVariant::GW65 ? WriteRunGW65(input, observer)
                                                             : WriteRunGW702(input, observer);
}

RunResult WriteRunGW65(const WriteRunInput& input, RunObserver& observer) {
    return WriteRunner(input, observer, WriteVariant::GW65).run();
}

RunResult WriteRunGW702(const WriteRunInput& input, RunObserver& observer) {
    return WriteRunner(input, observer, WriteVariant::GW702).run();
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
    auto log = [&result](const QString& line) { result.runLog += line + kCrLf; };
    log(msg[Msg::DeleteRunHeader] + headerTime(env.now()));
    const int year = roundToInt16(val(input.yearText));

    observer.clearRows();
    std::unique_ptr<gw::Session> session;
    try {
        session = openSession(input.createSession, env.programFolder);
        observer.showLabels(RunObserver::Labels::DesignationOnly);
        observer.designationLabel(msg[Msg::PleaseWait]);
        const ProfileFile profile(env.settingsPath());
        session->setTrustedApplication(
            QString::fromLatin1(kTrustedAppName),
            DecryptText(storedKey(profile), QString::fromLatin1(kPassPhrase)));
    } catch (const gw::Error& e) {
        observer.hideLabels();
        failStart(result, e);
        return result;
    }

    const QString filter = gw::yearFilter(year);
    for (const AddressRow& user : input.users) {
        ProcessingRow row{user.userId, {}, {}};
        observer.userStarted(user.userId);
        std::unique_ptr<gw::Messages> messages;
        try {
            auto account = session->loginAs(user.userId);
            messages = account->calendarMessages();
        } catch (const gw::Error&) {
            messages.reset();
        }
        log(QString::fromLatin1(kUserSeparator));
        log(user.userId);
        if (!messages) {
            row.login = kFailed;
            observer.loginColumn(kFailed);
            observer.designationLabel(msg[Msg::NoLogin]);
            log(msg[Msg::NoLogin]);
            result.anyFailure = true;
        } else {
            log(msg[Msg::LoginOk]);
            row.login = kOk;
            observer.loginColumn(kOk);
            try {
                auto found = messages->find(filter);
                const int n = found->count();
                if (n < 1) {
                    row.entry = QStringLiteral("N/A");
                    log(QString::fromUtf8(kNothingFound));
                }
                for (int k = 1; k <= n; ++k) {
                    QString subject;
                    bool deleted = false;
                    try {
                        auto entry = found->item(k);
                        subject = entry->subject(); // gone once the entry is deleted
                        entry->remove();
                        deleted = true;
                    } catch (const gw::Error&) {
                        deleted = false;
                    }
                    observer.designationLabel(QStringLiteral("Eintrag/Entry Nr.") +
                                              QString::number(k) + msg[Msg::WillBeDeleted]);
                    if (deleted) {
                        log(subject + QStringLiteral(" :") + msg[Msg::EntryDeleted]);
                        row.entry = QStringLiteral("DEL");
                    } else {
                        log(subject + QStringLiteral(": ") + msg[Msg::EntryNotDeleted]);
                        row.entry = kFailed;
                        result.anyFailure = true;
                    }
                }
            } catch (const gw::Error& e) {
                // The search itself failed: nothing of this user could be looked at.
                row.entry = kFailed;
                log(errorLine(e.number(), e.description()));
                result.anyFailure = true;
            }
            if (!row.entry.isEmpty())
                observer.entryColumn(row.entry);
        }
        result.rows.append(row);
        observer.userFinished(row);
    }

    observer.hideLabels();
    saveLog(result, env, QStringLiteral("PR-DEL-"));
    return result;
}

DeleteDayResult DeleteFurtherDayEntries(const DeleteDayInput& input) {
    DeleteDayResult result;
    const auto fail = [&result](const gw::Error& e, const QString& user) {
        result.status = e.number() == gw::kErrNotInstalled && user.isEmpty()
                            ? DeleteDayResult::Status::NoGroupWise
                            : DeleteDayResult::Status::Failed;
        result.errorNumber = e.number();
        result.errorDescription = e.description();
        result.failedUser = user;
        return result;
    };
    std::unique_ptr<gw::Session> session;
    try {
        session = openSession(input.createSession, input.environment.programFolder);
        const ProfileFile profile(input.environment.settingsPath());
        session->setTrustedApplication(
            QString::fromLatin1(kTrustedAppName),
            DecryptText(storedKey(profile), QString::fromLatin1(kPassPhrase)));
    } catch (const gw::Error& e) {
        return fail(e, QString());
    }
    const QString dateText = expandYearly(input.furtherDay.date, input.yearText);
    for (const AddressRow& user : input.users) {
        try {
            auto account = session->loginAs(user.userId);
            DeleteExistingEntry(*account, dateText, input.furtherDay.designation);
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

QString errorLine(int number, const QString& description) {
    return QStringLiteral("Error: ") + QString::number(number) + QStringLiteral(", ") + description;
}

QString runLogFilePath(const Environment& environment, const QString& prefix, const QDateTime& at) {
    return environment.folderWithSeparator() + prefix +
           at.toString(QStringLiteral("dd.MM.yyyy H-m-s")) + QStringLiteral(".txt");
}

} // namespace mv
