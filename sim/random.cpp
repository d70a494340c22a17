#include "sim/random.h"

namespace {
uint32_t randomState = 1;
}

void randomSeed(uint32_t seed)
{
    randomState = seed;
}

int randomNext()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

double randomUnit()
{
    return static_cast<double>(randomNext()) / RANDOM_MAX;
}
