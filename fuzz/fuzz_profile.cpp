// Feeds arbitrary bytes as Feiertage.ini: reads keys and sections, runs the settings
// load, and checks that a written key and a replaced section read back as written.
#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QChar kNul(0);

const QString& iniPath() {
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("Feiertage.ini"));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString& path = iniPath();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    mv::ProfileFile file(path);
    for (int n : {-1, 0, 1, 2, 5, 13, 300}) {
        const QString v = file.readKey(QStringLiteral("Feiertage"), QStringLiteral("Jahr"),
                                       QStringLiteral("default"), n);
        if (v.size() > qMax(0, n - 1))
            std::abort();
        file.readKey(QStringLiteral("GroupWise"), QStringLiteral("Schlüssel"),
                     QStringLiteral("12345"), n);
    }
    // A section is read whole: no empty line, every line ended by NUL.
    for (const QString& section : {QStringLiteral("Weitere Tage"), QStringLiteral("User")}) {
        const QString block = file.readSection(section);
        if (!block.isEmpty() &&
            (!block.endsWith(kNul) || block.startsWith(kNul) || block.contains(QString(2, kNul))))
            std::abort();
    }
    mv::LoadSettings(file, QDate(2011, 6, 1), QStringLiteral("49"));

    // Writes keep everything readable: what was written is what is read.
    if (file.writeKey(QStringLiteral("Feiertage"), QStringLiteral("Jahr"),
                      QStringLiteral("2011")) != 1 ||
        file.readKey(QStringLiteral("Feiertage"), QStringLiteral("Jahr"), QString(), 5) !=
            QStringLiteral("2011"))
        std::abort();
    const QString block =
        QStringLiteral("u1\aUser\aDOM\aPO") + kNul + QStringLiteral("u2\aResource") + kNul + kNul;
    if (file.replaceSection(QStringLiteral("User"), block) != 1 ||
        file.readSection(QStringLiteral("User")) != block.chopped(1))
        std::abort();
    if (file.readKey(QStringLiteral("Feiertage"), QStringLiteral("Jahr"), QString(), 5) !=
        QStringLiteral("2011"))
        std::abort();
    return 0;
}
