#include "ui/environment.h"

#include <QDir>
#include <QLocale>

namespace mv {

QString Environment::folderWithSeparator() const {
    QString folder = programFolder.trimmed();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString Environment::systemCountryCodeFromLocale() {
    switch (QLocale::system().territory()) {
    case QLocale::Germany:
        return QStringLiteral("49");
    case QLocale::UnitedStates:
    case QLocale::Canada:
        return QStringLiteral("1");
    case QLocale::Austria:
        return QStringLiteral("43");
    case QLocale::Switzerland:
        return QStringLiteral("41");
    case QLocale::UnitedKingdom:
        return QStringLiteral("44");
    case QLocale::France:
        return QStringLiteral("33");
    case QLocale::Netherlands:
        return QStringLiteral("31");
    case QLocale::Italy:
        return QStringLiteral("39");
    case QLocale::Spain:
        return QStringLiteral("34");
    case QLocale::Luxembourg:
        return QStringLiteral("352");
    case QLocale::Belgium:
        return QStringLiteral("32");
    default:
        return {};
    }
}

} // namespace mv
