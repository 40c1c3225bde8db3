#include "groupwise/filter.h"
#include "groupwise/groupwise.h"
#include "groupwise/local.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <thread>

using namespace mv::gw;
using namespace Qt::StringLiterals;

namespace {

const QString kApp = QStringLiteral("QTXMarvolingen");
const QDate kToday(2026, 12, 10);

template <class F> int errorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

QByteArray createKey(const QString& folder) {
    QByteArray key;
    const int code = CreateTrustedAppObject(LocalSystem::domainPath(folder), kApp,
                                            QStringLiteral("QTX GmbH Marvolingen"), QString(), 0, 0,
                                            0, 0, 0, key);
    if (code != 0)
        throw Error(code, QStringLiteral("key"));
    return key;
}

std::unique_ptr<Session> trustedSession(const QString& folder, const QByteArray& key) {
    auto session = createSession(folder);
    session->setTrustedApplication(kApp, QString::fromLatin1(key));
    return session;
}

// Writes an entry the way the runs do.
void write(Messages& messages, const QDateTime& start, const QString& subject, const QString& from,
           const char* cls = kAppointment) {
    auto m = messages.add(QString::fromLatin1(cls), 3);
    m->setStart(start);
    if (QLatin1String(cls) == QLatin1String(kAppointment))
        m->setDuration(1.0 / 24);
    m->setSubject(subject);
    m->setFlag(true);
    m->setFromText(from);
    m->save();
}

QStringList subjects(MessageList& list) {
    QStringList out;
    for (int i = 1; i <= list.count(); ++i)
        out << list.item(i)->subject();
    return out;
}

} // namespace

class TestGwLocal : public QObject {
    Q_OBJECT

private slots:
    void noSystemIs429() {
        QTemporaryDir dir;
        QCOMPARE(errorOf([&] { createSession(dir.path()); }), kErrNotInstalled);
        QCOMPARE(errorOf([&] { createSession(dir.filePath(QStringLiteral("missing"))); }),
                 kErrNotInstalled);
        // a GroupWise folder without database: nothing gets created by looking
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("GroupWise")));
        QCOMPARE(errorOf([&] { createSession(dir.path()); }), kErrNotInstalled);
        QVERIFY(!QFile::exists(LocalSystem::databasePath(LocalSystem::domainPath(dir.path()))));
        // a file that is no domain
        QFile junk(LocalSystem::databasePath(LocalSystem::domainPath(dir.path())));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is not a database");
        junk.close();
        QCOMPARE(errorOf([&] { createSession(dir.path()); }), kErrNotInstalled);
        QCOMPARE(errorOf([&] { LocalSystem::open(dir.path()); }), kErrNotInstalled);
    }

    void createRefusesExistingSystem() {
        QTemporaryDir dir;
        auto sys = LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        QCOMPARE(
            errorOf([&] { LocalSystem::create(dir.path(), SystemVersion::V7_0, false, kToday); }),
            kErrExists);
        QCOMPARE(sys.postOffices().size(), 2);
        const auto files = QDir(LocalSystem::domainPath(dir.path())).entryList(QDir::Files);
        for (const auto& f : files)
            QVERIFY2(!f.contains(QLatin1String(".new-")), qPrintable(f));
        auto session = createSession(dir.path());
        QCOMPARE(session->majorVersion(), 7);
        QCOMPARE(session->minorVersion(), 0);
    }

    void trustedApplicationCodes() {
        QTemporaryDir dir;
        QByteArray key;
        const QString domain = LocalSystem::domainPath(dir.path());
        auto create = [&](const QString& path) {
            return CreateTrustedAppObject(path, kApp, QStringLiteral("QTX GmbH Marvolingen"),
                                          QString(), 0, 0, 0, 0, 0, key);
        };
        QCOMPARE(create(domain), 2);
        QCOMPARE(DeleteTrustedAppObject(domain, kApp, "x"), 2);
        LocalSystem::create(dir.path(), SystemVersion::V7_0, false, kToday);
        QCOMPARE(create(dir.path()), 2); // the program folder is not the domain path
        QCOMPARE(create(QString()), 2);

        QCOMPARE(create(domain + QLatin1Char('/')), 0);
        QVERIFY(key.size() >= 32 && key.size() <= 128);
        for (char c : key)
            QVERIFY(c > ' ' && c < 127);
        const QByteArray first = key;
        QCOMPARE(create(domain), 6);
        QCOMPARE(key, first); // a failure leaves the result alone

        QCOMPARE(DeleteTrustedAppObject(domain, kApp, "wrong"), 8);
        QCOMPARE(DeleteTrustedAppObject(domain, kApp, first.left(first.size() - 1)), 8);
        QCOMPARE(DeleteTrustedAppObject(domain, QStringLiteral("Other"), first), 10);
        // the caller's 129-character area: key, NUL and whatever follows
        QByteArray area = first + '\0' + QByteArray("garbage");
        QCOMPARE(DeleteTrustedAppObject(domain, kApp, area), 0);
        QCOMPARE(DeleteTrustedAppObject(domain, kApp, area), 10);

        QCOMPARE(create(domain), 0);
        QVERIFY(key != first);
        QCOMPARE(LocalSystem::open(dir.path()).trustedApps().size(), 1);
    }

    void loginNeedsTrustedApplication() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        const QByteArray key = createKey(dir.path());
        auto session = createSession(dir.path());
        QCOMPARE(errorOf([&] { session->loginAs(QStringLiteral("akeller")); }), kErrTrustedApp);
        session->setTrustedApplication(kApp, QStringLiteral("nope"));
        QCOMPARE(errorOf([&] { session->loginAs(QStringLiteral("akeller")); }), kErrTrustedApp);
        session->setTrustedApplication(QStringLiteral("Other"), QString::fromLatin1(key));
        QCOMPARE(errorOf([&] { session->loginAs(QStringLiteral("akeller")); }), kErrTrustedApp);
        // the key compares up to its first NUL
        session->setTrustedApplication(kApp, QString::fromLatin1(key) + QChar(0) +
                                                 QStringLiteral("rest"));
        QCOMPARE(session->loginAs(QStringLiteral("akeller"))->tcpipAddress(),
                 QStringLiteral("10.1.1.5"));
        // after the application is deleted its key opens nothing
        QCOMPARE(DeleteTrustedAppObject(LocalSystem::domainPath(dir.path()), kApp, key), 0);
        QCOMPARE(errorOf([&] { session->loginAs(QStringLiteral("akeller")); }), kErrTrustedApp);
        // the client's own login needs no credentials
        auto own = createSession(dir.path())->login(QString(), QString(), QString(), 2);
        QCOMPARE(own->tcpipPort(), QStringLiteral("1677"));
        QCOMPARE(own->pathToHost(), QStringLiteral("/srv/groupwise/po-nord"));
    }

    void loginPostOffice_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("address"); // of the post office reached
        QTest::addColumn<int>("error");
        QTest::newRow("shared ID, no options: first in address book") << "bschmidt"
                                                                      << ""
                                                                      << "10.1.1.5" << 0;
        QTest::newRow("shared ID, /ipa- names the second") << "bschmidt"
                                                           << " /ipa-10.1.1.6"
                                                           << "10.1.1.6" << 0;
        QTest::newRow("shared ID, /ipp- names the second") << "bschmidt"
                                                           << " /ipp-1678"
                                                           << "10.1.1.6" << 0;
        QTest::newRow("shared ID, both") << "bschmidt"
                                         << " /ipa-10.1.1.6 /ipp-1678"
                                         << "10.1.1.6" << 0;
        QTest::newRow("shared ID, /IPA /IPP") << "bschmidt"
                                              << " /IPA 10.1.1.6 /IPP 1678"
                                              << "10.1.1.6" << 0;
        QTest::newRow("shared ID, first named") << "bschmidt"
                                                << " /IPA 10.1.1.5"
                                                << "10.1.1.5" << 0;
        QTest::newRow("user ID in other case") << "CWeber"
                                               << ""
                                               << "10.1.1.6" << 0;
        QTest::newRow("user elsewhere: redirected") << "cweber"
                                                    << " /ipa-10.1.1.5"
                                                    << "10.1.1.6" << 0;
        QTest::newRow("resource") << "beamer"
                                  << ""
                                  << "10.1.1.6" << 0;
        QTest::newRow("unknown address") << "bschmidt"
                                         << " /ipa-10.1.1.9"
                                         << "" << kErrPostOffice;
        QTest::newRow("unknown port") << "akeller"
                                      << " /IPP 9999"
                                      << "" << kErrPostOffice;
        QTest::newRow("address and port of different offices") << "bschmidt"
                                                               << " /ipa-10.1.1.5 /ipp-1678"
                                                               << "" << kErrPostOffice;
        QTest::newRow("unknown user") << "niemand"
                                      << ""
                                      << "" << kErrUnknownUser;
        QTest::newRow("group") << "alle"
                               << ""
                               << "" << kErrUnknownUser;
        QTest::newRow("kind 0") << "extern"
                                << ""
                                << "" << kErrUnknownUser;
        QTest::newRow("empty user") << ""
                                    << ""
                                    << "" << kErrUnknownUser;
    }
    void loginPostOffice() {
        QFETCH(QString, user);
        QFETCH(QString, options);
        QFETCH(QString, address);
        QFETCH(int, error);
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        std::unique_ptr<Account> account;
        QCOMPARE(errorOf([&] { account = session->loginAs(user, options); }), error);
        if (error == 0) {
            QCOMPARE(account->tcpipAddress(), address);
            // login with the user ID and the trusted application reaches the same mailbox
            QCOMPARE(session->login(user, options, QString(), 2)->tcpipAddress(), address);
        }
    }

    // The first entry in address-book order wins, not the first post office.
    void sharedUserIdFollowsAddressBookOrder() {
        QTemporaryDir dir;
        auto sys = LocalSystem::create(dir.path(), SystemVersion::V7_0, false, kToday);
        sys.addPostOffice({QStringLiteral("A"), QStringLiteral("10.0.0.1"), QStringLiteral("1"),
                           QStringLiteral("/a")});
        sys.addPostOffice({QStringLiteral("B"), QStringLiteral("10.0.0.2"), QStringLiteral("2"),
                           QStringLiteral("/b")});
        sys.addMember(kKindUser, QStringLiteral("x"), QStringLiteral("B"));
        sys.addMember(kKindUser, QStringLiteral("x"), QStringLiteral("A"));
        // an entry whose post office the domain does not have is no mailbox
        sys.addMember(kKindUser, QStringLiteral("y"), QStringLiteral("C"));
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        auto b = session->loginAs(QStringLiteral("x"));
        QCOMPARE(b->pathToHost(), QStringLiteral("/b"));
        QCOMPARE(b->tcpipPort(), QStringLiteral("2"));
        QCOMPARE(session->loginAs(QStringLiteral("x"), QStringLiteral(" /ipp-1"))->pathToHost(),
                 QStringLiteral("/a"));
        QCOMPARE(errorOf([&] { session->loginAs(QStringLiteral("y")); }), kErrUnknownUser);
    }

    void ownLoginWithOptions() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto session = createSession(dir.path());
        QCOMPARE(session->login(QString(), QStringLiteral(" /IPA 10.1.1.5 /IPP 1677"), QString(), 2)
                     ->tcpipAddress(),
                 QStringLiteral("10.1.1.5"));
        QCOMPARE(errorOf([&] {
                     session->login(QString(), QStringLiteral(" /IPA 10.9.9.9"), QString(), 2);
                 }),
                 kErrPostOffice);
        // another user by name still needs the trusted application
        QCOMPARE(
            errorOf([&] { session->login(QStringLiteral("akeller"), QString(), QString(), 2); }),
            kErrTrustedApp);
        QTemporaryDir empty;
        LocalSystem::create(empty.path(), SystemVersion::V7_0, false, kToday);
        QCOMPARE(errorOf([&] {
                     createSession(empty.path())->login(QString(), QString(), QString(), 2);
                 }),
                 kErrNoClientUser);
    }

    void sharedUserIdHasTwoCalendars() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        auto nord = session->loginAs(QStringLiteral("bschmidt"))->calendarMessages();
        auto sued = session->loginAs(QStringLiteral("bschmidt"), QStringLiteral(" /ipa-10.1.1.6"))
                        ->calendarMessages();
        const QString all = QStringLiteral("(START_DATE >= 1900/1/1 AT 00:00:00)");
        QCOMPARE(subjects(*nord->find(all)), QStringList{QStringLiteral("Heiligabend")});
        QCOMPARE(subjects(*sued->find(all)), QStringList{QStringLiteral("Urlaub")});
        auto sys = LocalSystem::open(dir.path());
        QCOMPARE(sys.entries(QStringLiteral("bschmidt"), QStringLiteral("PO-SUED")).size(), 1);
        QCOMPARE(sys.entries(QStringLiteral("bschmidt")).first().subject,
                 QStringLiteral("Heiligabend"));
    }

    void addressBook() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto account = createSession(dir.path())->login(QString(), QString(), QString(), 2);
        auto book = account->systemAddressBook();
        QVERIFY(!book->name().isEmpty());
        QCOMPARE(book->count(), 10);
        QList<int> kinds;
        QStringList users;
        for (int i = 1; i <= book->count(); ++i) {
            auto e = book->item(i);
            kinds << e->kind();
            QString user, domain, po;
            for (int f = 1; f <= e->fieldCount(); ++f) {
                if (e->fieldId(f) == 0x3A00001E && user.isEmpty())
                    user = e->fieldValue(f);
                if (e->fieldId(f) == 0x6610001E)
                    domain = e->fieldValue(f);
                if (e->fieldId(f) == 0x6615001E)
                    po = e->fieldValue(f);
            }
            users << user + QLatin1Char('@') + po;
            QCOMPARE(domain, QStringLiteral("QTXDOM"));
        }
        QCOMPARE(kinds, (QList<int>{1, 1, 1, 4, 1, 1, 3, 3, 2, 0}));
        QCOMPARE(users.first(), QStringLiteral("mmueller@PO-NORD"));
        QCOMPARE(users.count(QStringLiteral("bschmidt@PO-NORD")) +
                     users.count(QStringLiteral("bschmidt@PO-SUED")),
                 2);
        QCOMPARE(errorOf([&] { book->item(0); }), kErrNoItem);
        QCOMPARE(errorOf([&] { book->item(11); }), kErrNoItem);
        QCOMPARE(errorOf([&] { book->item(1)->fieldValue(99); }), kErrNoItem);
    }

    void yearFilterBoundaries() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        auto messages = session->loginAs(QStringLiteral("akeller"))->calendarMessages();
        const QString mv = QStringLiteral("Marvolingen");
        write(*messages, QDateTime(QDate(2010, 12, 31), QTime(23, 59, 58)), u"before"_s, mv);
        write(*messages, QDateTime(QDate(2010, 12, 31), QTime(23, 59, 59)), u"edge"_s, mv);
        write(*messages, QDateTime(QDate(2011, 6, 1), QTime(12, 0)), u"foreign case"_s,
              QStringLiteral("marvolingen"));
        write(*messages, QDateTime(QDate(2011, 6, 1), QTime(12, 0)), u"foreign blank"_s,
              QStringLiteral("Marvolingen "));
        write(*messages, QDateTime(QDate(2011, 12, 31), QTime(23, 59, 59)), u"last"_s, mv);
        write(*messages, QDateTime(QDate(2011, 3, 1), QTime(7, 0)), u"note"_s, mv, kNote);
        write(*messages, QDateTime(QDate(2012, 1, 1), QTime(0, 0)), u"after"_s, mv);
        QCOMPARE(subjects(*messages->find(yearFilter(2011))),
                 (QStringList{u"edge"_s, u"note"_s, u"last"_s}));
        // the foreign "Neujahr" of 2011 in this calendar stays out of reach
        QCOMPARE(messages->find(dayFilter(QDate(2011, 1, 1), QStringLiteral("Neujahr")))->count(),
                 0);
    }

    void matchesIsExactAndCaseSensitive() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        auto messages = session->loginAs(QStringLiteral("cweber"))->calendarMessages();
        const QDate day(2011, 1, 1);
        const QString mv = QStringLiteral("Marvolingen");
        const QStringList stored{u"Neujahr"_s,       u"neujahr"_s,
                                 u"Neujahr 2"_s,     u" Neujahr"_s,
                                 u"Sag \"Hallo\""_s, u"Neujahr\") OR (FROM Matches \"x"_s};
        for (const auto& s : stored)
            write(*messages, QDateTime(day, QTime(10, 0)), s, mv);
        for (const auto& s : stored)
            QCOMPARE(subjects(*messages->find(dayFilter(day, s))), QStringList{s});
        QCOMPARE(messages->find(dayFilter(day, QStringLiteral("Neu")))->count(), 0);
        QCOMPARE(messages->find(dayFilter(day.addDays(1), QStringLiteral("Neujahr")))->count(), 0);
    }

    // A day filter with a double quote of the subject pasted in unescaped: it must not
    // reach further than the subject, so Find refuses it.
    void injectionMatchesNothing() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        auto messages = session->loginAs(QStringLiteral("akeller"))->calendarMessages();
        const QString raw = QStringLiteral("Neujahr\") OR (FROM Matches \"Claudia Weber");
        const QString bad =
            QStringLiteral("(START_DATE >= 2011/1/1 AT 00:00:00) AND (START_DATE < 2011/1/1 AT "
                           "23:59:59) AND (SUBJECT Matches \"%1\") AND (FROM Matches "
                           "\"Marvolingen\")")
                .arg(raw);
        QCOMPARE(errorOf([&] { messages->find(bad); }), kErrBadFilter);
        QCOMPARE(LocalSystem::open(dir.path()).entries(QStringLiteral("akeller")).size(), 3);
    }

    void resultKeepsPlacesAfterDeletion() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        auto messages = session->loginAs(QStringLiteral("raum1"))->calendarMessages();
        const QString mv = QStringLiteral("Marvolingen");
        // start order first, insertion order among equal starts
        write(*messages, QDateTime(QDate(2011, 5, 1), QTime(9, 0)), u"B1"_s, mv);
        write(*messages, QDateTime(QDate(2011, 4, 1), QTime(9, 0)), u"A"_s, mv);
        write(*messages, QDateTime(QDate(2011, 5, 1), QTime(9, 0)), u"B2"_s, mv);
        write(*messages, QDateTime(QDate(2011, 5, 1), QTime(9, 0)), u"B3"_s, mv);
        auto list = messages->find(yearFilter(2011));
        QCOMPARE(subjects(*list), (QStringList{u"A"_s, u"B1"_s, u"B2"_s, u"B3"_s}));
        list->item(1)->remove();
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(2)->subject(), QStringLiteral("B1"));
        list->item(2)->remove();
        // a deleted entry still tells its subject but is not there to delete again
        QCOMPARE(list->item(1)->subject(), QStringLiteral("A"));
        QCOMPARE(errorOf([&] { list->item(1)->remove(); }), kErrEntryGone);
        QCOMPARE(errorOf([&] { list->item(1)->setSubject(QStringLiteral("x")); }), kErrEntryGone);
        QCOMPARE(errorOf([&] { list->item(5); }), kErrNoItem);
        QCOMPARE(errorOf([&] { list->item(0); }), kErrNoItem);
        QCOMPARE(subjects(*messages->find(yearFilter(2011))), (QStringList{u"B2"_s, u"B3"_s}));
    }

    void entriesPersistWithEveryAttribute() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        const QByteArray key = createKey(dir.path());
        {
            auto session = trustedSession(dir.path(), key);
            session->setSwitch(true);
            auto messages =
                session->loginAs(QStringLiteral("cweber"), QStringLiteral(" /ipa-10.1.1.6"))
                    ->calendarMessages();
            auto m = messages->add(QString::fromLatin1(kAppointment), 3);
            m->setAllDay(true);
            m->setStart(QDateTime(QDate(2011, 10, 3), QTime(0, 0)));
            m->setDuration(1439.0 / 1440);
            m->setSubject(QStringLiteral("Tag der Deutschen Einheit"));
            m->setPlace(QStringLiteral("Büro"));
            m->setFlag(true);
            m->setNumber(2);
            m->setFromText(QStringLiteral("Marvolingen"));
            m->save();
            auto n = messages->add(QString::fromLatin1(kNote), 3);
            n->setStart(QDateTime(QDate(2011, 12, 24), QTime(17, 30, 12)));
            n->setSubject(QStringLiteral("Heiligabend"));
            n->setFromText(QStringLiteral("Marvolingen"));
            n->save();
            // an entry never saved leaves nothing behind, whatever attributes it was given
            messages->add(QString::fromLatin1(kAppointment), 3);
            messages->add(QString::fromLatin1(kAppointment), 3)->setSubject(QStringLiteral("x"));
            QCOMPARE(errorOf([&] { messages->add(QStringLiteral("GW.MESSAGE.MAIL"), 3); }),
                     kErrBadValue);
        }
        auto entries = LocalSystem::open(dir.path()).entries(QStringLiteral("cweber"), {}, 2011);
        QCOMPARE(entries.size(), 2);
        CalendarEntry a;
        a.messageClass = QString::fromLatin1(kAppointment);
        a.start = QDateTime(QDate(2011, 10, 3), QTime(0, 0));
        a.durationDays = 1439.0 / 1440;
        a.subject = QStringLiteral("Tag der Deutschen Einheit");
        a.place = QStringLiteral("Büro");
        a.from = QStringLiteral("Marvolingen");
        a.allDay = true;
        a.flag = true;
        a.number = 2;
        QCOMPARE(entries[0], a);
        QCOMPARE(entries[1].messageClass, QString::fromLatin1(kNote));
        QCOMPARE(entries[1].start, QDateTime(QDate(2011, 12, 24), QTime(0, 0)));
        // a new session finds them again
        auto found = trustedSession(dir.path(), key)
                         ->loginAs(QStringLiteral("cweber"))
                         ->calendarMessages()
                         ->find(yearFilter(2011));
        QCOMPARE(found->count(), 2);
    }

    void version65RefusesWholeDay() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V6_5, true, kToday);
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        QCOMPARE(session->majorVersion(), 6);
        QCOMPARE(session->minorVersion(), 5);
        auto messages = session->loginAs(QStringLiteral("akeller"))->calendarMessages();
        auto m = messages->add(QString::fromLatin1(kAppointment), 3);
        QCOMPARE(errorOf([&] { m->setAllDay(true); }), kErrNotSupported);
        m->setStart(QDateTime(QDate(2011, 1, 1), QTime(0, 0)));
        m->setSubject(QStringLiteral("Neujahr"));
        m->setFromText(QStringLiteral("Marvolingen"));
        m->save();
        QCOMPARE(messages->find(dayFilter(QDate(2011, 1, 1), QStringLiteral("Neujahr")))->count(),
                 1);
    }

    // A second program holding the write lock makes a write wait, not fail.
    void writerWaitsForOtherConnection() {
        QTemporaryDir dir;
        LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        auto session = trustedSession(dir.path(), createKey(dir.path()));
        auto messages = session->loginAs(QStringLiteral("akeller"))->calendarMessages();
        const QString path = LocalSystem::databasePath(LocalSystem::domainPath(dir.path()));
        std::promise<bool> locked;
        auto lockedFuture = locked.get_future();
        std::thread other([&] {
            {
                auto db =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
                db.setDatabaseName(path);
                bool ok = db.open();
                QSqlQuery q(db);
                ok = ok && q.exec(QStringLiteral("BEGIN IMMEDIATE")) &&
                     q.exec(QStringLiteral("UPDATE meta SET value=value WHERE key='domain'"));
                locked.set_value(ok);
                std::this_thread::sleep_for(std::chrono::milliseconds(800));
                q.exec(QStringLiteral("COMMIT"));
                q.finish();
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        });
        QVERIFY(lockedFuture.get());
        QElapsedTimer timer;
        timer.start();
        const int error = errorOf([&] {
            write(*messages, QDateTime(QDate(2011, 1, 1), QTime(8, 0)), u"waited"_s,
                  QStringLiteral("Marvolingen"));
        });
        const qint64 waited = timer.elapsed();
        other.join();
        QCOMPARE(error, 0);
        QVERIFY2(waited >= 500, qPrintable(QString::number(waited)));
        QCOMPARE(messages->find(QStringLiteral("(SUBJECT Matches \"waited\")"))->count(), 1);
    }

    // The database is opened by URI: a folder name with blanks, umlauts, "?" and "#" must not
    // change the file that is opened.
    void folderWithSpecialCharacters() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Pro gramm äö #1?mode=rwc"));
        QCOMPARE(errorOf([&] { createSession(folder); }), kErrNotInstalled);
        QVERIFY(!QFileInfo::exists(folder));
        LocalSystem::create(folder, SystemVersion::V7_0, true, kToday);
        QVERIFY(QFile::exists(LocalSystem::databasePath(LocalSystem::domainPath(folder))));
        QCOMPARE(createSession(folder)->login(QString(), QString(), QString(), 2)->tcpipPort(),
                 QStringLiteral("1677"));
        QByteArray key;
        QCOMPARE(CreateTrustedAppObject(LocalSystem::domainPath(folder), kApp, QString(), QString(),
                                        0, 0, 0, 0, 0, key),
                 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(folder).fileName()});
    }

    void demoContent() {
        QTemporaryDir dir;
        auto sys = LocalSystem::create(dir.path(), SystemVersion::V7_0, true, kToday);
        QCOMPARE(sys.clientUser(), QStringLiteral("mmueller"));
        const auto offices = sys.postOffices();
        QCOMPARE(offices.size(), 2);
        QVERIFY(offices[0].tcpipAddress != offices[1].tcpipAddress);
        QVERIFY(offices[0].tcpipPort != offices[1].tcpipPort);
        const auto neujahr = sys.entries(QStringLiteral("akeller"), {}, 2011).first();
        QCOMPARE(neujahr.subject, QStringLiteral("Neujahr"));
        QCOMPARE(neujahr.start, QDateTime(QDate(2011, 1, 1), QTime(0, 0)));
        QVERIFY(neujahr.from != QLatin1String("Marvolingen"));
        int thisYear = 0;
        for (const auto& user : {"akeller", "mmueller", "cweber", "raum1"})
            thisYear += int(sys.entries(QString::fromLatin1(user), {}, kToday.year()).size());
        QVERIFY(thisYear >= 4);
    }
};

QTEST_GUILESS_MAIN(TestGwLocal)
#include "tst_gw_local.moc"
