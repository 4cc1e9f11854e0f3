#include "platform/message_box.h"
namespace platform {
void messageBox(const char*, const char*) {}
void setMessageCapture(MessageCapture) {}
}
