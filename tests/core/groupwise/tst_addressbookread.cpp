// Reading the system address book of a local GroupWise system.
#include "runrecorder.h"

#include "groupwise/addressbookread.h"
#include "groupwise/local.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace Qt::StringLiterals;
using gw::AddressField;
using gw::LocalSystem;

class TestAddressBookRead : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    LocalSystem makeSystem(gw::SystemVersion version = gw::SystemVersion::V7_0) {
        LocalSystem sys = LocalSystem::create(dir_->path(), version, false, QDate(2011, 1, 1),
                                              QStringLiteral("Dom1"));
        sys.addPostOffice({u"PO1"_s, u"10.1.1.5"_s, u"1677"_s, u"/srv/po1"_s});
        sys.addPostOffice({u"PO2"_s, u"10.1.1.6"_s, u"1678"_s, u"/srv/po2"_s});
        sys.setClientUser(u"anna"_s);
        return sys;
    }
    AddressBookReadInput input(const QString& language = QStringLiteral("Deutsch")) {
        AddressBookReadInput in;
        in.programFolder = dir_->path();
        in.messages = table(language);
        return in;
    }
    static QList<AddressField> fields(const QString& id, const QString& domain, const QString& po) {
        return {{gw::kFieldDisplayName, QStringLiteral("Name")},
                {gw::kFieldPostOffice, po},
                {gw::kFieldUserId, id},
                {gw::kFieldDomain, domain}};
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void listsUsersAndResources() {
        LocalSystem sys = makeSystem();
        sys.addMember(gw::kKindUser, u"anna"_s, u"PO1"_s);
        sys.addAddressEntry(gw::kKindGroup, fields(u"team"_s, u"Dom1"_s, u"PO1"_s));
        sys.addAddressEntry(gw::kKindResource, fields(u"  raum 1  "_s, u" Dom1"_s, u"PO2 "_s));
        sys.addAddressEntry(gw::kKindCompany, fields(u"firma"_s, u"Dom1"_s, u"PO1"_s));
        sys.addAddressEntry(gw::kKindUnknown, fields(u"wer"_s, u"Dom1"_s, u"PO1"_s));
        sys.addMember(gw::kKindUser, u"anna"_s, u"PO2"_s);
        // Without domain and post office the cells stay empty.
        sys.addAddressEntry(gw::kKindUser, {{gw::kFieldUserId, QStringLiteral("solo")}});

        QStringList debug;
        AddressBookReadInput in = input();
        in.debugMessage = [&debug](const QString& text) { debug << text; };
        const AddressBookReadResult r = ReadSystemAddressBook(in);
        QCOMPARE(r.status, AddressBookReadResult::Status::Ok);
        QVERIFY(!r.notice);
        QCOMPARE(r.version, QStringLiteral(" 7.0"));
        QCOMPARE(r.pathToHost, QStringLiteral("/srv/po1"));
        QCOMPARE(r.tcpipAddress, QStringLiteral("10.1.1.5"));
        QCOMPARE(r.tcpipPort, QStringLiteral("1677"));
        QVERIFY(r.account);
        QCOMPARE(r.entries, (AddressList{{u"anna"_s, u"User"_s, u"Dom1"_s, u"PO1"_s},
                                         {u"raum 1"_s, u"Resource"_s, u"Dom1"_s, u"PO2"_s},
                                         {u"anna"_s, u"User"_s, u"Dom1"_s, u"PO2"_s},
                                         {u"solo"_s, u"User"_s, u""_s, u""_s}}));
        const QString bookName = r.account->systemAddressBook()->name();
        QVERIFY(!bookName.isEmpty());
        QCOMPARE(debug, (QStringList{u"Adressbuch: "_s + bookName, u"Anzahl Einträge: 7"_s}));

        // Without debug mode nothing is reported; the kind names are the caller's.
        in.debugMessage = nullptr;
        in.typeNames = QStringList{u"0"_s, u"Benutzer"_s, u"2"_s, u"Ressource"_s, u"4"_s};
        const AddressBookReadResult named = ReadSystemAddressBook(in);
        QCOMPARE(named.entries.value(1).kind, QStringLiteral("Ressource"));
    }

    void sixFive() {
        makeSystem(gw::SystemVersion::V6_5);
        QCOMPARE(ReadSystemAddressBook(input()).version, QStringLiteral(" 6.5"));
    }

    void loginOptions_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("options");
        QTest::newRow("none") << ""
                              << ""
                              << "";
        QTest::newRow("both") << "10.1.1.6"
                              << "1678"
                              << " /IPA 10.1.1.6 /IPP 1678";
        QTest::newRow("port only") << ""
                                   << "1678"
                                   << " /IPP 1678";
        QTest::newRow("address only") << "10.1.1.6"
                                      << ""
                                      << " /IPA 10.1.1.6";
    }
    void loginOptions() {
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, options);
        QCOMPARE(addressBookLoginOptions(address, port), options);
    }

    // The options choose the post office whose connection the labels show.
    void loginAtThePostOfficeOfTheSettings() {
        LocalSystem sys = makeSystem();
        sys.addMember(gw::kKindUser, u"anna"_s, u"PO1"_s);
        sys.addMember(gw::kKindUser, u"anna"_s, u"PO2"_s);
        AddressBookReadInput in = input();
        in.postOfficePort = QStringLiteral("1678");
        const AddressBookReadResult r = ReadSystemAddressBook(in);
        QCOMPARE(r.status, AddressBookReadResult::Status::Ok);
        QCOMPARE(r.pathToHost, QStringLiteral("/srv/po2"));
        QCOMPARE(r.tcpipPort, QStringLiteral("1678"));
    }

    void failures() {
        // No system: 429, told apart.
        AddressBookReadResult r = ReadSystemAddressBook(input(QStringLiteral("English")));
        QCOMPARE(r.status, AddressBookReadResult::Status::NoGroupWise);
        QCOMPARE(r.notice->text,
                 QStringLiteral("Groupwise is not or not correct installed. Program is exiting."));
        QCOMPARE(r.notice->icon, Notice::Icon::Critical);
        QVERIFY(!r.version);

        // A refused login: the version label is written, the others are not.
        LocalSystem sys = makeSystem();
        sys.addMember(gw::kKindUser, u"anna"_s, u"PO1"_s);
        AddressBookReadInput in = input();
        in.postOfficeAddress = QStringLiteral("10.9.9.9");
        r = ReadSystemAddressBook(in);
        QCOMPARE(r.status, AddressBookReadResult::Status::Failed);
        QCOMPARE(r.version, QStringLiteral(" 7.0"));
        QVERIFY(!r.pathToHost && !r.tcpipAddress && !r.tcpipPort);
        QVERIFY(r.entries.isEmpty());
        QVERIFY(r.notice->text.startsWith(QStringLiteral("Error: ") +
                                          QString::number(gw::kErrPostOffice) +
                                          QStringLiteral(": No post office")));
        QVERIFY(r.notice->text.endsWith(QStringLiteral("; GroupWise")));
        QCOMPARE(r.notice->icon, Notice::Icon::Critical);
        QCOMPARE(r.notice->title, QStringLiteral("Marvolingen"));

        // An entry without a user ID ends the list; the rows before it stay.
        sys.addAddressEntry(gw::kKindResource, {{gw::kFieldDomain, QStringLiteral("Dom1")}});
        sys.addMember(gw::kKindUser, u"bert"_s, u"PO1"_s);
        r = ReadSystemAddressBook(input());
        QCOMPARE(r.status, AddressBookReadResult::Status::FillFailed);
        QCOMPARE(r.entries, (AddressList{{u"anna"_s, u"User"_s, u"Dom1"_s, u"PO1"_s}}));
        QCOMPARE(r.notice->text, QStringLiteral("Erst einen Adressbucheintrag auswählen, ") +
                                     QString::number(gw::kErrNoItem));
        QCOMPARE(r.notice->icon, Notice::Icon::Information);
        QCOMPARE(r.pathToHost, QStringLiteral("/srv/po1"));
    }
};

QTEST_GUILESS_MAIN(TestAddressBookRead)
#include "tst_addressbookread.moc"
