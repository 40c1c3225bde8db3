#include "app/programicon.h"

#include <QImage>
#include <QTest>

class TestProgramIcon : public QObject {
    Q_OBJECT
private slots:
    // Each size the title bar or the task switcher may ask for is drawn, not blank.
    void renderedSizes_data() {
        QTest::addColumn<int>("size");
        for (const int size : {16, 48, 256})
            QTest::addRow("%d px", size) << size;
    }
    void renderedSizes() {
        QFETCH(int, size);
        const QIcon icon = mv::programWindowIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        // The red header sits in the upper quarter, the page is white below it.
        const QColor header = image.pixelColor(size / 2, size * 7 / 32);
        QVERIFY2(header.red() > 150 && header.green() < 90, qPrintable(header.name()));
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    }
};

QTEST_MAIN(TestProgramIcon)
#include "tst_programicon.moc"
