#include "app/frmdef.h"
#include "app/programicon.h"
#include "ui/commandline.h"
#include "ui/environment.h"
#include "ui/messagebox.h"
#include "ui/messages.h"
#include "ui/programfolder.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mv::kAppTitle));
    QApplication::setWindowIcon(mv::programWindowIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("marvolingen"));

    // The words after the program name, as one command-line text.
    const QString text = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
    const mv::CommandLineResult parsed = mv::ParseCommandLine(text);
    for (const QString& message : parsed.messages)
        mv::showMessageBox(nullptr, {message, QString::fromLatin1(mv::kAppTitle),
                                     QMessageBox::NoIcon, QMessageBox::Ok});

    const mv::ProgramFolder folder =
        mv::resolveProgramFolder(mv::ProgramFolderInput::fromProcess());
    // Without its folder the program could neither load nor keep anything.
    if (const mv::Result<void> prepared = mv::prepareProgramFolder(folder); !prepared) {
        mv::showMessageBox(
            nullptr, {QStringLiteral("Der Programmordner %1 kann nicht angelegt werden: %2")
                          .arg(folder.path, prepared.error()),
                      QString::fromLatin1(mv::kAppTitle), QMessageBox::Critical, QMessageBox::Ok});
        return 1;
    }

    mv::Environment env;
    env.programFolder = folder.path;
    env.systemCountryCode = mv::Environment::systemCountryCodeFromLocale();

    mv::frmDef window(env);
    window.setDebugMode(parsed.debugMode);
    window.show();
    return app.exec();
}
