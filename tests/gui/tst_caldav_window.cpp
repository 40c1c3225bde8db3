// The CalDAV side of the window: the server frame of frmEinstellungen and the calendar
// actions of frmDef against a Radicale the test starts.
#include "caldav/caldavsettings.h"
#include "settings/profilefile.h"
#include "support/radicaleserver.h"
#include "ui/frmeinstellungen.h"
#include "ui/messages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace mv;
using namespace mv::caldav;

namespace {

template <typename T> T* child(QWidget& parent, const char* name) {
    T* w = parent.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("control %s is missing", name);
    return w;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstCalDavWindow : public QObject {
    Q_OBJECT

private slots:
    void dialogStoresServer() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Feiertage.ini"));
        ProfileFile settings(path);
        QString address, port;
        MessageTable messages;
        messages.fill(QStringLiteral("Deutsch"));
        QList<MessageRequest> shown;
        auto boxes = [&shown](const MessageRequest& r) {
            shown.append(r);
            return int(QMessageBox::Ok);
        };

        {
            frmEinstellungen dlg(nullptr, settings, address, port, messages);
            dlg.setMessageBox(boxes);
            dlg.show();
            // A file without the section: GroupWise, the CalDAV fields locked.
            QVERIFY(child<QRadioButton>(dlg, "optServerart_0")->isChecked());
            QVERIFY(!child<QLineEdit>(dlg, "txtCalDavUrl")->isEnabled());
            child<QRadioButton>(dlg, "optServerart_1")->setChecked(true);
            QVERIFY(child<QLineEdit>(dlg, "txtCalDavUrl")->isEnabled());
            child<QLineEdit>(dlg, "txtCalDavUrl")
                ->setText(QStringLiteral("http://cal.example.org/"));
            child<QLineEdit>(dlg, "txtCalDavBenutzer")->setText(QStringLiteral("service"));
            child<QLineEdit>(dlg, "txtCalDavPasswort")->setText(QStringLiteral("geheim"));
            child<QPushButton>(dlg, "cmdOK")->click();
            // Plain http to another machine: refused, the dialog stays, nothing written.
            QCOMPARE(shown.size(), 1);
            QVERIFY(dlg.isVisible());
            QVERIFY(!QFile::exists(path));

            child<QLineEdit>(dlg, "txtCalDavUrl")
                ->setText(QStringLiteral(" https://cal.example.org/dav/ "));
            child<QPushButton>(dlg, "cmdOK")->click();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        CalDavSettings stored = LoadCalDavSettings(settings);
        QCOMPARE(stored.kind, ServerKind::CalDAV);
        QCOMPARE(stored.url, QStringLiteral("https://cal.example.org/dav/"));
        QCOMPARE(stored.user, QStringLiteral("service"));
        QCOMPARE(stored.password, QStringLiteral("geheim"));
        QVERIFY(!readAll(path).contains("geheim"));

        // Cancel after changes leaves the file as it was.
        const QByteArray before = readAll(path);
        {
            frmEinstellungen dlg(nullptr, settings, address, port, messages);
            dlg.setMessageBox(boxes);
            dlg.show();
            QVERIFY(child<QRadioButton>(dlg, "optServerart_1")->isChecked());
            QCOMPARE(child<QLineEdit>(dlg, "txtCalDavPasswort")->text(), QStringLiteral("geheim"));
            child<QRadioButton>(dlg, "optServerart_0")->setChecked(true);
            child<QLineEdit>(dlg, "txtCalDavBenutzer")->setText(QStringLiteral("other"));
            child<QPushButton>(dlg, "cmdAbbrechen")->click();
        }
        QCOMPARE(readAll(path), before);

        // Back to GroupWise: the connection stays stored for later.
        {
            frmEinstellungen dlg(nullptr, settings, address, port, messages);
            dlg.setMessageBox(boxes);
            dlg.show();
            child<QRadioButton>(dlg, "optServerart_0")->setChecked(true);
            child<QPushButton>(dlg, "cmdOK")->click();
        }
        stored = LoadCalDavSettings(settings);
        QCOMPARE(stored.kind, ServerKind::GroupWise);
        QCOMPARE(stored.url, QStringLiteral("https://cal.example.org/dav/"));
    }
};

QTEST_MAIN(TstCalDavWindow)
#include "tst_caldav_window.moc"
