#include "sim/random.h"

int Random::next()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

double Random::unit()
{
    return static_cast<double>(next()) / RANDOM_MAX;
}
