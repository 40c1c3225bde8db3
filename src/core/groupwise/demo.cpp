#include "groupwise/demo.h"

#include "groupwise/local.h"

namespace mv::gw {

QString demoDomainName() {
    return QStringLiteral("QTXDOM");
}

namespace {

CalendarEntry appointment(const QDate& day, const QTime& from, int minutes, const QString& subject,
                          const QString& place, const QString& sender) {
    CalendarEntry e;
    e.messageClass = QString::fromLatin1(kAppointment);
    e.start = QDateTime(day, from);
    e.durationDays = minutes / (24.0 * 60.0);
    e.subject = subject;
    e.place = place;
    e.from = sender;
    return e;
}

CalendarEntry wholeDay(const QDate& day, const QString& subject, const QString& sender,
                       bool allDayFlag) {
    CalendarEntry e = appointment(day, QTime(0, 0), 24 * 60 - 1, subject, QString(), sender);
    e.allDay = allDayFlag;
    return e;
}

CalendarEntry note(const QDate& day, const QString& subject, const QString& sender) {
    CalendarEntry e;
    e.messageClass = QString::fromLatin1(kNote);
    e.start = QDateTime(day, QTime(0, 0));
    e.subject = subject;
    e.from = sender;
    return e;
}

} // namespace

void fillDemo(LocalSystem& system, const QDate& today) {
    const QString nord = QStringLiteral("PO-NORD");
    const QString sued = QStringLiteral("PO-SUED");
    system.addPostOffice({nord, QStringLiteral("10.1.1.5"), QStringLiteral("1677"),
                          QStringLiteral("/srv/groupwise/po-nord")});
    system.addPostOffice({sued, QStringLiteral("10.1.1.6"), QStringLiteral("1678"),
                          QStringLiteral("/srv/groupwise/po-sued")});

    const QString domain = system.domainName();
    system.addMember(kKindUser, QStringLiteral("mmueller"), nord, QStringLiteral("Martina Müller"));
    system.addMember(kKindUser, QStringLiteral("akeller"), nord, QStringLiteral("Andreas Keller"));
    system.addMember(kKindUser, QStringLiteral("bschmidt"), nord, QStringLiteral("Birgit Schmidt"));
    system.addAddressEntry(kKindGroup, {{kFieldDisplayName, QStringLiteral("Alle Mitarbeiter")},
                                        {kFieldUserId, QStringLiteral("alle")},
                                        {kFieldDomain, domain},
                                        {kFieldPostOffice, nord}});
    system.addMember(kKindUser, QStringLiteral("cweber"), sued, QStringLiteral("Claudia Weber"));
    system.addMember(kKindUser, QStringLiteral("bschmidt"), sued, QStringLiteral("Bernd Schmidt"));
    system.addMember(kKindResource, QStringLiteral("raum1"), nord,
                     QStringLiteral("Besprechungsraum 1"));
    system.addMember(kKindResource, QStringLiteral("beamer"), sued, QStringLiteral("Beamer"));
    system.addAddressEntry(
        kKindCompany, {{kFieldDisplayName, QStringLiteral("QTX GmbH")}, {kFieldDomain, domain}});
    system.addAddressEntry(kKindUnknown, {{kFieldDisplayName, QStringLiteral("Externer Kontakt")},
                                          {kFieldUserId, QStringLiteral("extern")},
                                          {kFieldDomain, domain},
                                          {kFieldPostOffice, sued}});
    system.setClientUser(QStringLiteral("mmueller"));

    const int y = today.isValid() ? today.year() : 2011;
    const bool allDay = system.majorVersion() >= 7;
    const QString hr = QStringLiteral("Personalabteilung");

    // A holiday's subject on that holiday's date, from someone else: the runs must leave it.
    system.addEntry(QStringLiteral("akeller"), nord,
                    wholeDay(QDate(2011, 1, 1), QStringLiteral("Neujahr"),
                             QStringLiteral("Claudia Weber"), allDay));
    system.addEntry(QStringLiteral("akeller"), nord,
                    appointment(QDate(2011, 3, 14), QTime(10, 0), 90,
                                QStringLiteral("Teambesprechung"), QStringLiteral("Raum 1"),
                                QStringLiteral("Birgit Schmidt")));
    system.addEntry(QStringLiteral("akeller"), nord,
                    appointment(QDate(y, 2, 7), QTime(9, 30), 60, QStringLiteral("Jahresgespräch"),
                                QStringLiteral("Raum 1"), QStringLiteral("Martina Müller")));

    system.addEntry(QStringLiteral("mmueller"), nord,
                    note(QDate(y, 1, 1), QStringLiteral("Neujahr"), hr));
    system.addEntry(QStringLiteral("mmueller"), nord,
                    appointment(QDate(y, 6, 15), QTime(14, 0), 120,
                                QStringLiteral("Quartalsabschluss"), QString(),
                                QStringLiteral("Andreas Keller")));

    system.addEntry(QStringLiteral("bschmidt"), nord,
                    note(QDate(2011, 12, 24), QStringLiteral("Heiligabend"), hr));
    system.addEntry(QStringLiteral("bschmidt"), sued,
                    wholeDay(QDate(y, 8, 1), QStringLiteral("Urlaub"),
                             QStringLiteral("Bernd Schmidt"), allDay));

    system.addEntry(
        QStringLiteral("cweber"), sued,
        wholeDay(QDate(y, 10, 3), QStringLiteral("Tag der Deutschen Einheit"), hr, allDay));

    system.addEntry(QStringLiteral("raum1"), nord,
                    appointment(QDate(2011, 5, 2), QTime(8, 0), 8 * 60, QStringLiteral("Schulung"),
                                QStringLiteral("Besprechungsraum 1"),
                                QStringLiteral("Andreas Keller")));
    system.addEntry(
        QStringLiteral("raum1"), nord,
        appointment(QDate(y, 11, 20), QTime(13, 0), 180, QStringLiteral("Projektbesprechung"),
                    QStringLiteral("Besprechungsraum 1"), QStringLiteral("Claudia Weber")));
}

} // namespace mv::gw
