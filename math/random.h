// The program's one random generator, with the classic C runtime semantics the game was tuned
// with: values 0 to 32767, a seed that reproduces the whole sequence. glibc's rand() has another
// range and sequence, so the game never calls it directly.
#pragma once

constexpr int kRandomMax = 32767;

void seedRandom(unsigned int seed);
int randomNumber();
