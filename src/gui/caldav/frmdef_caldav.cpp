// The CalDAV side of the main window: calendars in place of users, the runs on a server.
#include "app/frmdef.h"

#include "app/treerows.h"
#include "app/waitcursor.h"
#include "caldav/caldavruns.h"
#include "caldav/caldavsettings.h"
#include "caldav/client.h"
#include "caldav/discovery.h"
#include "groupwise/gwrunview.h"
#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QTreeWidget>
#include <optional>

namespace mv {

using namespace mv::caldav;

namespace {

// A calendar in the address lists: path, owner and display name in the first three columns.
AddressRow rowOf(const CalendarRef& c) {
    return AddressRow{c.path, c.owner, c.displayName, QString()};
}

CalendarList calendarsOf(const AddressList& rows) {
    CalendarList out;
    for (const AddressRow& r : rows)
        out.append({r.userId, r.kind, r.domain});
    return out;
}

} // namespace

void frmDef::showServerSelection() {
    const ProfileFile file(env_.settingsPath());
    const CalDavSettings server = LoadCalDavSettings(file);
    const bool calDav = server.kind == ServerKind::CalDAV;
    if (calDav == calDav_ && lvAdressen_->topLevelItemCount() > 0)
        return;
    const bool changed = calDav != calDav_;
    calDav_ = calDav;
    if (calDav_) {
        AddressList rows;
        for (const CalendarRef& c : server.calendars)
            rows.append(rowOf(c));
        setAddressRows(lvAdressen_, rows);
    } else if (changed) {
        setAddressRows(lvAdressen_,
                       mv::LoadSettings(file, env_.today(), env_.systemCountryCode).users);
    }
    if (changed)
        lstAddressBookEntries_->clear();
}

void frmDef::cmdListAdressen_CalDav() {
    WaitCursor wait;
    lstAddressBookEntries_->clear();
    const CalDavSettings server = LoadCalDavSettings(ProfileFile(env_.settingsPath()));
    Connection c{server.url, server.user, server.password, server.caFile};
    c.language = currentLanguage_;
    Result<CalendarList> calendars = fail(QString());
    if (auto client = Client::create(c))
        calendars = discoverCalendars(**client);
    else
        calendars = client.failure();
    wait.release();
    if (!calendars) {
        showNotice({calendars.error(), QString::fromLatin1(kAppTitle), Notice::Icon::Critical});
        return;
    }
    AddressList rows;
    for (const CalendarRef& cal : *calendars)
        rows.append(rowOf(cal));
    setAddressRows(lstAddressBookEntries_, rows);
}

namespace {

CalDavRunInput runInput(const Environment& env, const MessageTable& messages, Language language,
                        const AddressList& rows) {
    CalDavRunInput in;
    in.environment = env;
    in.messages = messages;
    in.language = language;
    in.settings = LoadCalDavSettings(ProfileFile(env.settingsPath()));
    in.settings.calendars = calendarsOf(rows);
    return in;
}

// One box at the end of a run, when there is anything to tell: why it stopped, and that the
// log file is missing.
std::optional<Notice> runEndNotice(const RunResult& r, const MessageTable& messages) {
    const QString logProblem =
        r.logFailed() ? messages[Msg::FileNotCreated] + QStringLiteral("\n") + r.logError
                      : QString();
    if (r.status != RunStatus::Finished) {
        QString text = r.errorDescription;
        if (!logProblem.isEmpty())
            text += QStringLiteral("\n") + logProblem;
        return Notice{text, QString::fromLatin1(kAppTitle), Notice::Icon::Critical};
    }
    if (!logProblem.isEmpty())
        return Notice{logProblem, QString::fromLatin1(kAppTitle), Notice::Icon::Exclamation};
    return std::nullopt;
}

} // namespace

void frmDef::cmdEintragen_CalDav() {
    WaitCursor wait;
    RunView view({lvVerarbeitung_, lblName_, lblDatum_, lblBezeichnung_}, messages_,
                 [this](const Notice& n) { showNotice(n); });
    CalDavRunInput in = runInput(env_, messages_, currentLanguage_, selectedAddresses());
    showDayList();
    in.days = dayRows(lvListe_);
    in.year = selectedYear_;
    const RunResult r = CalDavWriteRun(in, view);
    wait.release();
    if (const auto notice = runEndNotice(r, messages_))
        showNotice(*notice);
}

void frmDef::cmddeleteall_CalDav(int year) {
    WaitCursor wait;
    RunView view({lvVerarbeitung_, lblName_, lblDatum_, lblBezeichnung_}, messages_,
                 [this](const Notice& n) { showNotice(n); });
    CalDavRunInput in = runInput(env_, messages_, currentLanguage_, selectedAddresses());
    in.year = year;
    const RunResult r = CalDavDeleteAllRun(in, view);
    wait.release();
    if (const auto notice = runEndNotice(r, messages_))
        showNotice(*notice);
}

bool frmDef::cmdLöschen_CalDav(const DayEntry& day, int year) {
    WaitCursor wait;
    CalDavRunInput in = runInput(env_, messages_, currentLanguage_, selectedAddresses());
    in.year = year;
    const RemoveDayResult r = CalDavRemoveDay(in, day);
    wait.release();
    if (r.ok)
        return true;
    // The further day stays, so that the removal can be tried again.
    QString text = r.problem;
    for (const QString& line : r.failedCalendars)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + line;
    showNotice({text, QString::fromLatin1(kAppTitle), Notice::Icon::Critical});
    return false;
}

void frmDef::cmdBenutzerSpeichern_CalDav() {
    ProfileFile file(env_.settingsPath());
    CalDavSettings server = LoadCalDavSettings(file);
    server.calendars = calendarsOf(selectedAddresses());
    if (auto saved = SaveCalDavSettings(file, server, currentLanguage_); !saved)
        box(QMessageBox::Critical, msg(Msg::TitleUserList), saved.error());
}

} // namespace mv
