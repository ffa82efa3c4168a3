// Windows: the arguments arrive as UTF-16 and names open through the wide API, so that a
// name in any script opens on every Windows version (the UTF-8 code page of the manifest
// takes effect only from Windows 10 1903); a console gets text as characters; and a
// console made for this program alone, as Explorer makes one, waits for Enter.
#include "driver.hpp"
#include "platform.hpp"

#include <array>
#include <cstddef>
#include <io.h>
#include <windows.h>

namespace {

// A command line holds at most 32767 UTF-16 units. Each unit takes at most three bytes in
// UTF-8, each argument one more for its NUL, and there are at most half as many
// arguments as units (each but the last is followed by a blank).
constexpr std::size_t max_units = 32768;
std::array<char, 4 * max_units> utf8_arguments;
std::array<char*, max_units / 2 + 1> argument_list;

// A name or a message as UTF-16, for _wfopen and WriteConsoleW.
std::array<wchar_t, max_units> wide_text;

// The C runtime's own parse of the wide command line, the one wmain would get.
struct _startupinfo {
    int newmode;
};
extern "C" int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** env, int expand_wildcards,
                              _startupinfo* startup);

std::span<char* const> as_utf8(int argc, wchar_t* argv[])
{
    std::size_t used = 0;
    std::size_t count = 0;
    for (int i = 0; i < argc && count < argument_list.size(); ++i) {
        const int room = static_cast<int>(utf8_arguments.size() - used);
        const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, &utf8_arguments.at(used),
                                             room, nullptr, nullptr);
        if (size <= 0) {
            break;
        }
        argument_list.at(count++) = &utf8_arguments.at(used);
        used += static_cast<std::size_t>(size);
    }
    return {argument_list.data(), count};
}

// The text as UTF-16 in wide_text, with its length; 0 when it does not fit.
int as_wide(std::string_view text)
{
    if (text.empty()) {
        return 0;
    }
    return MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                               wide_text.data(), static_cast<int>(wide_text.size() - 1));
}

HANDLE handle_of(std::FILE* stream)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the C runtime hands out handles as integers
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

bool is_console(std::FILE* stream)
{
    DWORD mode = 0;
    return GetConsoleMode(handle_of(stream), &mode) != 0;
}

// The prompt starts a line of its own, wherever the last text left the cursor.
bool cursor_at_line_start(std::FILE* stream)
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    return GetConsoleScreenBufferInfo(handle_of(stream), &info) == 0 ||
           info.dwCursorPosition.X == 0;
}

// How many processes share this console; 0 when Windows cannot tell. Looked up, not
// imported: Windows 2000's KERNEL32 lacks GetConsoleProcessList and Windows XP's may,
// and a missing import keeps a program from starting at all.
DWORD console_process_count()
{
    using ProcessListFunction = DWORD(WINAPI*)(LPDWORD, DWORD);
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    if (kernel32 == nullptr) {
        return 0;
    }
    // GetProcAddress hands every function out as one type; the cast through void(*)()
    // tells the compiler that the real type is known here.
    const auto get_process_list = reinterpret_cast<ProcessListFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel32, "GetConsoleProcessList")));
    if (get_process_list == nullptr) {
        return 0;
    }
    std::array<DWORD, 2> processes{};
    return get_process_list(processes.data(), static_cast<DWORD>(processes.size()));
}

} // namespace

namespace platform {

std::span<char* const> arguments(std::span<char* const> from_main)
{
    int argc = 0;
    wchar_t** argv = nullptr;
    wchar_t** env = nullptr;
    _startupinfo startup{0};
    if (__wgetmainargs(&argc, &argv, &env, 0, &startup) != 0 || argv == nullptr) {
        return from_main;
    }
    return as_utf8(argc, argv);
}

std::FILE* open_for_reading(const char* name)
{
    const std::string_view text(name);
    const int length = as_wide(text);
    if (length <= 0 && !text.empty()) {
        return nullptr;
    }
    wide_text.at(static_cast<std::size_t>(length)) = L'\0';
    return _wfopen(wide_text.data(), L"rb");
}

bool is_terminal(std::FILE* stream)
{
    return is_console(stream);
}

bool write_to_console(std::FILE* stream, std::string_view text)
{
    if (!is_console(stream)) {
        return false;
    }
    std::fflush(stream);
    const int length = as_wide(text);
    DWORD written = 0;
    if (length > 0) {
        WriteConsoleW(handle_of(stream), wide_text.data(), static_cast<DWORD>(length), &written,
                      nullptr);
    }
    return true;
}

void hold_own_console()
{
    // A shell that started the program shares its console: then the shell keeps the window.
    // Where Windows cannot count the console's processes, the program never waits.
    if (console_process_count() != 1 || !is_console(stdin) || !is_console(stdout)) {
        return;
    }
    std::fflush(stdout);
    if (!cursor_at_line_start(stdout)) {
        std::fputs("\n", stdout);
    }
    std::fputs("Press Enter to close this window.\n", stdout);
    std::fflush(stdout);
    await_line_end(stdin);
}

} // namespace platform
