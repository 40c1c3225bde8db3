#include "days/appearanceswitches.h"

#include "app/controls.h"
#include "calendar/daylist.h"
#include "settings/settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QVBoxLayout>

namespace mv {

using namespace controls;

AppearanceSwitches::AppearanceSwitches(WindowMessages messages, AppointmentFields editor,
                                       QWidget* parent)
    : QWidget(parent), messages_(std::move(messages)), editor_(editor) {
    auto* darstFeiertage = frame(QStringLiteral("frmDarstellungFeiertage"));
    chkFeiertageAlsNotiz_ = named<QCheckBox>(QStringLiteral("chkFeiertageAlsNotiz"));
    txtDarstellungVon_ = timeField(QStringLiteral("txtDarstellungVon"));
    txtDarstellungBis_ = timeField(QStringLiteral("txtDarstellungBis"));
    txtDarstellungOrt_ = field(QStringLiteral("txtDarstellungOrt"));
    chkGanztägig_ = named<QCheckBox>(QStringLiteral("chkGanztägig"));
    {
        auto* g = new QGridLayout(darstFeiertage);
        g->addWidget(chkFeiertageAlsNotiz_, 0, 0, 1, 3);
        g->addWidget(label(QStringLiteral("lblfeiertagevon")), 1, 0);
        g->addWidget(txtDarstellungVon_, 1, 1);
        g->addWidget(label(QStringLiteral("lbluhr_0")), 1, 2);
        g->addWidget(label(QStringLiteral("lblfeiertagebis")), 2, 0);
        g->addWidget(txtDarstellungBis_, 2, 1);
        g->addWidget(label(QStringLiteral("lbluhr_2")), 2, 2);
        g->addWidget(label(QStringLiteral("lblfeiertageort")), 3, 0);
        g->addWidget(txtDarstellungOrt_, 3, 1, 1, 3);
        g->addWidget(chkGanztägig_, 4, 0, 1, 3);
        g->setColumnStretch(3, 1);
    }

    auto* darstTermin = frame(QStringLiteral("frmDarstellungTermin"));
    txtStandartVon_ = timeField(QStringLiteral("txtStandartVon"));
    txtStandartBis_ = timeField(QStringLiteral("txtStandartBis"));
    txtStandartOrt_ = field(QStringLiteral("txtStandartOrt"));
    chkGanztägigTermin_ = named<QCheckBox>(QStringLiteral("chkGanztägigTermin"));
    chkStandartAkt_ = named<QCheckBox>(QStringLiteral("chkStandartAkt"));
    {
        auto* g = new QGridLayout(darstTermin);
        g->addWidget(label(QStringLiteral("lblStandardVon")), 0, 0);
        g->addWidget(txtStandartVon_, 0, 1);
        g->addWidget(label(QStringLiteral("lbluhr_1")), 0, 2);
        g->addWidget(label(QStringLiteral("lblStandardBis")), 1, 0);
        g->addWidget(txtStandartBis_, 1, 1);
        g->addWidget(label(QStringLiteral("lbluhr_3")), 1, 2);
        g->addWidget(label(QStringLiteral("lblStandardOrt")), 2, 0);
        g->addWidget(txtStandartOrt_, 2, 1, 1, 3);
        g->addWidget(chkGanztägigTermin_, 3, 0, 1, 4);
        g->addWidget(chkStandartAkt_, 4, 0, 1, 4);
        g->setColumnStretch(3, 1);
    }

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(darstFeiertage);
    v->addWidget(darstTermin);

    connect(chkGanztägig_, &QCheckBox::clicked, this, &AppearanceSwitches::chkGanztägig_Click);
    connect(chkGanztägigTermin_, &QCheckBox::clicked, this,
            &AppearanceSwitches::chkGanztägigTermin_Click);
    connect(chkStandartAkt_, &QCheckBox::clicked, this, &AppearanceSwitches::chkStandartAkt_Click);
    connect(txtStandartVon_, &QLineEdit::returnPressed, this,
            &AppearanceSwitches::txtStandartVon_LostFocus);
    connect(txtStandartBis_, &QLineEdit::returnPressed, this,
            &AppearanceSwitches::txtStandartBis_LostFocus);
    watchLostFocus(txtDarstellungVon_, [this] { txtDarstellungVon_LostFocus(); });
    watchLostFocus(txtDarstellungBis_, [this] { txtDarstellungBis_LostFocus(); });
    watchLostFocus(txtStandartVon_, [this] { txtStandartVon_LostFocus(); });
    watchLostFocus(txtStandartBis_, [this] { txtStandartBis_LostFocus(); });
    watchLostFocus(txtStandartOrt_, [this] { txtStandartOrt_LostFocus(); });
}

void AppearanceSwitches::load(const Settings& s) {
    txtStandartVon_->setText(s.standardFrom);
    txtStandartBis_->setText(s.standardTo);
    txtStandartOrt_->setText(s.standardPlace);
    txtDarstellungVon_->setText(s.holidayFrom);
    txtDarstellungBis_->setText(s.holidayTo);
    txtDarstellungOrt_->setText(s.holidayPlace);

    chkGanztägig_->setChecked(s.holidayWholeDay);
    if (s.holidayWholeDay)
        chkGanztägig_Click();
    chkGanztägigTermin_->setChecked(s.standardWholeDay);
    if (s.standardWholeDay)
        chkGanztägigTermin_Click();
    chkStandartAkt_->setChecked(s.standardActive);
    if (s.standardActive)
        chkStandartAkt_Click();
    chkFeiertageAlsNotiz_->setChecked(s.asNote);
}

void AppearanceSwitches::save(SettingsToSave& s) const {
    s.asNote = chkFeiertageAlsNotiz_->isChecked();
    s.standardFrom = txtStandartVon_->text();
    s.standardTo = txtStandartBis_->text();
    s.standardPlace = txtStandartOrt_->text();
    s.holidayFrom = txtDarstellungVon_->text();
    s.holidayTo = txtDarstellungBis_->text();
    s.holidayPlace = txtDarstellungOrt_->text();
    s.holidayWholeDay = chkGanztägig_->isChecked();
    s.standardWholeDay = chkGanztägigTermin_->isChecked();
    s.standardActive = chkStandartAkt_->isChecked();
}

void AppearanceSwitches::fillDayListInput(DayListInput& in) const {
    in.asNote = chkFeiertageAlsNotiz_->isChecked();
    in.holidayFrom = txtDarstellungVon_->text();
    in.holidayTo = txtDarstellungBis_->text();
    in.holidayPlace = txtDarstellungOrt_->text();
}

std::optional<DefaultAppointment> AppearanceSwitches::activeDefault() const {
    if (!chkStandartAkt_->isChecked())
        return std::nullopt;
    return DefaultAppointment{txtStandartVon_->text(), txtStandartBis_->text(),
                              txtStandartOrt_->text()};
}

void AppearanceSwitches::txtDarstellungVon_LostFocus() {
    const QString m = checkTimeField(txtDarstellungVon_, txtDarstellungBis_, messages_);
    if (m.isEmpty())
        return;
    messages_.box(QMessageBox::NoIcon, messages_.msg(Msg::TitleDateTime), m);
    txtDarstellungVon_->clear();
}

void AppearanceSwitches::txtDarstellungBis_LostFocus() {
    const QString m = checkTimeField(txtDarstellungBis_, txtDarstellungVon_, messages_);
    if (m.isEmpty())
        return;
    messages_.box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), m);
    txtDarstellungBis_->clear();
}

void AppearanceSwitches::txtStandartVon_LostFocus() {
    const QString m = checkTimeField(txtStandartVon_, txtStandartBis_, messages_);
    if (!m.isEmpty()) {
        messages_.box(QMessageBox::Warning, QString::fromLatin1(kAppTitle), m);
        txtStandartVon_->clear();
        return;
    }
    if (chkStandartAkt_->isChecked() && !txtStandartVon_->text().isEmpty())
        editor_.from->setText(txtStandartVon_->text());
}

void AppearanceSwitches::txtStandartBis_LostFocus() {
    const QString m = checkTimeField(txtStandartBis_, txtStandartVon_, messages_);
    if (!m.isEmpty()) {
        messages_.box(QMessageBox::Warning, QString::fromLatin1(kAppTitle), m);
        txtStandartBis_->clear();
        return;
    }
    if (chkStandartAkt_->isChecked() && !txtStandartBis_->text().isEmpty())
        editor_.to->setText(txtStandartBis_->text());
}

void AppearanceSwitches::txtStandartOrt_LostFocus() {
    if (chkStandartAkt_->isChecked() && !txtStandartOrt_->text().isEmpty())
        editor_.place->setText(txtStandartOrt_->text());
}

void AppearanceSwitches::chkGanztägig_Click() {
    const bool on = chkGanztägig_->isChecked();
    if (on) {
        txtDarstellungVon_->setText(QStringLiteral("00:00"));
        txtDarstellungBis_->setText(QStringLiteral("24:00"));
    }
    txtDarstellungVon_->setEnabled(!on);
    txtDarstellungBis_->setEnabled(!on);
}

void AppearanceSwitches::chkGanztägigTermin_Click() {
    if (chkGanztägigTermin_->isChecked()) {
        txtStandartVon_->setText(QStringLiteral("00:00"));
        txtStandartBis_->setText(QStringLiteral("24:00"));
        txtStandartVon_->setEnabled(false);
        txtStandartBis_->setEnabled(false);
        if (chkStandartAkt_->isChecked()) {
            editor_.from->setEnabled(false);
            editor_.to->setEnabled(false);
        }
    } else {
        txtStandartVon_->setEnabled(true);
        txtStandartBis_->setEnabled(true);
        editor_.from->setEnabled(true);
        editor_.to->setEnabled(true);
    }
    if (chkStandartAkt_->isChecked())
        chkStandartAkt_Click();
}

void AppearanceSwitches::chkStandartAkt_Click() {
    if (!chkStandartAkt_->isChecked()) {
        editor_.from->setEnabled(true);
        editor_.to->setEnabled(true);
        return;
    }
    if (chkGanztägigTermin_->isChecked()) {
        editor_.from->setText(QStringLiteral("00:00"));
        editor_.to->setText(QStringLiteral("24:00"));
        editor_.from->setEnabled(false);
        editor_.to->setEnabled(false);
    } else {
        if (!txtStandartVon_->text().isEmpty())
            editor_.from->setText(txtStandartVon_->text());
        if (!txtStandartBis_->text().isEmpty())
            editor_.to->setText(txtStandartBis_->text());
    }
    if (!txtStandartOrt_->text().isEmpty())
        editor_.place->setText(txtStandartOrt_->text());
}

} // namespace mv
