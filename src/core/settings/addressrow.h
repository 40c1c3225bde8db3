#pragma once

#include <QList>
#include <QString>

namespace mv {

// One selected user or resource: user ID, kind ("User"/"Resource"), domain, post office.
struct AddressRow {
    QString userId;
    QString kind;
    QString domain;
    QString postOffice;
    friend bool operator==(const AddressRow&, const AddressRow&) = default;
};

using AddressList = QList<AddressRow>;

} // namespace mv
