#include "app/display_settings.h"
DisplaySettings displaySettings;
platform::DisplayMode displayMode;
void readDisplaySettings() {}
