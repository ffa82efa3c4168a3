// What the driver needs to know about the camera's picture data: where each field
// lies, how one field is fetched, and how its bytes become numbers, texts and values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

// The open input file: read-only, binary, positioned by absolute byte offset.
using PictureFile = std::FILE;

// One field of the camera's picture data.
struct FieldSpec {
    std::string_view name;
    std::uint32_t offset; // bytes from the first byte of the file
    std::uint32_t length; // bytes, 1 to max_field_length
};

// The longest field (the keyword) is 20 bytes; every field passes through a buffer this size.
inline constexpr std::size_t max_field_length = 20;
using FieldBuffer = std::array<char, max_field_length>;

enum class ReadOutcome { ok, seek_failed, read_error, short_read };

struct FieldRead {
    ReadOutcome outcome;
    std::size_t count; // bytes that arrived, whatever the outcome
};

// Positions the file at the field and reads it into the buffer. The bytes that
// arrived stay in the buffer whatever the outcome.
FieldRead read_field(PictureFile& file, const FieldSpec& field, FieldBuffer& buffer);

// The camera stores two-byte numbers most significant byte first.
constexpr std::uint16_t be16(char high, char low)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(high) * 256U +
                                      static_cast<unsigned char>(low));
}

// A text field ends at its first NUL; a field with no NUL is text in all its bytes.
constexpr std::string_view field_text(std::span<const char> bytes)
{
    const std::string_view all(bytes.data(), bytes.size());
    return all.substr(0, all.find('\0'));
}

enum class Quality { low, medium, high };

std::optional<Quality> decode_quality(std::uint8_t code);
std::optional<std::int32_t> decode_shutter(std::uint16_t code);
std::optional<double> decode_aperture(std::uint16_t code);
