// Never linked into anything: compiled with the program's flags so the hardening test can see that
// they turn unchecked copies into checked ones.
#include <cstdio>
#include <cstring>

extern "C" int kn_fortify_probe(const char *text, std::size_t length)
{
    char buffer[16];
    std::memcpy(buffer, text, length);  // length unknown here, the buffer's size known: a checked copy
    return std::snprintf(buffer, length, "%s", text);
}
