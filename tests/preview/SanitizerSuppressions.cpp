// AddressSanitizer reports that lie wholly inside system libraries the program does not own.
// libxkbcommon-x11 (loaded by Qt's xcb platform) calls strndup on keymap names that are not
// NUL-terminated; strndup stops at the length it is given, but the interceptor, with
// strict_string_checks, reads one byte past it. Only interceptor calls made from that
// library are silenced.
extern "C" const char* __asan_default_suppressions()
{
    return "interceptor_via_lib:libxkbcommon-x11.so\n";
}
