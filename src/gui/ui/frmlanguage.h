#pragma once

#include "messagebox.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace mv {

class MessageTable;

// Choice of interface language and holiday country. Applying the choice is the caller's
// business once exec() returned Accepted.
class frmlanguage : public QDialog {
    Q_OBJECT
public:
    frmlanguage(QWidget* parent, const MessageTable& messages, QString currentLanguage,
                QString currentCountry);

    QString chosenLanguage() const { return chosenLanguage_; }
    QString chosenCountry() const { return chosenCountry_; }

    void setMessageBox(MessageBoxFunction messageBox);

private:
    void Form_Load(const MessageTable& messages);
    void OKButton_Click();
    void CancelButton_Click();

    QString currentLanguage_;
    QString currentCountry_;
    QString chosenLanguage_;
    QString chosenCountry_;
    MessageBoxFunction messageBox_;

    QLabel* Label1 = nullptr;
    QComboBox* cmbSprache = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cmbLand = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

} // namespace mv
