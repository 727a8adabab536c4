#pragma once

#include "game/RandomSource.h"

#include <QStringList>
#include <QTest>

#include <stdexcept>
#include <utility>
#include <vector>

// Dice that play back a script and log every call ("Randomize", "Random(3)=2"), so a test sees the
// order of reseeds and draws. A draw past the end of the script, or one that does not fit Random(n),
// is a test failure and ends the code under test with ScriptBroken: a draw-until-free loop that
// should not be drawing stops at once instead of spinning. Catch it around the call, or the test
// run ends there.
class ScriptedRandom : public RandomSource {
public:
    struct ScriptBroken : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    ScriptedRandom(std::vector<int> draws = {}) : draws_(std::move(draws)) {}

    void Randomize() override { log << QStringLiteral("Randomize"); }

    int Random(int n) override
    {
        if (next_ >= draws_.size())
            Fail(QStringLiteral("Random(%1) called after the script ran out; log so far: %2")
                     .arg(n)
                     .arg(log.join(QStringLiteral(", "))));
        const int draw = draws_[next_++];
        if (draw < 0 || draw >= n)
            Fail(QStringLiteral("scripted draw %1 does not fit Random(%2)").arg(draw).arg(n));
        log << QStringLiteral("Random(%1)=%2").arg(n).arg(draw);
        return draw;
    }

    QStringList log;

private:
    [[noreturn]] static void Fail(const QString &message)
    {
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
        throw ScriptBroken(message.toStdString());
    }

    std::vector<int> draws_;
    std::size_t next_ = 0;
};
