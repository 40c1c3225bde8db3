#pragma once

#include "app/windowparts.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QLineEdit;

namespace mv {

struct DayListInput;
struct Settings;
struct SettingsToSave;

// The appointment fields of the further-day editor that the default appointment fills.
struct AppointmentFields {
    QLineEdit* from = nullptr; // txtTerminVon
    QLineEdit* to = nullptr;   // txtTerminBis
    QLineEdit* place = nullptr;
};

// The default appointment a new further day starts from, while "Als Standard" is on.
struct DefaultAppointment {
    QString from;
    QString to;
    QString place;
};

// The appearance of holidays (frmDarstellungFeiertage) and of the default appointment of
// further days (frmDarstellungTermin), with the whole-day switches that lock their time
// fields and the default that follows into the editor's appointment fields.
class AppearanceSwitches : public QWidget {
    Q_OBJECT
public:
    AppearanceSwitches(WindowMessages messages, AppointmentFields editor,
                       QWidget* parent = nullptr);

    // The stored appearance; the switches that are on take effect at once.
    void load(const Settings& s);
    void save(SettingsToSave& s) const;
    // Holiday appearance of the day list.
    void fillDayListInput(DayListInput& in) const;
    std::optional<DefaultAppointment> activeDefault() const;

private:
    void chkGanztägig_Click();
    void chkGanztägigTermin_Click();
    void chkStandartAkt_Click();
    void txtDarstellungVon_LostFocus();
    void txtDarstellungBis_LostFocus();
    void txtStandartVon_LostFocus();
    void txtStandartBis_LostFocus();
    void txtStandartOrt_LostFocus();

    WindowMessages messages_;
    AppointmentFields editor_;

    QCheckBox* chkFeiertageAlsNotiz_ = nullptr;
    QLineEdit* txtDarstellungVon_ = nullptr;
    QLineEdit* txtDarstellungBis_ = nullptr;
    QLineEdit* txtDarstellungOrt_ = nullptr;
    QCheckBox* chkGanztägig_ = nullptr;
    QLineEdit* txtStandartVon_ = nullptr;
    QLineEdit* txtStandartBis_ = nullptr;
    QLineEdit* txtStandartOrt_ = nullptr;
    QCheckBox* chkGanztägigTermin_ = nullptr;
    QCheckBox* chkStandartAkt_ = nullptr;
};

} // namespace mv
