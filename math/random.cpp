#include "math/random.h"

namespace {
unsigned int randomState = 1;
}

void seedRandom(unsigned int seed) {
    randomState = seed;
}

// The linear congruential step of the Microsoft C runtime: 15 bits taken from the middle.
int randomNumber() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7fffu);
}
