// Mesa unloads its driver when the last display or X connection closes; what the driver keeps
// for the life of the process would then be reported as a leak from an unknown module, which no
// suppression can name. Pinning the loaded drivers keeps those allocations attributable (and
// suppressed like the other system libraries').
#pragma once

void pinGlDrivers();
