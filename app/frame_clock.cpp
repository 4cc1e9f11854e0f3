#include "app/frame_clock.h"
FrameClock frameClock;
void startFrameClock() {}
float advanceFrameClock() { return 0.0f; }
