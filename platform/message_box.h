// Modal error messages. The text also goes to standard error, so a message is never lost when no
// desktop is there to show the box. Tests capture messages instead of showing boxes.
#pragma once

#include <functional>

namespace platform {

void messageBox(const char* caption, const char* text);

using MessageCapture = std::function<void(const char* caption, const char* text)>;
// While a capture is set, messages go to it instead of a box or standard error.
void setMessageCapture(MessageCapture capture);

} // namespace platform
