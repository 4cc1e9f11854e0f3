// Sanitizer settings built into the test binary, so a test run directly (not only through CTest)
// behaves the same.

// Allocations that the system libraries we call keep for the life of the process; they are not
// ours, and they carry no symbols we could name more precisely.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libGLX_mesa\n"
           "leak:libEGL_mesa\n"
           "leak:swrast_dri\n"
           "leak:libgallium\n"
           "leak:libLLVM\n"
           "leak:libfontconfig\n"
           "leak:libglapi\n"
           "leak:libX11\n"
           "leak:libSDL2\n"
           "leak:libdbus\n"
           // The sanitizer runtime's own bookkeeping, reported against itself.
           "leak:libubsan\n";
}

// Undefined behaviour is a test failure, with the stack that led to it.
extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
