#include "platform/events.h"
namespace platform {
bool peekMessage(WindowMessage*) { return false; }
void postMessage(const WindowMessage&) {}
}
