// Whole-word lookup in a space-separated extension list, as GL and the window system report them.
// Kept apart from GL so that it can be checked on plain strings.
#pragma once

// True when `name` is one whole entry of `list`: it starts the list or follows a space, and ends
// the list or is followed by a space. An empty name, a name with a space, or no list gives false.
bool extensionListHas(const char* list, const char* name);
