#pragma once

#include "messagebox.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace mv {

// Title, version and notices of the program.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent);

    void setMessageBox(MessageBoxFunction messageBox);

    // The program icon as shown in the box, drawn at the given edge length.
    static QPixmap programIcon(int size);

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

    MessageBoxFunction messageBox_;

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QFrame* Line1[2] = {nullptr, nullptr};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace mv
