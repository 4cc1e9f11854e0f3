#include "app/extension_list.h"

#include <cstring>

bool extensionListHas(const char* list, const char* name) {
    // An empty name would match between any two spaces, and a name with a space could span two
    // entries: neither names an extension.
    if (!list || !name || *name == '\0' || std::strchr(name, ' '))
        return false;
    const std::size_t nameLength = std::strlen(name);
    for (const char* found = std::strstr(list, name); found; found = std::strstr(found + 1, name)) {
        const bool startsEntry = found == list || found[-1] == ' ';
        const char after = found[nameLength];
        if (startsEntry && (after == ' ' || after == '\0'))
            return true;
    }
    return false;
}
