// Texts from the file are untrusted bytes. On a terminal a control character could begin
// an escape sequence that rewrites the screen or the window title, so it is shown as '?':
// the bytes 0x01 to 0x1F and 0x7F, and the C1 controls U+0080 to U+009F in their UTF-8
// form (C2 80 to C2 9F), since terminals act on those too (U+009B is CSI). Every other
// byte from 0x80 up is left alone, so UTF-8 text stays intact. Pipes and files get the
// bytes unchanged.
#include "driver.hpp"
#include "platform.hpp"

namespace {

bool is_c0_control(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F;
}

// The length of the control character that starts at `at`: 1 or 2 bytes, 0 for none.
std::size_t control_length(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    if (is_c0_control(byte)) {
        return 1;
    }
    if (byte == 0xC2 && at + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[at + 1]);
        if (next >= 0x80 && next <= 0x9F) {
            return 2;
        }
    }
    return 0;
}

bool holds_control(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (control_length(text, at) != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string_view shown_text(std::FILE* stream, std::string_view text, FieldBuffer& scratch)
{
    // Only a text that holds a control character asks the system what the stream is.
    if (!holds_control(text) || !platform::is_terminal(stream)) {
        return text;
    }
    // Each control character becomes one '?', so the shown text is never the longer.
    std::size_t size = 0;
    for (std::size_t at = 0; at < text.size() && size < scratch.size();) {
        const std::size_t length = control_length(text, at);
        scratch.at(size++) = length == 0 ? text[at] : '?';
        at += length == 0 ? 1 : length;
    }
    return {scratch.data(), size};
}
