#include "calendar/monthcalendar.h"

#include <QPainter>
#include <QTableView>
#include <QTextCharFormat>

namespace mv {

MonthCalendar::MonthCalendar(QWidget* parent) : QCalendarWidget(parent) {
    setSelectionMode(QCalendarWidget::NoSelection);
    // An unmarked selected day looks like any other day.
    if (auto* view = findChild<QTableView*>()) {
        QPalette pal = view->palette();
        pal.setColor(QPalette::Highlight, Qt::transparent);
        pal.setColor(QPalette::HighlightedText, pal.color(QPalette::Text));
        view->setPalette(pal);
    }
}

void MonthCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const {
    const QTextCharFormat format = dateTextFormat(date);
    if (format.background().style() == Qt::NoBrush) {
        QCalendarWidget::paintCell(painter, rect, date);
        return;
    }
    painter->save();
    painter->fillRect(rect, format.background());
    QFont font = this->font();
    if (format.hasProperty(QTextFormat::FontWeight))
        font.setWeight(format.font().weight());
    painter->setFont(font);
    const bool inMonth = date >= minimumDate() && date <= maximumDate();
    painter->setPen(
        palette().color(inMonth ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter->drawText(rect, Qt::AlignCenter, QString::number(date.day()));
    painter->restore();
}

} // namespace mv
