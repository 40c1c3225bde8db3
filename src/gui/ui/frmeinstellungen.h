#pragma once

#include "messagebox.h"
#include "ui/language.h"

#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mv {

class MessageTable;
class ProfileFile;

// Post-office address, port and GroupWise version, and the calendar server in use (GroupWise
// or a CalDAV server with its connection). OK writes them to the settings file and updates
// the program-wide address and port; a failed write or an unusable CalDAV connection keeps
// the dialog open.
class frmEinstellungen : public QDialog {
    Q_OBJECT
public:
    frmEinstellungen(QWidget* parent, ProfileFile& settings, QString& postOfficeAddress,
                     QString& postOfficePort, const MessageTable& messages, Language language);

    void setMessageBox(MessageBoxFunction messageBox);

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdAbbrechen_Click();
    void optServerart_Click();

    ProfileFile& settings_;
    QString& postOfficeAddress_;
    QString& postOfficePort_;
    const MessageTable& messages_;
    Language language_;
    MessageBoxFunction messageBox_;

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtIPAdresse = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtIPPort = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* optVersion[2] = {nullptr, nullptr};
    QGroupBox* frmServerart = nullptr;
    QRadioButton* optServerart[2] = {nullptr, nullptr};
    QLabel* lblCalDavUrl = nullptr;
    QLineEdit* txtCalDavUrl = nullptr;
    QLabel* lblCalDavBenutzer = nullptr;
    QLineEdit* txtCalDavBenutzer = nullptr;
    QLabel* lblCalDavPasswort = nullptr;
    QLineEdit* txtCalDavPasswort = nullptr;
    QLabel* lblCalDavCaDatei = nullptr;
    QLineEdit* txtCalDavCaDatei = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdAbbrechen = nullptr;
};

} // namespace mv
