// The year as an iCalendar file, from the file menu.
#include "app/frmdef.h"
#include "app/treerows.h"
#include "app/waitcursor.h"
#include "ical/icalendar.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTreeWidget>

namespace mv {

void frmDef::mnuICalendar_Click() {
    // A menu takes no focus, so a year still being typed has not been checked yet.
    txtJahr_LostFocus();
    bool ok = false;
    if (txtJahr_->text().trimmed().toInt(&ok) != selectedYear_ || !ok)
        return;

    const QString title =
        mnuICalendar_->text().remove(QLatin1Char('&')).remove(QStringLiteral("..."));
    const QString folder = iCalendarFolder_.isEmpty() ? QDir::homePath() : iCalendarFolder_;
    const QString suggested = QDir(folder).filePath(ical::calendarFileName(selectedYear_));
    const QString path = saveFileDialog_
                             ? saveFileDialog_(title, suggested)
                             : QFileDialog::getSaveFileName(this, title, suggested,
                                                            QStringLiteral("iCalendar (*.ics)"));
    if (path.isEmpty())
        return;

    WaitCursor wait;
    const DayList rows = mv::BuildDayList(dayListInput());
    ical::ExportOptions options;
    options.year = selectedYear_;
    options.stamp = env_.now();
    options.language = currentLanguage_;
    const Result<void> written = ical::writeCalendarFile(path, rows, options);
    wait.release();
    if (!written) {
        box(QMessageBox::Critical, QString::fromLatin1(kAppTitle), written.error());
        return;
    }
    setDayRows(lvListe_, rows);
    iCalendarFolder_ = QFileInfo(path).absolutePath();
    box(QMessageBox::Information, QString::fromLatin1(kAppTitle),
        msg(Msg::FileCreated) + QLatin1Char('"') + QDir::toNativeSeparators(path) +
            QLatin1Char('"'));
}

} // namespace mv
