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
// One frame's picture: clear, the scene objects, the effects, the overlay, then the buffer swap.
void renderFrame();
// The three drawing stages of renderFrame, callable one by one so that their costs can be measured
// apart.
void drawSceneObjects();
void drawEffects();
void drawOverlay();
void tickFrame();
