#include "settingsfiles.h"

#include "settings/codepage.h"
#include "settings/gwsettings.h"
#include "settings/profilefile.h"

#include <QFile>
#include <QTest>

namespace mvtest {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

void writeIni(const QString& path, const QString& text) {
    writeFile(path, mv::toCp1252(text));
}

QString readIni(const QString& path) {
    return mv::fromCp1252(fileBytes(path));
}

QString storedKey(const QString& iniPath) {
    return mv::readStoredKey(mv::ProfileFile(iniPath));
}

mv::MessageTable messageTable(const QString& language) {
    mv::MessageTable t;
    if (const auto l = mv::languageFromText(language))
        t.fill(*l);
    return t;
}

} // namespace mvtest
