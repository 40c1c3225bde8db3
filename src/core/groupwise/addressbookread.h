#pragma once

#include "groupwise/groupwise.h"
#include "groupwise/runs.h"
#include "groupwise/runsnotice.h"
#include "settings/addressrow.h"
#include "ui/messages.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace mv {

using gw::kFieldDomain;
using gw::kFieldPostOffice;
using gw::kFieldUserId;

// EntryTypeNames: the text of an address-book kind 0 to 4.
const QStringList& entryTypeNames();

struct AddressBookReadInput {
    QString programFolder;
    QString postOfficeAddress; // PostOfficeAddress
    QString postOfficePort;    // PostOfficePort
    MessageTable messages;
    QStringList typeNames = entryTypeNames();
    // Debug mode only: "Adressbuch: " + name, then "Anzahl Einträge: " + count (OK only).
    std::function<void(const QString&)> debugMessage;
    SessionFactory createSession;
};

struct AddressBookReadResult {
    enum class Status {
        Ok,
        NoGroupWise, // MsgNoGroupWise, end the program
        Failed,      // steps up to the login labels: notice "Error: n: desc; source"
        FillFailed,  // while listing: notice MsgSelectEntryFirst + ", " + n; rows so far kept
    };
    Status status = Status::Ok;
    // Label texts written so far (the labels keep them when a later step fails).
    std::optional<QString> version; // lblGWVersion: " 7.0"
    std::optional<QString> pathToHost, tcpipAddress, tcpipPort;
    AddressList entries; // lstAddressBookEntries
    std::optional<Notice> notice;
    // The window keeps the session and the account of the last login.
    std::unique_ptr<gw::Session> session;
    std::unique_ptr<gw::Account> account;
};

// The login command line of the read: " /IPA " + address, " /IPP " + port, each when set.
QString addressBookLoginOptions(const QString& address, const QString& port);

// cmdListAdressen: log in as the client's own user and list users and resources.
AddressBookReadResult ReadSystemAddressBook(const AddressBookReadInput& input);

} // namespace mv
