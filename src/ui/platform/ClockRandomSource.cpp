#include "ClockRandomSource.h"

#include <chrono>

ClockRandomSource::ClockRandomSource()
{
    Randomize();
}

void ClockRandomSource::Randomize()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::mt19937::result_type>(ticks ^ (ticks >> 32)));
}

int ClockRandomSource::Random(int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}
