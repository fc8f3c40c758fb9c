#pragma once
// The chance the draw uses, as one object that can be seeded: the shuffle
// and the region passes take every random number from it, and the
// milliseconds of the time of day that the shuffle mixes in.
//
// The program uses SystemRandom (seeded from the clock); tests and
// benchmarks use SeededRandom, which repeats itself for a given seed.

#include <cstdint>
#include <random>

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Seeds the generator from the clock (a seeded source keeps its seed).
    virtual void randomize() = 0;
    // A uniform real number in [0, 1).
    virtual double real() = 0;
    // A uniform integer in from..to (both included; from when to < from).
    virtual int integer(int from, int to) = 0;
    // The milliseconds (0..999) of the current time of day.
    virtual int milliseconds() = 0;
};

// A generator that repeats itself for a given seed, milliseconds included.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : m_engine(seed) {}
    void randomize() override {}
    double real() override;
    int integer(int from, int to) override;
    int milliseconds() override { return integer(0, 999); }

private:
    std::mt19937 m_engine;
};

// The program's source: seeded from the clock, real milliseconds.
class SystemRandom : public RandomSource {
public:
    SystemRandom();
    void randomize() override;
    double real() override;
    int integer(int from, int to) override;
    int milliseconds() override;

private:
    std::mt19937 m_engine;
};
