#include "windowfixture.h"

#include <QTest>

namespace mvtest {

mv::Environment Program::environment() const {
    mv::Environment env;
    env.programFolder = dir.path();
    env.systemCountryCode = countryCode;
    env.now = [] { return QDateTime(QDate(2011, 6, 15), QTime(10, 0)); };
    return env;
}

mv::frmDef& Program::load() {
    window.reset();
    window = std::make_unique<mv::frmDef>(environment(), boxes.function());
    window->setExitProgram([this](int code) { exits.append(code); });
    return *window;
}

mv::frmDef& Program::start() {
    load();
    window->show();
    QApplication::setActiveWindow(window.get());
    (void)QTest::qWaitForWindowActive(window.get());
    settle();
    return *window;
}

void Program::settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void focus(QWidget* w) {
    w->setFocus(Qt::MouseFocusReason);
    Program::settle();
}

} // namespace mvtest
