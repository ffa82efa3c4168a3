// What differs on Windows, behind one small interface. CMake builds platform_windows.cpp
// into the Windows program and platform_posix.cpp into every other.
#pragma once

#include <cstdio>
#include <span>
#include <string_view>

namespace platform {

// The argument list as UTF-8, program name first. On Windows it is taken afresh from the
// wide-character command line, since main's own may have lost characters to the code page.
std::span<char* const> arguments(std::span<char* const> from_main);

// Opens the file with the UTF-8 name for reading, in binary mode; null when it cannot.
std::FILE* open_for_reading(const char* name);

// Whether the stream leads to a terminal (on Windows, a console).
bool is_terminal(std::FILE* stream);

// On a Windows console, writes the UTF-8 text as characters, so that a name shows as
// typed, and answers true. Anywhere else it writes nothing and answers false: the
// caller writes the bytes.
bool write_to_console(std::FILE* stream, std::string_view text);

// When the console was made for this program alone (started from Explorer), waits for
// Enter so that its window does not close before the user has read it.
void hold_own_console();

} // namespace platform
