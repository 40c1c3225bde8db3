#include "groupwise/filter.h"
#include "groupwise/groupwise.h"
#include "groupwise/localerrors.h"

#include <QTest>

using namespace mv::gw;

class TestGwFilter : public QObject {
    Q_OBJECT

private slots:
    void dayFilterText() {
        QCOMPARE(dayFilter(QDate(2011, 1, 1), QStringLiteral("Neujahr")),
                 QStringLiteral("(START_DATE >= 2011/1/1 AT 00:00:00) AND (START_DATE < 2011/1/1 "
                                "AT 23:59:59) AND (SUBJECT Matches \"Neujahr\") AND (FROM "
                                "Matches \"Marvolingen\")"));
        QCOMPARE(dayFilter(QDate(2011, 12, 24), QStringLiteral("Sag \"Hallo\"")),
                 QStringLiteral("(START_DATE >= 2011/12/24 AT 00:00:00) AND (START_DATE < "
                                "2011/12/24 AT 23:59:59) AND (SUBJECT Matches \"Sag "
                                "\"\"Hallo\"\"\") AND (FROM Matches \"Marvolingen\")"));
    }

    void yearFilterText() {
        QCOMPARE(yearFilter(2011),
                 QStringLiteral("(START_DATE >=  2010/12/31 AT 23:59:59) AND (START_DATE <  "
                                "2012/01/01 AT 00:00:00) AND (FROM Matches \"Marvolingen\")"));
    }

    // Whatever the subject, the day filter reads back as exactly four terms with that subject.
    void dayFilterRoundTrip_data() {
        QTest::addColumn<QString>("subject");
        QTest::newRow("plain") << QStringLiteral("Tag der Deutschen Einheit");
        QTest::newRow("empty") << QString();
        QTest::newRow("quotes") << QStringLiteral("\"Brückentag\"");
        QTest::newRow("lone quote") << QStringLiteral("Zoll \" Tag");
        QTest::newRow("injection") << QStringLiteral("Neujahr\") OR (FROM Matches \"x");
        QTest::newRow("injection closing all") << QStringLiteral("x\") AND (FROM Matches \"y\")");
        QTest::newRow("parentheses and AND") << QStringLiteral("(a) AND (b)");
        QTest::newRow("umlauts") << QStringLiteral("Fronleichnam – Öffnungszeiten");
    }
    void dayFilterRoundTrip() {
        QFETCH(QString, subject);
        const auto terms = parseFilter(dayFilter(QDate(2011, 10, 3), subject));
        QCOMPARE(terms.size(), 4);
        QCOMPARE(terms[0].field, FilterTerm::Field::StartDate);
        QCOMPARE(terms[0].op, FilterTerm::Op::AtLeast);
        QCOMPARE(terms[0].when, QDateTime(QDate(2011, 10, 3), QTime(0, 0)));
        QCOMPARE(terms[1].op, FilterTerm::Op::Before);
        QCOMPARE(terms[1].when, QDateTime(QDate(2011, 10, 3), QTime(23, 59, 59)));
        QCOMPARE(terms[2].field, FilterTerm::Field::Subject);
        QCOMPARE(terms[2].text, subject);
        QCOMPARE(terms[3].field, FilterTerm::Field::From);
        QCOMPARE(terms[3].text, QStringLiteral("Marvolingen"));
    }

    void yearFilterParses() {
        const auto terms = parseFilter(yearFilter(2011));
        QCOMPARE(terms.size(), 3);
        QCOMPARE(terms[0].when, QDateTime(QDate(2010, 12, 31), QTime(23, 59, 59)));
        QCOMPARE(terms[0].op, FilterTerm::Op::AtLeast);
        QCOMPARE(terms[1].when, QDateTime(QDate(2012, 1, 1), QTime(0, 0)));
        QCOMPARE(terms[1].op, FilterTerm::Op::Before);
    }

    void accepted_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("terms");
        QTest::newRow("one term") << QStringLiteral("(SUBJECT Matches \"x\")") << 1;
        QTest::newRow("empty text") << QStringLiteral("(FROM Matches \"\")") << 1;
        QTest::newRow("only doubled quote") << QStringLiteral("(SUBJECT Matches \"\"\"\")") << 1;
        QTest::newRow("blanks around")
            << QStringLiteral("  ( START_DATE >=   2011/01/1 AT 00:00:00 )  AND  (FROM Matches "
                              "\"a\")  ")
            << 2;
        QTest::newRow("same field twice")
            << QStringLiteral("(SUBJECT Matches \"a\") AND (SUBJECT Matches \"b\")") << 2;
        QTest::newRow("leap day") << QStringLiteral("(START_DATE < 2012/2/29 AT 23:59:59)") << 1;
    }
    void accepted() {
        QFETCH(QString, filter);
        QFETCH(int, terms);
        QCOMPARE(parseFilter(filter).size(), terms);
    }

    void rejected_data() {
        QTest::addColumn<QString>("filter");
        const QString ok = QStringLiteral("(SUBJECT Matches \"Neujahr\")");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks only") << QStringLiteral("   ");
        QTest::newRow("OR") << ok + QStringLiteral(" OR (FROM Matches \"x\")");
        QTest::newRow("lower-case and") << ok + QStringLiteral(" and (FROM Matches \"x\")");
        QTest::newRow("injected OR (old unescaped day filter)")
            << QStringLiteral("(START_DATE >= 2011/1/1 AT 00:00:00) AND (START_DATE < 2011/1/1 AT "
                              "23:59:59) AND (SUBJECT Matches \"Neujahr\") OR (FROM Matches "
                              "\"x\") AND (FROM Matches \"Marvolingen\")");
        QTest::newRow("unbalanced quote") << QStringLiteral("(SUBJECT Matches \"Zoll \" Tag\")");
        QTest::newRow("unterminated text") << QStringLiteral("(SUBJECT Matches \"Neujahr)");
        QTest::newRow("missing parenthesis") << QStringLiteral("(SUBJECT Matches \"Neujahr\"");
        QTest::newRow("no parentheses") << QStringLiteral("SUBJECT Matches \"Neujahr\"");
        QTest::newRow("empty term") << QStringLiteral("()");
        QTest::newRow("trailing AND") << ok + QStringLiteral(" AND");
        QTest::newRow("leading AND") << QStringLiteral("AND ") + ok;
        QTest::newRow("trailing text") << ok + QStringLiteral(" x");
        QTest::newRow("terms without AND") << ok + QLatin1Char(' ') + ok;
        QTest::newRow("two texts") << QStringLiteral("(SUBJECT Matches \"a\" \"b\")");
        QTest::newRow("nested") << QStringLiteral("((SUBJECT Matches \"a\"))");
        QTest::newRow("matches lower case") << QStringLiteral("(SUBJECT matches \"a\")");
        QTest::newRow("equals") << QStringLiteral("(SUBJECT = \"a\")");
        QTest::newRow("unknown field") << QStringLiteral("(PLACE Matches \"a\")");
        QTest::newRow("subject with date op")
            << QStringLiteral("(SUBJECT >= 2011/1/1 AT 00:00:00)");
        QTest::newRow("date with Matches") << QStringLiteral("(START_DATE Matches \"a\")");
        QTest::newRow("greater") << QStringLiteral("(START_DATE > 2011/1/1 AT 00:00:00)");
        QTest::newRow("less or equal") << QStringLiteral("(START_DATE <= 2011/1/1 AT 00:00:00)");
        QTest::newRow("no AT") << QStringLiteral("(START_DATE >= 2011/1/1 00:00:00)");
        QTest::newRow("no time") << QStringLiteral("(START_DATE >= 2011/1/1)");
        QTest::newRow("no date") << QStringLiteral("(START_DATE >= AT 00:00:00)");
        QTest::newRow("31 February") << QStringLiteral("(START_DATE >= 2011/2/31 AT 00:00:00)");
        QTest::newRow("month 13") << QStringLiteral("(START_DATE >= 2011/13/1 AT 00:00:00)");
        QTest::newRow("year 0") << QStringLiteral("(START_DATE >= 0/12/31 AT 23:59:59)");
        QTest::newRow("negative year") << QStringLiteral("(START_DATE >= -1/12/31 AT 23:59:59)");
        QTest::newRow("hour 24") << QStringLiteral("(START_DATE < 2011/1/1 AT 24:00:00)");
        QTest::newRow("one-digit hour") << QStringLiteral("(START_DATE < 2011/1/1 AT 0:00:00)");
        QTest::newRow("no blank after field")
            << QStringLiteral("(START_DATE>= 2011/1/1 AT 00:00:00)");
        QTest::newRow("SQL in text context") << QStringLiteral("(SUBJECT Matches \"a\" OR 1=1)");
        QTest::newRow("semicolon") << ok + QStringLiteral("; DROP TABLE messages");
        QTest::newRow("tab separator") << QStringLiteral("(SUBJECT\tMatches \"a\")");
    }
    void rejected() {
        QFETCH(QString, filter);
        try {
            parseFilter(filter);
            QFAIL("accepted");
        } catch (const Error& e) {
            QCOMPARE(e.number(), kErrBadFilter);
            QVERIFY(!e.description().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestGwFilter)
#include "tst_gw_filter.moc"
