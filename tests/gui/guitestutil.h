#pragma once

#include "app/frmdef.h"
#include "settings/codepage.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace mvtest {

// Records every message box and answers it from a script (OK, or Yes for questions).
struct Boxes {
    QList<mv::MessageRequest> shown;
    QList<int> answers;

    mv::MessageBoxFunction function() {
        return [this](const mv::MessageRequest& r) {
            shown.append(r);
            if (!answers.isEmpty())
                return answers.takeFirst();
            return int(r.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
        };
    }
    mv::MessageRequest last() const {
        return shown.isEmpty() ? mv::MessageRequest{} : shown.last();
    }
};

// A program folder of its own, a fixed clock (15 June 2011) and a country code.
struct Program {
    QTemporaryDir dir;
    Boxes boxes;
    QString countryCode = QStringLiteral("49");
    std::unique_ptr<mv::frmDef> window;

    QString iniPath() const { return dir.path() + QStringLiteral("/Feiertage.ini"); }

    void writeIni(const QString& text) {
        QFile f(iniPath());
        if (f.open(QIODevice::WriteOnly))
            f.write(mv::toCp1252(text));
    }
    QString readIni() const {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? mv::fromCp1252(f.readAll()) : QString();
    }

    mv::Environment environment() const {
        mv::Environment env;
        env.programFolder = dir.path();
        env.systemCountryCode = countryCode;
        env.now = [] { return QDateTime(QDate(2011, 6, 15), QTime(10, 0)); };
        return env;
    }

    // Creates the window (Form_Load) without showing it.
    mv::frmDef& load() {
        window.reset();
        window = std::make_unique<mv::frmDef>(environment(), boxes.function());
        return *window;
    }

    // Creates, shows and activates the window.
    mv::frmDef& start() {
        load();
        window->show();
        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowActive(window.get());
        settle();
        return *window;
    }

    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    template <class T = QWidget> T* get(const QString& name) const {
        return window->findChild<T*>(name);
    }
};

// Gives a widget the focus as a mouse click would, and lets queued handlers run.
inline void focus(QWidget* w) {
    w->setFocus(Qt::MouseFocusReason);
    Program::settle();
}

// Runs action once a modal dialog is open; the action closes it.
template <class F> void whenDialogOpens(F action) {
    QTimer::singleShot(0, [action] {
        QWidget* w = QApplication::activeModalWidget();
        if (w)
            action(w);
    });
}

} // namespace mvtest
