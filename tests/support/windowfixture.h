#pragma once

#include "app/frmdef.h"
#include "messagerecorder.h"
#include "settingsfiles.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace mvtest {

// The main window in a program folder of its own, with a fixed clock (15 June 2011), a
// country code, recorded message boxes and recorded ends of the program.
struct Program {
    QTemporaryDir dir;
    MessageRecorder boxes;
    QList<int> exits;
    QString countryCode = QStringLiteral("49");
    std::unique_ptr<mv::frmDef> window;

    QString iniPath() const { return dir.path() + QStringLiteral("/Feiertage.ini"); }
    void writeIni(const QString& text) const { mvtest::writeIni(iniPath(), text); }
    QString readIni() const { return mvtest::readIni(iniPath()); }

    mv::Environment environment() const;

    // Creates the window (Form_Load) without showing it.
    mv::frmDef& load();
    // Creates, shows and activates the window.
    mv::frmDef& start();

    // Lets queued handlers run.
    static void settle();

    template <class T = QWidget> T* get(const QString& name) const {
        return window->findChild<T*>(name);
    }
};

// Gives a widget the focus as a mouse click would, and lets queued handlers run.
void focus(QWidget* w);

// Runs action once a modal dialog is open; the action closes it.
template <class F> void whenDialogOpens(F action) {
    QTimer::singleShot(0, [action] {
        QWidget* w = QApplication::activeModalWidget();
        if (w)
            action(w);
    });
}

} // namespace mvtest
