#pragma once

#include "messagebox.h"

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

// Post-office address, port and GroupWise version. OK writes them to the settings file and
// updates the program-wide address and port; a failed write keeps the dialog open.
class frmEinstellungen : public QDialog {
    Q_OBJECT
public:
    frmEinstellungen(QWidget* parent, ProfileFile& settings, QString& postOfficeAddress,
                     QString& postOfficePort, const MessageTable& messages);

    void setMessageBox(MessageBoxFunction messageBox);

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdAbbrechen_Click();
    // Writes one "GroupWise" key; on failure reports it and returns false.
    bool writeGroupWiseKey(const QString& key, const QString& value);

    ProfileFile& settings_;
    QString& postOfficeAddress_;
    QString& postOfficePort_;
    const MessageTable& messages_;
    MessageBoxFunction messageBox_;

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtIPAdresse = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtIPPort = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* optVersion[2] = {nullptr, nullptr};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdAbbrechen = nullptr;
};

} // namespace mv
