#include "app/main_loop.h"
bool isRunning = true;
bool isActive = true;
Overlay* overlay = nullptr;
int runProgram() { return 0; }
void runLoopPass() {}
void renderFrame() {}
void tickFrame() {}
