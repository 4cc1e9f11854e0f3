#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/message_box.h"

namespace fuzz {
namespace {

int messageCount = 0;

std::string createFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kavo-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        fail("cannot create a private temporary folder");
    return pattern;
}

void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(privateFolder(), ignored);
}

} // namespace

// Never destroyed: the exit handler that removes the folder runs after static destructors.
const std::string& privateFolder() {
    static const std::string* folder = [] {
        auto* created = new std::string(createFolder());
        std::atexit(removeFolder);
        return created;
    }();
    return *folder;
}

void writeFile(const std::string& path, const unsigned char* bytes, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        fail("cannot write the input file");
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written)
        fail("cannot write the input file");
}

void captureMessages() {
    platform::setMessageCapture([](const char*, const char*) { ++messageCount; });
}

int messagesSinceLastCall() {
    const int count = messageCount;
    messageCount = 0;
    return count;
}

void fail(const char* what) {
    std::fprintf(stderr, "fuzz target: %s\n", what);
    std::abort();
}

} // namespace fuzz
