#include "frmlanguage.h"

#include "ui/messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

namespace mv {

frmlanguage::frmlanguage(QWidget* parent, const MessageTable& messages, Language currentLanguage,
                         Country currentCountry)
    : QDialog(parent), currentLanguage_(currentLanguage),
      currentCountry_(std::move(currentCountry)) {
    setObjectName(QStringLiteral("frmlanguage"));
    setWindowTitle(QStringLiteral("Sprache/Land"));
    setModal(true);
    messageBox_ = [this](const MessageRequest& r) { return showMessageBox(this, r); };

    Label1 = new QLabel(QStringLiteral("Sprache:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbSprache = new QComboBox(this);
    cmbSprache->setObjectName(QStringLiteral("cmbSprache"));
    cmbSprache->addItems({storedText(Language::German), storedText(Language::English)});
    Label1->setBuddy(cmbSprache);

    Label2 = new QLabel(QStringLiteral("Land:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    cmbLand = new QComboBox(this);
    cmbLand->setObjectName(QStringLiteral("cmbLand"));
    cmbLand->addItems({Country::germany().storedText(), Country::usa().storedText()});
    Label2->setBuddy(cmbLand);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(cmbSprache, 0, 1);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(cmbLand, 1, 1);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, &frmlanguage::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmlanguage::CancelButton_Click);

    Form_Load(messages);
}

void frmlanguage::setMessageBox(MessageBoxFunction messageBox) {
    messageBox_ = std::move(messageBox);
}

void frmlanguage::Form_Load(const MessageTable& messages) {
    setWindowTitle(messages[Msg::Language] + QLatin1Char('/') + messages[Msg::Country]);
    Label1->setText(messages[Msg::Language]);
    Label2->setText(messages[Msg::Country]);

    cmbSprache->setCurrentIndex(currentLanguage_ == Language::English ? 1 : 0);
    // "Östereich", which the dialog does not offer, is left unselected, so OK asks for a
    // choice; any other country shows "Deutschland".
    if (currentCountry_.isAustria())
        cmbLand->setCurrentIndex(-1);
    else
        cmbLand->setCurrentIndex(currentCountry_.isUsa() ? 1 : 0);
}

void frmlanguage::OKButton_Click() {
    if (cmbLand->currentText().isEmpty() || cmbSprache->currentText().isEmpty()) {
        messageBox_({QStringLiteral("Bitte vollständig ausfüllen"), QString::fromLatin1(kAppTitle),
                     QMessageBox::NoIcon, QMessageBox::Ok});
        return;
    }
    chosenLanguage_ = languageFromStored(cmbSprache->currentText());
    chosenCountry_ = Country::fromStored(cmbLand->currentText());
    accept();
}

void frmlanguage::CancelButton_Click() {
    reject();
}

} // namespace mv
