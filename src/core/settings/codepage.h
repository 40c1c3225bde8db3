#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace mv {

QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text); // unmappable characters become '?'

// The first character of text that Windows-1252 cannot hold (a surrogate pair as one
// character), or an empty text when every character can be stored.
QString firstUnstorable(const QString& text);

// A text field on its way into a file of the 8-bit code page, by the name the user
// knows it by.
struct StoredField {
    QString name;
    QString text;
};
struct Unstorable {
    QString field;     // the field's name
    QString character; // the first character the code page cannot hold
};
// The first field holding a character that Windows-1252 cannot hold.
std::optional<Unstorable> findUnstorable(const QList<StoredField>& fields);

} // namespace mv
