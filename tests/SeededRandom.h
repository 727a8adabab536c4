#pragma once

#include "game/RandomSource.h"

#include <random>

// Fair dice with a fixed seed: whole games are random but every run draws the same, so a failure
// can be replayed. Randomize() keeps the sequence going instead of reading the clock.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::mt19937::result_type seed) : engine_(seed) {}

    void Randomize() override {}
    int Random(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }

private:
    std::mt19937 engine_;
};
