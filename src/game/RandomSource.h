#pragma once

// The opponent's dice, behind an interface so tests can script every draw.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Reseeds the generator from the clock.
    virtual void Randomize() = 0;
    // A uniformly distributed integer in 0..n-1.
    virtual int Random(int n) = 0;
};
