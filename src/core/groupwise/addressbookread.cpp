#include "groupwise/addressbookread.h"

#include "groupwise/localerrors.h"

namespace mv {

namespace {

// The runtime's Trim: blanks only.
QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

std::optional<QString> fieldValue(gw::AddressBookEntry& entry, quint32 id) {
    const int n = entry.fieldCount();
    for (int i = 1; i <= n; ++i) {
        if (entry.fieldId(i) == id)
            return trimBlanks(entry.fieldValue(i));
    }
    return std::nullopt;
}

} // namespace

const QStringList& entryTypeNames() {
    static const QStringList names{QStringLiteral("Unknown"), QStringLiteral("User"),
                                   QStringLiteral("Company"), QStringLiteral("Resource"),
                                   QStringLiteral("Group")};
    return names;
}

QString addressBookLoginOptions(const QString& address, const QString& port) {
    QString options;
    if (!address.isEmpty())
        options = QStringLiteral(" /IPA ") + address;
    if (!port.isEmpty())
        options += QStringLiteral(" /IPP ") + port;
    return options;
}

AddressBookReadResult ReadSystemAddressBook(const AddressBookReadInput& input) {
    AddressBookReadResult result;
    const QString title = QString::fromLatin1(kAppTitle);
    try {
        result.session = openSession(input.createSession, input.programFolder);
        result.version = QStringLiteral(" ") + QString::number(result.session->majorVersion()) +
                         QStringLiteral(".") + QString::number(result.session->minorVersion());
        result.account = result.session->login(
            QString(), addressBookLoginOptions(input.postOfficeAddress, input.postOfficePort),
            QString(), 2);
        result.pathToHost = result.account->pathToHost();
        result.tcpipAddress = result.account->tcpipAddress();
        result.tcpipPort = result.account->tcpipPort();
    } catch (const gw::Error& e) {
        if (e.number() == gw::kErrNotInstalled && !result.session) {
            result.status = AddressBookReadResult::Status::NoGroupWise;
            result.notice = noGroupWiseNotice(input.messages, e.cause());
            return result;
        }
        result.status = AddressBookReadResult::Status::Failed;
        result.notice =
            Notice{QStringLiteral("Error: ") + QString::number(e.number()) + QStringLiteral(": ") +
                       e.description() + QStringLiteral("; ") + e.source(),
                   title, Notice::Icon::Critical};
        return result;
    }

    try {
        auto book = result.account->systemAddressBook();
        if (input.debugMessage)
            input.debugMessage(QStringLiteral("Adressbuch: ") + book->name());
        const int count = book->count();
        if (input.debugMessage)
            input.debugMessage(QStringLiteral("Anzahl Einträge: ") + QString::number(count));
        for (int i = 1; i <= count; ++i) {
            auto entry = book->item(i);
            const int kind = entry->kind();
            if (kind != 1 && kind != 3)
                continue;
            const auto userId = fieldValue(*entry, kFieldUserId);
            if (!userId)
                throw gw::Error(gw::kErrNoItem, QStringLiteral("No field with this ID"));
            result.entries.append(AddressRow{*userId, input.typeNames.value(kind), {}, {}});
            AddressRow& row = result.entries.last();
            row.domain = fieldValue(*entry, kFieldDomain).value_or(QString());
            row.postOffice = fieldValue(*entry, kFieldPostOffice).value_or(QString());
        }
    } catch (const gw::Error& e) {
        result.status = AddressBookReadResult::Status::FillFailed;
        result.notice = Notice{input.messages[Msg::SelectEntryFirst] + QStringLiteral(", ") +
                                   QString::number(e.number()),
                               title, Notice::Icon::Information};
    }
    return result;
}

} // namespace mv
