#pragma once

#include <QCalendarWidget>

namespace mv {

// One month of the year overview. A day with a mark (a background in its date format)
// always shows it: the calendar keeps a selected date, today's date clamped into the
// month, and Qt paints the selection instead of the background.
class MonthCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget* parent = nullptr);

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
};

} // namespace mv
