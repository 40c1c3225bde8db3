#pragma once

#include "calendar/daylist.h"
#include "calendar/holidaytables.h"
#include "groupwise/groupwise.h"
#include "groupwise/runsnotice.h"
#include "settings/addressrow.h"
#include "ui/environment.h"
#include "ui/messagebox.h"
#include "ui/messages.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCalendarWidget;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace mv {

class AppearanceSwitches;
class FurtherDaysEditor;
struct SaveFailure;

// The main window. Controls carry their program names as objectName; the further-day
// editor and the appearance switches are parts of their own.
class frmDef : public QMainWindow {
    Q_OBJECT
public:
    // messageBox: shows every message box of the window and its dialogs; empty shows
    // real ones.
    explicit frmDef(Environment env, MessageBoxFunction messageBox = {}, QWidget* parent = nullptr);
    ~frmDef() override;

    Language currentLanguage() const { return currentLanguage_; }
    Country currentCountry() const { return currentCountry_; }
    int selectedYear() const { return selectedYear_; }
    const MessageTable& messages() const { return messages_; }
    bool debugMode() const { return debugMode_; }
    void setDebugMode(bool on) { debugMode_ = on; }
    // Ends the program from mnuEnde and after MsgNoGroupWise (default:
    // QCoreApplication::exit).
    void setExitProgram(std::function<void(int)> exitProgram) {
        exitProgram_ = std::move(exitProgram);
    }
    // A GroupWise action is under way; no other one may start meanwhile.
    bool groupWiseBusy() const { return gwBusy_; }
    // Asks for the path of a file to save (title, suggested path); empty when cancelled.
    // Default: a QFileDialog.
    using SaveFileFunction = std::function<QString(const QString&, const QString&)>;
    void setSaveFileDialog(SaveFileFunction dialog) { saveFileDialog_ = std::move(dialog); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // layout (frmdef_layout.cpp)
    void buildMenu();
    QWidget* buildListTab();
    QWidget* buildOverviewTab();
    QWidget* buildSettingsTab();
    QWidget* buildUsersTab();
    QWidget* buildActionTab();
    void applyDesignedCaptions();

    void connectHandlers();

    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void loadStoredSettings();
    void endProgram(int code);

    // Language and country procedures.
    void Sprache(Language sprach);
    void land(const Country& sland);

    void Tab1_Click();
    void showDayList();
    DayListInput dayListInput() const;
    void showYearOverview();
    void headerClicked(QTreeWidget* list, int column);

    // menu
    void mnulanguage_Click();
    void mnuEinstellungen_Click();
    void mnuÜber_Click();
    void mnuEnde_Click();
    void mnuICalendar_Click(); // frmdef_ical.cpp

    // settings
    void cmdSpeichern_Click();
    void cmdBenutzerSpeichern_Click();
    void cmdDefinitionsDatei_Click();
    void txtJahr_LostFocus();
    // MsgYearRange, the focus back to the year field.
    void refuseYear();
    // refuseYear on the tab of the year field, for commands on other tabs.
    void refuseYearOnItsTab();
    // The year of the field as the year check accepts it, else refuseYearOnItsTab. Leaving
    // the field refuses a text but leaves it there, so commands that use the year check it.
    std::optional<int> checkedYear();
    // The message for a text the settings file cannot hold, the focus on its field;
    // false when r is another failure.
    bool refuseUnstorable(const SaveFailure& f);
    void cmdSpeichern_LostFocus();
    void cmdBenutzerSpeichern_LostFocus();
    void chkFeiertage_Click(int index);

    // GroupWise (frmdef_groupwise.cpp)
    void cmdListAdressen_Click();
    void cmdAdresseWählen_Click();
    void cmdAlleAdressen_Click();
    void cmdAdresseEntfernen_Click();
    void cmdEintragen_Click();
    void cmddeleteall_Click();
    void cmdTAppErzeugen_Click();
    void cmdTAppLöschen_Click();
    // The calendar part of removing a further day; false stops the removal.
    bool cmdLöschen_GroupWise(const DayEntry& day);
    void connectGroupWise();
    void lvVerarbeitung_GotFocus();
    void releaseGroupWise();
    AddressList selectedAddresses() const;
    void showNotice(const Notice& notice);
    void noGroupWise(const Notice& notice);
    // Marks a GroupWise action as running and locks the commands that start another one.
    class GroupWiseBusy;

    // CalDAV (caldav/frmdef_caldav.cpp): with "CalDAV-Server" chosen, the address lists
    // hold calendars (path, owner, display name) and the GroupWise commands act on them.
    bool calDavChosen() const { return calDav_; }
    // Fills lvAdressen from the stored selection of the server kind in use.
    void showServerSelection();
    void cmdListAdressen_CalDav();
    void cmdEintragen_CalDav();
    void cmddeleteall_CalDav(int year);
    bool cmdLöschen_CalDav(const DayEntry& day, int year);
    void cmdBenutzerSpeichern_CalDav();

    QString msg(Msg m) const { return messages_.text(m); }
    int box(QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    Environment env_;
    MessageBoxFunction messageBox_;
    MessageTable messages_;

    bool debugMode_ = false;
    std::function<void(int)> exitProgram_;
    bool gwBusy_ = false;
    bool calDav_ = false; // lvAdressen holds calendars
    SaveFileFunction saveFileDialog_;
    QString iCalendarFolder_; // of the last iCalendar file saved
    // Of the last address-book read; the account goes before its session.
    std::unique_ptr<gw::Session> gwSession_;
    std::unique_ptr<gw::Account> gwAccount_;
    bool activated_ = false;
    int selectedYear_ = 0;
    Language currentLanguage_ = Language::German;
    Country currentCountry_;
    QString postOfficeAddress_;
    QString postOfficePort_;
    HolidayTables holidays_;

    // menu
    QMenu* mnuDatei_ = nullptr;
    QMenu* mnuHilfe_ = nullptr;
    QAction* mnulanguage_ = nullptr;
    QAction* mnuEinstellungen_ = nullptr;
    QAction* mnuICalendar_ = nullptr;
    QAction* mnuEnde_ = nullptr;
    QAction* mnuÜber_ = nullptr;

    QTabWidget* Tab1_ = nullptr;
    // tab 0
    QTreeWidget* lvListe_ = nullptr;
    // tab 1
    std::array<QCalendarWidget*, 12> calKalender_{};
    // tab 2
    QLineEdit* txtJahr_ = nullptr;
    QLineEdit* txtPfad_ = nullptr;
    QPushButton* cmdSpeichern_ = nullptr;
    std::array<QCheckBox*, 12> chkFeiertage_{};
    AppearanceSwitches* appearance_ = nullptr;
    FurtherDaysEditor* furtherDays_ = nullptr;
    QPushButton* cmdLöschen_ = nullptr; // the editor's, locked during GroupWise actions
    QPushButton* cmdTAppErzeugen_ = nullptr;
    QPushButton* cmdTAppLöschen_ = nullptr;
    QLineEdit* txtDomainPfad_ = nullptr;
    // tab 3
    QPushButton* cmdListAdressen_ = nullptr;
    QTreeWidget* lstAddressBookEntries_ = nullptr;
    QPushButton* cmdAdresseWählen_ = nullptr;
    QPushButton* cmdAdresseEntfernen_ = nullptr;
    QPushButton* cmdAlleAdressen_ = nullptr;
    QTreeWidget* lvAdressen_ = nullptr;
    QPushButton* cmdBenutzerSpeichern_ = nullptr;
    QLabel* lblGWVersion_ = nullptr;
    QLabel* lblPathToHost_ = nullptr;
    QLabel* lblTCPIPAddress_ = nullptr;
    QLabel* lblTCPIPPort_ = nullptr;
    // tab 4
    QPushButton* cmdEintragen_ = nullptr;
    QTreeWidget* lvVerarbeitung_ = nullptr;
    QLabel* lblName_ = nullptr;
    QLabel* lblDatum_ = nullptr;
    QLabel* lblBezeichnung_ = nullptr;
    QPushButton* cmdDefinitionsDatei_ = nullptr;
    QPushButton* cmddeleteall_ = nullptr;
};

} // namespace mv
