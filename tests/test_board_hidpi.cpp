// On a screen at twice the density the board is drawn at full resolution, its grid edges stay sharp
// and clicks still address cells in logical pixels.
#include "InBrowser.h"
#include "ui/TForm1.h"

#include <QApplication>
#include <QTest>

namespace {

enum { Scale = 2, GridPenWidth = 3 };

// Darkness of each device pixel along a line across the board picture: 0 white, 255 black.
QList<int> Profile(const QImage &image, QPoint from, QPoint step, int count)
{
    QList<int> darkness;
    for (int i = 0; i < count; ++i)
        darkness.append(255 - qGray(image.pixel(from + step * i)));
    return darkness;
}

// A grid line drawn across logical coordinate `at` covers device pixels from Scale * at and is
// GridPenWidth logical pixels wide; the canvas puts pen centres on pixel centres, hence the half.
void CheckSharpEdge(const QList<int> &darkness, int first, int at)
{
    const double expectedCentre = double(Scale) * (at + 0.5) - 0.5;
    double weight = 0, moment = 0;
    int partial = 0, black = 0;
    for (int i = 0; i < darkness.size(); ++i) {
        weight += darkness[i];
        moment += darkness[i] * double(first + i);
        if (darkness[i] == 255)
            ++black;
        else if (darkness[i] != 0)
            ++partial;
    }
    QVERIFY(weight > 0);
    // At most one blended pixel on each side; everything else pure white or pure black.
    QVERIFY2(partial <= 2, qPrintable(QStringLiteral("blurred edge: %1 grey pixels").arg(partial)));
    QVERIFY2(black >= Scale * GridPenWidth - 2, qPrintable(QStringLiteral("only %1 black pixels").arg(black)));
    QVERIFY2(qAbs(moment / weight - expectedCentre) <= 1.0,
             qPrintable(QStringLiteral("line centred at %1, expected %2").arg(moment / weight).arg(expectedCentre)));
    // The ends of the window are plain board.
    QCOMPARE(darkness.first(), 0);
    QCOMPARE(darkness.last(), 0);
}

} // namespace

class TestBoardHidpi : public QObject {
    Q_OBJECT

private slots:
    void boardIsDrawnAtScreenDensity()
    {
        SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.devicePixelRatio(), qreal(Scale));

        const QImage &image = window.Image1->image();
        QCOMPARE(image.devicePixelRatio(), qreal(Scale));
        QCOMPARE(image.size(), QSize(303 * Scale, 306 * Scale));

        // What the widget shows is the image pixel for pixel, not a rescaled copy.
        const QImage shown = window.Image1->grab().toImage();
        QCOMPARE(shown.devicePixelRatio(), qreal(Scale));
        QCOMPARE(shown.size(), image.size());
        // Outside the drawn board the image is transparent and the window shows through.
        int compared = 0;
        for (int y = 0; y < shown.height(); y += 7)
            for (int x = 0; x < shown.width(); x += 5)
                if (qAlpha(image.pixel(x, y)) == 255) {
                    QCOMPARE(shown.pixel(x, y) & 0xFFFFFFu, image.pixel(x, y) & 0xFFFFFFu);
                    ++compared;
                }
        QVERIFY(compared > shown.width() * shown.height() / 40);
    }

    void gridEdgesAreSharp_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("at");
        QTest::newRow("row line at 100") << true << 100;
        QTest::newRow("row line at 200") << true << 200;
        QTest::newRow("column line at 100") << false << 100;
        QTest::newRow("column line at 200") << false << 200;
    }

    void gridEdgesAreSharp()
    {
        SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
        QFETCH(bool, horizontal);
        QFETCH(int, at);
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shown = window.Image1->grab().toImage();

        // Cross the line in the middle of a cell, from 10 device pixels before it to 10 after.
        const int first = Scale * at - 10;
        const int across = Scale * 50;
        const QPoint from = horizontal ? QPoint(across, first) : QPoint(first, across);
        const QPoint step = horizontal ? QPoint(0, 1) : QPoint(1, 0);
        CheckSharpEdge(Profile(shown, from, step, 2 * 10 + Scale * GridPenWidth), first, at);
    }

    void clicksStayInLogicalPixels()
    {
        SKIP_IF_SHOWN_WINDOW_IN_BROWSER();
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.Image1, Qt::LeftButton, {}, QPoint(250, 150));
        QCOMPARE(window.state().cells[CellIndex(2, 1)], std::int32_t(CellCross));
    }
};

int main(int argc, char *argv[])
{
    // The density must be known before the application starts.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(Scale));
    QApplication application(argc, argv);
    TestBoardHidpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_board_hidpi.moc"
