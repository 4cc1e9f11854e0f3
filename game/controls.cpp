#include "game/controls.h"
void runControls() {}
