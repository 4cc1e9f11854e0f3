// The per-frame controls: turns the key state into actions on the selected ship, the camera and
// the game state.
#pragma once

void runControls();
