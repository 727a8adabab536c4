#pragma once

#include "game/RandomSource.h"

#include <random>

// The program's dice: a Mersenne Twister reseeded from a high-resolution clock reading.
class ClockRandomSource : public RandomSource {
public:
    ClockRandomSource();

    void Randomize() override;
    int Random(int n) override;

private:
    std::mt19937 engine_;
};
