// Kavo Ship: entry point. Everything happens in runProgram; the platform layer owns SDL.
#include "app/main_loop.h"

int main() {
    return runProgram();
}
