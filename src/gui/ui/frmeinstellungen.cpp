#include "frmeinstellungen.h"

#include "caldav/caldavsettings.h"
#include "caldav/client.h"
#include "settings/gwsettings.h"
#include "settings/profilefile.h"
#include "ui/messages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

namespace mv {

namespace {

// Only blanks are surrounding noise here; other characters are left to the reader.
QString trimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

frmEinstellungen::frmEinstellungen(QWidget* parent, ProfileFile& settings,
                                   QString& postOfficeAddress, QString& postOfficePort,
                                   const MessageTable& messages, Language language)
    : QDialog(parent), settings_(settings), postOfficeAddress_(postOfficeAddress),
      postOfficePort_(postOfficePort), messages_(messages), language_(language) {
    setObjectName(QStringLiteral("frmEinstellungen"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setModal(true);
    messageBox_ = [this](const MessageRequest& r) { return showMessageBox(this, r); };

    Frame1 = new QGroupBox(QStringLiteral("Anmeldung"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Label1 = new QLabel(QStringLiteral("IP-Adresse des Postoffice"), Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtIPAdresse = new QLineEdit(Frame1);
    txtIPAdresse->setObjectName(QStringLiteral("txtIPAdresse"));
    Label1->setBuddy(txtIPAdresse);
    Label2 = new QLabel(QStringLiteral("Portnummer"), Frame1);
    Label2->setObjectName(QStringLiteral("Label2"));
    txtIPPort = new QLineEdit(Frame1);
    txtIPPort->setObjectName(QStringLiteral("txtIPPort"));
    Label2->setBuddy(txtIPPort);

    auto* frame1Layout = new QGridLayout(Frame1);
    frame1Layout->addWidget(Label1, 0, 0);
    frame1Layout->addWidget(txtIPAdresse, 0, 1);
    frame1Layout->addWidget(Label2, 1, 0);
    frame1Layout->addWidget(txtIPPort, 1, 1);
    frame1Layout->setColumnStretch(1, 1);

    Frame2 = new QGroupBox(QStringLiteral("GroupWise Version"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    optVersion[0] = new QRadioButton(QStringLiteral("Version 6.5 bis Version 7.01"), Frame2);
    optVersion[0]->setObjectName(QStringLiteral("optVersion_0"));
    optVersion[1] = new QRadioButton(QStringLiteral("Version  7.02 und höher"), Frame2);
    optVersion[1]->setObjectName(QStringLiteral("optVersion_1"));

    auto* frame2Layout = new QVBoxLayout(Frame2);
    frame2Layout->addWidget(optVersion[0]);
    frame2Layout->addWidget(optVersion[1]);

    frmServerart = new QGroupBox(QStringLiteral("Kalenderserver"), this);
    frmServerart->setObjectName(QStringLiteral("frmServerart"));
    optServerart[0] = new QRadioButton(QStringLiteral("GroupWise"), frmServerart);
    optServerart[0]->setObjectName(QStringLiteral("optServerart_0"));
    optServerart[1] = new QRadioButton(QStringLiteral("CalDAV-Server"), frmServerart);
    optServerart[1]->setObjectName(QStringLiteral("optServerart_1"));
    auto field = [this](QLabel*& label, const char* labelName, const char* caption,
                        QLineEdit*& edit, const char* editName) {
        label = new QLabel(QString::fromUtf8(caption), frmServerart);
        label->setObjectName(QString::fromLatin1(labelName));
        edit = new QLineEdit(frmServerart);
        edit->setObjectName(QString::fromLatin1(editName));
        label->setBuddy(edit);
    };
    field(lblCalDavUrl, "lblCalDavUrl", "Server-Adresse (URL)", txtCalDavUrl, "txtCalDavUrl");
    field(lblCalDavBenutzer, "lblCalDavBenutzer", "Benutzer", txtCalDavBenutzer,
          "txtCalDavBenutzer");
    field(lblCalDavPasswort, "lblCalDavPasswort", "Passwort", txtCalDavPasswort,
          "txtCalDavPasswort");
    txtCalDavPasswort->setEchoMode(QLineEdit::Password);
    field(lblCalDavCaDatei, "lblCalDavCaDatei", "CA-Datei (optional)", txtCalDavCaDatei,
          "txtCalDavCaDatei");
    auto* serverLayout = new QGridLayout(frmServerart);
    serverLayout->addWidget(optServerart[0], 0, 0);
    serverLayout->addWidget(optServerart[1], 0, 1);
    serverLayout->addWidget(lblCalDavUrl, 1, 0);
    serverLayout->addWidget(txtCalDavUrl, 1, 1);
    serverLayout->addWidget(lblCalDavBenutzer, 2, 0);
    serverLayout->addWidget(txtCalDavBenutzer, 2, 1);
    serverLayout->addWidget(lblCalDavPasswort, 3, 0);
    serverLayout->addWidget(txtCalDavPasswort, 3, 1);
    serverLayout->addWidget(lblCalDavCaDatei, 4, 0);
    serverLayout->addWidget(txtCalDavCaDatei, 4, 1);
    serverLayout->setColumnStretch(1, 1);

    cmdOK = new QPushButton(QStringLiteral("Ok"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    cmdAbbrechen->setObjectName(QStringLiteral("cmdAbbrechen"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdAbbrechen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addWidget(frmServerart);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmEinstellungen::cmdOK_Click);
    connect(cmdAbbrechen, &QPushButton::clicked, this, &frmEinstellungen::cmdAbbrechen_Click);
    for (QRadioButton* opt : optServerart)
        connect(opt, &QRadioButton::toggled, this, &frmEinstellungen::optServerart_Click);

    Form_Load();
}

void frmEinstellungen::setMessageBox(MessageBoxFunction messageBox) {
    messageBox_ = std::move(messageBox);
}

void frmEinstellungen::Form_Load() {
    txtIPAdresse->setText(postOfficeAddress_);
    txtIPPort->setText(postOfficePort_);

    const QString version = readGroupWiseVersion(settings_);
    // An unknown version leaves both options clear; OK then stores the newer one.
    optVersion[0]->setChecked(version == QLatin1String(kVersion65));
    optVersion[1]->setChecked(version == QLatin1String(kVersion702));

    const caldav::CalDavSettings server = caldav::LoadCalDavSettings(settings_);
    optServerart[server.kind == caldav::ServerKind::CalDAV ? 1 : 0]->setChecked(true);
    txtCalDavUrl->setText(server.url);
    txtCalDavBenutzer->setText(server.user);
    txtCalDavPasswort->setText(server.password);
    txtCalDavCaDatei->setText(server.caFile);
    optServerart_Click();
}

void frmEinstellungen::optServerart_Click() {
    const bool calDav = optServerart[1]->isChecked();
    for (QWidget* w :
         {static_cast<QWidget*>(txtCalDavUrl), static_cast<QWidget*>(txtCalDavBenutzer),
          static_cast<QWidget*>(txtCalDavPasswort), static_cast<QWidget*>(txtCalDavCaDatei)})
        w->setEnabled(calDav);
}

void frmEinstellungen::cmdOK_Click() {
    caldav::CalDavSettings server = caldav::LoadCalDavSettings(settings_);
    server.kind =
        optServerart[1]->isChecked() ? caldav::ServerKind::CalDAV : caldav::ServerKind::GroupWise;
    server.url = txtCalDavUrl->text().trimmed();
    server.user = txtCalDavBenutzer->text().trimmed();
    server.password = txtCalDavPasswort->text();
    server.caFile = txtCalDavCaDatei->text().trimmed();
    // An unsafe address or an unreadable CA file is refused before anything is written.
    if (server.kind == caldav::ServerKind::CalDAV || !server.url.isEmpty()) {
        caldav::Connection c{server.url, server.user, server.password, server.caFile};
        c.language = language_;
        if (auto client = caldav::Client::create(c); !client) {
            messageBox_({client.error(), QString::fromLatin1(kAppTitle), QMessageBox::Warning,
                         QMessageBox::Ok});
            return;
        }
    }

    // A failed write is reported and keeps the dialog open.
    const auto written = [this](const SaveResult& result) {
        if (result)
            return true;
        messageBox_({messages_[Msg::SaveFailed] + QStringLiteral(" (") +
                         QString::number(result.failure().code) + QLatin1Char(')'),
                     messages_[Msg::TitleSettings], QMessageBox::Critical, QMessageBox::Ok});
        return false;
    };
    const GroupWiseConnection connection{trimBlanks(txtIPAdresse->text()),
                                         trimBlanks(txtIPPort->text())};
    if (!written(writeGroupWiseConnection(settings_, connection)))
        return;
    postOfficeAddress_ = connection.address;
    postOfficePort_ = connection.port;
    const char* version = optVersion[0]->isChecked() ? kVersion65 : kVersion702;
    if (!written(writeGroupWiseVersion(settings_, QString::fromLatin1(version))))
        return;
    if (auto saved = caldav::SaveCalDavSettings(settings_, server, language_); !saved) {
        messageBox_(
            {saved.error(), messages_[Msg::TitleSettings], QMessageBox::Critical, QMessageBox::Ok});
        return;
    }
    accept();
}

void frmEinstellungen::cmdAbbrechen_Click() {
    reject();
}

} // namespace mv
