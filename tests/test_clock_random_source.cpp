// The program's dice are fair: every face of Random(n) comes up about equally often.
#include "ui/platform/ClockRandomSource.h"

#include <QTest>

#include <vector>

class TestClockRandomSource : public QObject {
    Q_OBJECT

private slots:
    void facesComeUpEvenly_data()
    {
        QTest::addColumn<int>("faces");
        for (int faces : {2, 3, 4, 9})
            QTest::newRow(QByteArray::number(faces).constData()) << faces;
    }

    void facesComeUpEvenly()
    {
        QFETCH(int, faces);
        constexpr int PerFace = 10000;
        ClockRandomSource dice;
        std::vector<int> counts(faces);
        for (int draw = 0; draw < faces * PerFace; ++draw) {
            if (draw % 1000 == 0)
                dice.Randomize();  // as the opponent does at every turn
            const int face = dice.Random(faces);
            QVERIFY2(face >= 0 && face < faces, qPrintable(QString::number(face)));
            ++counts[face];
        }
        // ±10 % is more than ten standard deviations: a fair die never misses it, a skewed one does.
        for (int face = 0; face < faces; ++face)
            QVERIFY2(counts[face] > PerFace * 9 / 10 && counts[face] < PerFace * 11 / 10,
                     qPrintable(QStringLiteral("face %1 came up %2 times").arg(face).arg(counts[face])));
    }
};

QTEST_GUILESS_MAIN(TestClockRandomSource)
#include "test_clock_random_source.moc"
