#include "groupwise/filter.h"

#include "groupwise/groupwise.h"
#include "groupwise/localerrors.h"

namespace mv::gw {

namespace {

QString quoted(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

class Parser {
public:
    explicit Parser(const QString& text) : s_(text) {}

    QList<FilterTerm> parse() {
        QList<FilterTerm> terms;
        blanks();
        terms.append(term());
        while (true) {
            const qsizetype before = pos_;
            if (blanks() == 0)
                break;
            if (atEnd()) {
                pos_ = before;
                break;
            }
            word(QStringLiteral("AND"));
            need(blanks() > 0, "a blank after AND");
            terms.append(term());
        }
        blanks();
        need(atEnd(), "the end of the filter");
        return terms;
    }

private:
    FilterTerm term() {
        literal(QLatin1Char('('));
        blanks();
        FilterTerm t;
        if (peekWord(QStringLiteral("START_DATE"))) {
            word(QStringLiteral("START_DATE"));
            t.field = FilterTerm::Field::StartDate;
            need(blanks() > 0, "a blank");
            if (s_.mid(pos_, 2) == QLatin1String(">=")) {
                pos_ += 2;
                t.op = FilterTerm::Op::AtLeast;
            } else if (s_.mid(pos_, 1) == QLatin1String("<")) {
                pos_ += 1;
                t.op = FilterTerm::Op::Before;
            } else {
                fail(QStringLiteral("\">=\" or \"<\""));
            }
            need(blanks() > 0, "a blank");
            t.when = dateTime();
        } else {
            if (peekWord(QStringLiteral("SUBJECT"))) {
                word(QStringLiteral("SUBJECT"));
                t.field = FilterTerm::Field::Subject;
            } else {
                word(QStringLiteral("FROM"));
                t.field = FilterTerm::Field::From;
            }
            need(blanks() > 0, "a blank");
            word(QStringLiteral("Matches"));
            need(blanks() > 0, "a blank");
            t.op = FilterTerm::Op::Matches;
            t.text = text();
        }
        blanks();
        literal(QLatin1Char(')'));
        return t;
    }

    QDateTime dateTime() {
        const int y = number(1, 6);
        literal(QLatin1Char('/'));
        const int m = number(1, 2);
        literal(QLatin1Char('/'));
        const int d = number(1, 2);
        need(blanks() > 0, "a blank");
        word(QStringLiteral("AT"));
        need(blanks() > 0, "a blank");
        const int hh = number(2, 2);
        literal(QLatin1Char(':'));
        const int mm = number(2, 2);
        literal(QLatin1Char(':'));
        const int ss = number(2, 2);
        const QDate date(y, m, d);
        need(y >= 1 && date.isValid(), "a valid date");
        need(hh < 24 && mm < 60 && ss < 60, "a valid time");
        return QDateTime(date, QTime(hh, mm, ss));
    }

    QString text() {
        literal(QLatin1Char('"'));
        QString out;
        while (true) {
            need(!atEnd(), "a closing double quote");
            const QChar c = s_.at(pos_++);
            if (c != QLatin1Char('"')) {
                out.append(c);
            } else if (!atEnd() && s_.at(pos_) == QLatin1Char('"')) {
                out.append(c);
                ++pos_;
            } else {
                return out;
            }
        }
    }

    int number(int minDigits, int maxDigits) {
        int value = 0;
        int digits = 0;
        while (!atEnd() && digits < maxDigits && s_.at(pos_).unicode() >= '0' &&
               s_.at(pos_).unicode() <= '9') {
            value = value * 10 + (s_.at(pos_).unicode() - '0');
            ++pos_;
            ++digits;
        }
        need(digits >= minDigits, "a number");
        need(atEnd() || s_.at(pos_).unicode() < '0' || s_.at(pos_).unicode() > '9',
             "a shorter number");
        return value;
    }

    int blanks() {
        int n = 0;
        while (!atEnd() && s_.at(pos_) == QLatin1Char(' ')) {
            ++pos_;
            ++n;
        }
        return n;
    }

    bool peekWord(const QString& w) const {
        if (s_.mid(pos_, w.size()) != w)
            return false;
        const qsizetype after = pos_ + w.size();
        return after >= s_.size() || !isWordChar(s_.at(after));
    }
    void word(const QString& w) {
        if (!peekWord(w))
            fail(QLatin1Char('"') + w + QLatin1Char('"'));
        pos_ += w.size();
    }
    static bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

    void literal(QChar c) {
        if (atEnd() || s_.at(pos_) != c)
            fail(QString(QLatin1Char('"')) + c + QLatin1Char('"'));
        ++pos_;
    }
    void need(bool ok, const char* what) const {
        if (!ok)
            fail(QString::fromLatin1(what));
    }
    [[noreturn]] void fail(const QString& what) const {
        throw Error(
            kErrBadFilter,
            QStringLiteral("Invalid filter: expected %1 at position %2").arg(what).arg(pos_ + 1));
    }
    bool atEnd() const { return pos_ >= s_.size(); }

    const QString& s_;
    qsizetype pos_ = 0;
};

} // namespace

QString dayFilter(const QDate& date, const QString& subject) {
    const QString day =
        QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day());
    return QStringLiteral("(START_DATE >= %1 AT 00:00:00) AND (START_DATE < %1 AT 23:59:59) AND "
                          "(SUBJECT Matches %2) AND (FROM Matches \"Marvolingen\")")
        .arg(day, quoted(subject));
}

QString yearFilter(int year) {
    return QStringLiteral("(START_DATE >=  %1/12/31 AT 23:59:59) AND (START_DATE <  %2/01/01 AT "
                          "00:00:00) AND (FROM Matches \"Marvolingen\")")
        .arg(year - 1)
        .arg(year + 1);
}

QList<FilterTerm> parseFilter(const QString& filter) {
    return Parser(filter).parse();
}

} // namespace mv::gw
