#include "scoring/RandomSource.h"

#include <QDateTime>
#include <QTime>

#include <cmath>

namespace {

double uniformReal(std::mt19937& engine)
{
    const double v = std::uniform_real_distribution<double>(0.0, 1.0)(engine);
    // The distribution may round up to its upper end; keep the interval open.
    return v < 1.0 ? v : std::nextafter(1.0, 0.0);
}

int uniformInt(std::mt19937& engine, int from, int to)
{
    if (to <= from)
        return from;
    return std::uniform_int_distribution<int>(from, to)(engine);
}

} // namespace

double SeededRandom::real()
{
    return uniformReal(m_engine);
}

int SeededRandom::integer(int from, int to)
{
    return uniformInt(m_engine, from, to);
}

SystemRandom::SystemRandom()
{
    randomize();
}

void SystemRandom::randomize()
{
    m_engine.seed(std::uint32_t(QDateTime::currentMSecsSinceEpoch()) ^ std::random_device{}());
}

double SystemRandom::real()
{
    return uniformReal(m_engine);
}

int SystemRandom::integer(int from, int to)
{
    return uniformInt(m_engine, from, to);
}

int SystemRandom::milliseconds()
{
    return QTime::currentTime().msec();
}
