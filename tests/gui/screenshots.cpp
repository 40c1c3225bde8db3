// Renders every tab of the main window and each dialog in German and English to PNG files
// in the folder given as the only argument, so layouts can be checked by eye.
#include "app/frmdef.h"
#include "settings/codepage.h"
#include "settings/profilefile.h"
#include "ui/frmabout.h"
#include "ui/frmeinstellungen.h"
#include "ui/frmlanguage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

bool save(QWidget* w, const QString& path) {
    w->show();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    const bool ok = w->grab().save(path);
    QTextStream(stdout) << path << " " << w->width() << "x" << w->height() << (ok ? "" : " FAILED")
                        << Qt::endl;
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (QCoreApplication::arguments().size() != 2) {
        QTextStream(stderr) << "usage: marvolingen-screenshots OUTPUT-FOLDER" << Qt::endl;
        return 2;
    }
    const QString out = QCoreApplication::arguments().at(1);
    QDir().mkpath(out);
    bool ok = true;

    struct Run {
        QString language, country, suffix;
    };
    for (const Run& run :
         {Run{u"Deutsch"_s, u"Deutschland"_s, u"de"_s}, Run{u"English"_s, u"USA"_s, u"en"_s}}) {
        QTemporaryDir dir;
        QFile ini(dir.path() + u"/Feiertage.ini"_s);
        if (!ini.open(QIODevice::WriteOnly))
            return 1;
        ini.write(mv::toCp1252(u"[Einstellungen]\r\nSprache="_s + run.language + u"\r\nLand="_s +
                               run.country +
                               u"\r\nStandard aktiv=1\r\nStandardtermin Zeit Von=08:00\r\n"_s
                               u"Standardtermin Zeit Bis=17:00\r\n"_s
                               u"[Weitere Tage]\r\n24.12.*\aHeiligabend\aNote\a\r\n"_s
                               u"31.12.*\aSilvester\a08:00 - 12:00\aBüro\r\n"_s
                               u"[User]\r\nanna\aUser\aDomain1\aPostOffice1\r\n"_s
                               u"raum1\aResource\aDomain1\aPostOffice1\r\n"_s));
        ini.close();

        mv::Environment env;
        env.programFolder = dir.path();
        env.systemCountryCode = u"49"_s;
        env.now = [] { return QDateTime(QDate(2011, 6, 15), QTime(10, 0)); };
        mv::frmDef window(env, [](const mv::MessageRequest&) { return int(QMessageBox::Ok); });
        window.show();
        auto* tabs = window.findChild<QTabWidget*>(u"Tab1"_s);
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            ok &= save(&window, u"%1/frmDef-tab%2-%3.png"_s.arg(out).arg(i).arg(run.suffix));
        }

        mv::frmlanguage language(&window, window.messages(), mv::languageFromStored(run.language),
                                 mv::Country::fromStored(run.country));
        ok &= save(&language, u"%1/frmlanguage-%2.png"_s.arg(out, run.suffix));
        language.hide();
        mv::ProfileFile profile(env.settingsPath());
        QString address = u"192.168.0.1"_s, port = u"1677"_s;
        mv::frmEinstellungen settings(&window, profile, address, port, window.messages(),
                                      mv::languageFromStored(run.language));
        ok &= save(&settings, u"%1/frmEinstellungen-%2.png"_s.arg(out, run.suffix));
        settings.hide();
        mv::frmAbout about(&window);
        ok &= save(&about, u"%1/frmAbout-%2.png"_s.arg(out, run.suffix));
        about.hide();
    }
    return ok ? 0 : 1;
}
