#include "frmabout.h"

#include "ui/messages.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#if !defined(MV_VERSION_MAJOR) || !defined(MV_VERSION_MINOR) || !defined(MV_VERSION_PATCH)
#error "The program's version number must be passed in as MV_VERSION_MAJOR/MINOR/PATCH"
#endif

namespace mv {

namespace {

QFrame* makeLine(QWidget* parent, const QString& name) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Info"));
    setModal(true);
    messageBox_ = [this](const MessageRequest& r) { return showMessageBox(this, r); };

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(programIcon(48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitle = new QLabel(QStringLiteral("Name der Anwendung"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblDescription = new QLabel(
        QStringLiteral("Feiertage und weitere Tage eines Jahres als Termine in den Kalendern "
                       "ausgewählter Benutzer und Ressourcen"),
        this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);

    Label1 = new QLabel(QStringLiteral("Entwickelt vom Marvolingen-Team"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    lblDisclaimer = new QLabel(
        QStringLiteral("Dieses Programm wird ohne jede Gewähr bereitgestellt. Prüfen Sie die "
                       "eingetragenen Termine, bevor Sie sich auf sie verlassen."),
        this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);

    Line1[0] = makeLine(this, QStringLiteral("Line1_0"));
    Line1[1] = makeLine(this, QStringLiteral("Line1_1"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&Systeminfo..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblDescription);
    texts->addWidget(Label1);

    auto* head = new QHBoxLayout;
    head->addWidget(picIcon, 0, Qt::AlignTop);
    head->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();

    auto* foot = new QHBoxLayout;
    foot->addWidget(lblDisclaimer, 1);
    foot->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(Line1[0]);
    layout->addWidget(Line1[1]);
    layout->addLayout(foot);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

void frmAbout::setMessageBox(MessageBoxFunction messageBox) {
    messageBox_ = std::move(messageBox);
}

QPixmap frmAbout::programIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 16.0;
    // A calendar leaf with a red header and one marked day.
    const QRectF page(1 * u, 2 * u, 14 * u, 13 * u);
    p.setPen(QPen(QColor(80, 80, 80), u * 0.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(page, u, u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(1.25 * u, 2.25 * u, 13.5 * u, 3 * u));
    p.setBrush(QColor(120, 120, 120));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF((2.5 + col * 3) * u, (7 + row * 2.5) * u, 2 * u, 1.5 * u));
    p.setBrush(QColor(240, 150, 20));
    p.drawRect(QRectF(8.5 * u, 9.5 * u, 2 * u, 1.5 * u));
    return pixmap;
}

void frmAbout::Form_Load() {
    const QString title = QString::fromLatin1(kAppTitle);
    setWindowTitle(QStringLiteral("Info zu ") + title);
    lblTitle->setText(title);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(MV_VERSION_MAJOR)
                            .arg(MV_VERSION_MINOR)
                            .arg(MV_VERSION_PATCH));
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    // There is no registry and no system information tool on this platform.
    messageBox_({QStringLiteral("Systeminformationen sind momentan nicht verfügbar"),
                 QString::fromLatin1(kAppTitle), QMessageBox::NoIcon, QMessageBox::Ok});
}

} // namespace mv
