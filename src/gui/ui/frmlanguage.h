#pragma once

#include "calendar/country.h"
#include "messagebox.h"
#include "ui/language.h"

#include <QDialog>
#include <QString>
#include <optional>

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
    frmlanguage(QWidget* parent, const MessageTable& messages, Language currentLanguage,
                Country currentCountry);

    // None until OK took a choice.
    std::optional<Language> chosenLanguage() const { return chosenLanguage_; }
    std::optional<Country> chosenCountry() const { return chosenCountry_; }

    void setMessageBox(MessageBoxFunction messageBox);

private:
    void Form_Load(const MessageTable& messages);
    void OKButton_Click();
    void CancelButton_Click();

    Language currentLanguage_;
    Country currentCountry_;
    std::optional<Language> chosenLanguage_;
    std::optional<Country> chosenCountry_;
    MessageBoxFunction messageBox_;

    QLabel* Label1 = nullptr;
    QComboBox* cmbSprache = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cmbLand = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

} // namespace mv
