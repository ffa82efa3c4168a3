// Linux and other POSIX systems: arguments arrive as bytes, names open as they are, and a
// terminal is never the program's own window.
#include "platform.hpp"

#include <unistd.h>

namespace platform {

std::span<char* const> arguments(std::span<char* const> from_main)
{
    return from_main;
}

std::FILE* open_for_reading(const char* name)
{
    return std::fopen(name, "rb");
}

bool is_terminal(std::FILE* stream)
{
    return isatty(fileno(stream)) != 0;
}

bool write_to_console(std::FILE* /*stream*/, std::string_view /*text*/)
{
    return false;
}

void hold_own_console() {}

} // namespace platform
