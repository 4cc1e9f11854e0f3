// Start-up, the message-driven main loop and the fixed order in which one frame is drawn and
// updated.
#pragma once

class Overlay;

extern bool isRunning;
extern bool isActive;
extern Overlay* overlay;

// The whole program: start-up, main loop, and the result the entry point returns: 0 after a
// normal close, non-zero when start-up failed.
int runProgram();
// One pass of the main loop: handles one pending message, or renders, runs the controls and ticks.
void runLoopPass();
void renderFrame();
void tickFrame();
