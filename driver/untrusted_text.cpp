// Texts from the file are untrusted bytes. On a terminal a control byte could begin an
// escape sequence that rewrites the screen or the window title, so it is shown as '?'.
// Pipes and files get the bytes unchanged, and bytes from 0x80 up are never touched.
#include "driver.hpp"

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool is_control(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7F;
}

bool is_terminal(std::FILE* stream)
{
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}

} // namespace

std::string_view shown_text(std::FILE* stream, std::string_view text, FieldBuffer& scratch)
{
    // Only a text that holds a control byte asks the system what the stream is.
    if (std::none_of(text.begin(), text.end(), is_control) || !is_terminal(stream)) {
        return text;
    }
    const std::size_t size = std::min(text.size(), scratch.size());
    std::replace_copy_if(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size),
                         scratch.begin(), is_control, '?');
    return {scratch.data(), size};
}
