#include "app/frmdef.h"
#include "ui/commandline.h"
#include "ui/environment.h"
#include "ui/messagebox.h"
#include "ui/messages.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mv::kAppTitle));

    // The words after the program name, as one command-line text.
    const QString text = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    const mv::CommandLineResult parsed = mv::ParseCommandLine(text);
    for (const QString& message : parsed.messages)
        mv::showMessageBox(nullptr, {message, QString::fromLatin1(mv::kAppTitle),
                                     QMessageBox::NoIcon, QMessageBox::Ok});

    mv::Environment env;
    env.programFolder = QCoreApplication::applicationDirPath();
    env.systemCountryCode = mv::Environment::systemCountryCodeFromLocale();

    mv::frmDef window(env);
    window.setDebugMode(parsed.debugMode);
    window.show();
    return app.exec();
}
