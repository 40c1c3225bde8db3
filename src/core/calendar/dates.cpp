#include "calendar/dates.h"

#include <QRegularExpression>

#include <cmath>
#include <string>

namespace mv {

QDate parseDate(const QString& text) {
    // ASCII digits only: \d would also accept digits of other scripts.
    static const QRegularExpression dmy(
        QStringLiteral("^([0-9]{1,2})\\.([0-9]{1,2})\\.([0-9]{4})$"));
    static const QRegularExpression ymd(QStringLiteral("^([0-9]{4})-([0-9]{1,2})-([0-9]{1,2})$"));
    const QString t = text.trimmed();
    if (const auto m = dmy.match(t); m.hasMatch())
        return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (const auto m = ymd.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return QDate();
}

std::optional<int> parseYear(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[1-9][0-9]{3}$"));
    const QString t = text.trimmed();
    if (!form.match(t).hasMatch())
        return std::nullopt;
    const int year = t.toInt();
    if (!isYearInRange(year))
        return std::nullopt;
    return year;
}

QString formatDate(const QDate& date) {
    if (!date.isValid())
        return QString();
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto at = [&](qsizetype k) { return k < n ? text.at(k).unicode() : char16_t(0); };
    while (i < n && (at(i) == u' ' || at(i) == u'\t' || at(i) == u'\n' || at(i) == u'\r'))
        ++i;
    std::string number;
    if (at(i) == u'+' || at(i) == u'-')
        number += char(at(i++));
    bool digits = false;
    while (at(i) >= u'0' && at(i) <= u'9') {
        number += char(at(i++));
        digits = true;
    }
    if (at(i) == u'.') {
        number += '.';
        ++i;
        while (at(i) >= u'0' && at(i) <= u'9') {
            number += char(at(i++));
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    // QString::toDouble reads the C locale, so the machine's number format cannot interfere.
    return QString::fromLatin1(number.c_str()).toDouble();
}

int roundToInt16(double value) {
    if (std::isnan(value))
        return 0;
    if (value <= -32768.0)
        return -32768;
    if (value >= 32767.0)
        return 32767;
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double result = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        result = lower + 1.0;
    return static_cast<int>(result);
}

} // namespace mv
