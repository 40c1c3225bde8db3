#pragma once

#include "ui/messages.h"

#include <QByteArray>
#include <QString>

// Files and tables the tests set up and read back, without going through the program.
namespace mvtest {

QByteArray fileBytes(const QString& path);
// Fails the running test when the file cannot be written.
void writeFile(const QString& path, const QByteArray& bytes);

// A settings file's text in the program's 8-bit code page.
void writeIni(const QString& path, const QString& text);
QString readIni(const QString& path);
// The enciphered key as the runs read it ("12345" when none is stored).
QString storedKey(const QString& iniPath);

// A message table filled for a language.
mv::MessageTable messageTable(const QString& language);

} // namespace mvtest
