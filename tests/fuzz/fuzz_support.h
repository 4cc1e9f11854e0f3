// What the fuzz targets share: a private working folder, a count of the messages the code under
// test shows, and a loud stop when a reader breaks its own promises.
#pragma once

#include <cstddef>
#include <string>

namespace fuzz {

// Creates a fresh folder under the system's temporary directory on first use and returns it; it
// is removed again at exit. Each target process has its own, so parallel runs never share files.
const std::string& privateFolder();

// Writes `size` bytes to `path`, replacing the file. Aborts when the file cannot be written: a
// target that silently fuzzes a stale file would report nothing useful.
void writeFile(const std::string& path, const unsigned char* bytes, std::size_t size);

// From the first call on, messages are counted here instead of being shown or printed, so a run
// of millions of inputs stays quiet.
void captureMessages();
int messagesSinceLastCall();

// Ends the run as a crash, which libFuzzer keeps as a reproducer.
[[noreturn]] void fail(const char* what);

} // namespace fuzz
