#include "days/checktime.h"

#include "calendar/dates.h"

namespace mv {

int timeMinutes(const QString& text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    // A text without ":" only reaches this as the partner of a checked field; its
    // whole text then counts as hours.
    const QString h = colon < 0 ? text : text.left(colon);
    const QString m = colon < 0 ? QString() : text.mid(colon + 1);
    return roundToInt16(double(roundToInt16(leadingNumber(h) * 60.0)) +
                        double(roundToInt16(leadingNumber(m))));
}

TimeCheck CheckTime(QString& field, const QString& fieldName, const QString& partner) {
    if (!field.isEmpty()) {
        const qsizetype colon = field.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return TimeCheck::Invalid;
        QString h = field.left(colon);
        QString m = field.mid(colon + 1);
        if (h.size() >= 3 || m.size() >= 3)
            return TimeCheck::Invalid;
        if (h.size() == 1) {
            field = QLatin1Char('0') + field;
            h = QLatin1Char('0') + h;
        }
        if (m.size() == 1)
            field = h + QStringLiteral(":0") + m;
        const int minutes = timeMinutes(field);
        if (minutes < 0 || minutes > 1440)
            return TimeCheck::Invalid;
    }

    if (fieldName.contains(QLatin1String("Darstellung"))) {
        const bool isStart = fieldName.contains(QLatin1String("Von"));
        const QString& start = isStart ? field : partner;
        const QString& end = isStart ? partner : field;
        if (!start.isEmpty() && !end.isEmpty() && timeMinutes(start) > timeMinutes(end))
            return TimeCheck::EndBeforeStart;
    }
    return TimeCheck::Ok;
}

} // namespace mv
