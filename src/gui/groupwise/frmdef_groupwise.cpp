// The GroupWise side of the main window: address book, runs, trusted application key.
#include "app/frmdef.h"

#include "app/treerows.h"
#include "app/waitcursor.h"
#include "groupwise/addressbookread.h"
#include "groupwise/gwrunview.h"
#include "groupwise/keyactions.h"
#include "groupwise/runs.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

namespace mv {

namespace {

bool holdsUser(const AddressList& rows, const QString& userId) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](const AddressRow& r) { return r.userId == userId; });
}

QMessageBox::Icon boxIcon(Notice::Icon icon) {
    switch (icon) {
    case Notice::Icon::Information:
        return QMessageBox::Information;
    case Notice::Icon::Exclamation:
        return QMessageBox::Warning;
    case Notice::Icon::Critical:
        return QMessageBox::Critical;
    case Notice::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A run log that could not be written: the file message and the reason.
Notice logNotWritten(const MessageTable& messages, const RunResult& r) {
    return Notice{messages[Msg::FileNotCreated] + QStringLiteral("\n") + r.logError,
                  QString::fromLatin1(kAppTitle), Notice::Icon::Exclamation};
}

// Calls a function whenever the watched widget gains the focus, once the focus has settled.
class FocusInWatch : public QObject {
public:
    FocusInWatch(QWidget* watched, std::function<void()> onFocusIn)
        : QObject(watched), onFocusIn_(std::move(onFocusIn)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(this, onFocusIn_, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onFocusIn_;
};

} // namespace

// The write run processes window events, so every command that starts a GroupWise action
// could start a second one inside the first; they are locked until the action ends.
class frmDef::GroupWiseBusy {
public:
    explicit GroupWiseBusy(frmDef& window) : window_(window), focus_(window.focusWidget()) {
        window_.gwBusy_ = true;
        const QList<QPushButton*> list = buttons();
        // A disabled button would pass its focus on to the next control; keep it nowhere
        // instead and give it back at the end.
        ownFocus_ = focus_ && list.contains(focus_.data());
        if (ownFocus_)
            focus_->clearFocus();
        for (QPushButton* b : list) {
            wasEnabled_.append(b->isEnabled());
            b->setEnabled(false);
        }
    }
    ~GroupWiseBusy() {
        const QList<QPushButton*> list = buttons();
        for (qsizetype i = 0; i < list.size(); ++i)
            list[i]->setEnabled(wasEnabled_.value(i, true));
        window_.gwBusy_ = false;
        if (ownFocus_ && focus_ && !window_.focusWidget())
            focus_->setFocus();
    }
    GroupWiseBusy(const GroupWiseBusy&) = delete;
    GroupWiseBusy& operator=(const GroupWiseBusy&) = delete;

private:
    QList<QPushButton*> buttons() const {
        return {window_.cmdListAdressen_, window_.cmdEintragen_,   window_.cmddeleteall_,
                window_.cmdTAppErzeugen_, window_.cmdTAppLöschen_, window_.cmdLöschen_};
    }

    frmDef& window_;
    QPointer<QWidget> focus_;
    bool ownFocus_ = false;
    QList<bool> wasEnabled_;
};

void frmDef::connectGroupWise() {
    new FocusInWatch(lvVerarbeitung_, [this] { lvVerarbeitung_GotFocus(); });
}

void frmDef::lvVerarbeitung_GotFocus() {
    if (lvVerarbeitung_->hasFocus())
        cmdDefinitionsDatei_->setFocus();
}

void frmDef::releaseGroupWise() {
    gwAccount_.reset();
    gwSession_.reset();
}

AddressList frmDef::selectedAddresses() const {
    return addressRows(lvAdressen_);
}

void frmDef::showNotice(const Notice& notice) {
    // A box shown in the middle of an action gets the normal pointer, not the hourglass.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    box(boxIcon(notice.icon), notice.title, notice.text);
    QApplication::restoreOverrideCursor();
}

void frmDef::noGroupWise(const Notice& notice) {
    showNotice(notice);
    endProgram(1);
}

void frmDef::cmdListAdressen_Click() {
    if (gwBusy_)
        return;
    GroupWiseBusy busy(*this);
    if (calDavChosen()) {
        cmdListAdressen_CalDav();
        return;
    }
    WaitCursor wait;
    lstAddressBookEntries_->clear();

    AddressBookReadInput in;
    in.programFolder = env_.programFolder;
    in.postOfficeAddress = postOfficeAddress_;
    in.postOfficePort = postOfficePort_;
    in.messages = messages_;
    if (debugMode_)
        in.debugMessage = [this](const QString& text) {
            showNotice({text, QString::fromLatin1(kAppTitle), Notice::Icon::None});
        };
    AddressBookReadResult r = ReadSystemAddressBook(in);

    if (r.status == AddressBookReadResult::Status::NoGroupWise) {
        wait.release();
        noGroupWise(*r.notice);
        return;
    }
    if (r.version)
        lblGWVersion_->setText(*r.version);
    if (r.pathToHost)
        lblPathToHost_->setText(*r.pathToHost);
    if (r.tcpipAddress)
        lblTCPIPAddress_->setText(*r.tcpipAddress);
    if (r.tcpipPort)
        lblTCPIPPort_->setText(*r.tcpipPort);
    setAddressRows(lstAddressBookEntries_, r.entries);
    // The account first: it was obtained through the session it replaces.
    gwAccount_ = std::move(r.account);
    gwSession_ = std::move(r.session);
    wait.release();
    if (r.notice)
        showNotice(*r.notice);
}

void frmDef::cmdAdresseWählen_Click() {
    for (int i = 0; i < lstAddressBookEntries_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lstAddressBookEntries_->topLevelItem(i);
        const AddressRow row = addressRow(item);
        if (item->isSelected() && !addressRows(lvAdressen_).contains(row))
            appendAddressRow(lvAdressen_, row);
    }
}

void frmDef::cmdAlleAdressen_Click() {
    for (const AddressRow& row : addressRows(lstAddressBookEntries_))
        if (!holdsUser(addressRows(lvAdressen_), row.userId))
            appendAddressRow(lvAdressen_, row);
}

void frmDef::cmdAdresseEntfernen_Click() {
    for (int i = lvAdressen_->topLevelItemCount() - 1; i >= 0; --i)
        if (lvAdressen_->topLevelItem(i)->isSelected())
            delete lvAdressen_->topLevelItem(i);
}

void frmDef::cmdEintragen_Click() {
    if (gwBusy_)
        return;
    GroupWiseBusy busy(*this);
    if (calDavChosen()) {
        cmdEintragen_CalDav();
        return;
    }
    WaitCursor wait;
    RunView view({lvVerarbeitung_, lblName_, lblDatum_, lblBezeichnung_}, messages_,
                 [this](const Notice& n) { showNotice(n); });

    WriteRunInput in;
    in.environment = env_;
    in.messages = messages_;
    in.users = selectedAddresses();
    in.buildDayList = [this] {
        showDayList();
        return dayRows(lvListe_);
    };
    const RunResult r = WriteRun(in, view);
    wait.release();
    if (r.status == RunStatus::NoGroupWise)
        noGroupWise(r.noGroupWiseNotice(messages_));
    else if (r.logFailed())
        showNotice(logNotWritten(messages_, r));
}

void frmDef::cmddeleteall_Click() {
    if (gwBusy_)
        return;
    GroupWiseBusy busy(*this);
    // A refused year stops the command before the question.
    const auto year = checkedYear();
    if (!year)
        return;
    // No leaves everything as it was; not even an empty log file is written.
    if (box(QMessageBox::NoIcon, msg(Msg::TitleConfirm), msg(Msg::ConfirmDeleteAll),
            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    if (calDavChosen()) {
        cmddeleteall_CalDav(*year);
        return;
    }
    WaitCursor wait;
    RunView view({lvVerarbeitung_, lblName_, lblDatum_, lblBezeichnung_}, messages_,
                 [this](const Notice& n) { showNotice(n); });

    DeleteAllInput in;
    in.environment = env_;
    in.messages = messages_;
    in.users = selectedAddresses();
    in.yearText = QString::number(*year);
    const RunResult r = DeleteAllRun(in, view);
    wait.release();
    if (r.status == RunStatus::NoGroupWise)
        noGroupWise(r.noGroupWiseNotice(messages_));
    else if (r.logFailed())
        showNotice(logNotWritten(messages_, r));
}

void frmDef::cmdTAppErzeugen_Click() {
    if (gwBusy_)
        return;
    GroupWiseBusy busy(*this);
    WaitCursor wait;
    const KeyActionResult r =
        CreateTrustedAppKey(env_, txtDomainPfad_->text(), messages_, currentLanguage_);
    wait.release();
    showNotice(keyActionNotice(r));
}

void frmDef::cmdTAppLöschen_Click() {
    if (gwBusy_)
        return;
    GroupWiseBusy busy(*this);
    WaitCursor wait;
    const KeyActionResult r =
        DeleteTrustedAppKey(env_, txtDomainPfad_->text(), messages_, currentLanguage_);
    wait.release();
    showNotice(keyActionNotice(r));
}

bool frmDef::cmdLöschen_GroupWise(const DayEntry& day) {
    // Not while another action works on the calendars; the further day stays.
    if (gwBusy_)
        return false;
    const AddressList users = selectedAddresses();
    // No calendar to search.
    if (users.isEmpty())
        return true;
    GroupWiseBusy busy(*this);
    // A refused year keeps the further day, so that the removal can be tried again.
    const auto year = checkedYear();
    if (!year)
        return false;
    if (calDavChosen())
        return cmdLöschen_CalDav(day, *year);
    WaitCursor wait;
    DeleteDayInput in;
    in.environment = env_;
    in.users = users;
    in.furtherDay = day;
    in.yearText = QString::number(*year);
    const DeleteDayResult r = DeleteFurtherDayEntries(in);
    wait.release();
    switch (r.status) {
    case DeleteDayResult::Status::Done:
        return true;
    case DeleteDayResult::Status::NoGroupWise:
        noGroupWise(noGroupWiseNotice(messages_, r.errorCause));
        return false;
    case DeleteDayResult::Status::Failed:
        break;
    }
    return false;
}

} // namespace mv
