#include "camera_file.hpp"

#include <fstream>
#include <random>
#include <stdexcept>

CameraFile::CameraFile(char filler) : bytes_(476, filler), filler_(filler)
{
    raw(spot::identity.offset, std::string_view("SONY\0\0DSC-D700\0", 15));
    text(spot::keyword, "SUMMER");
    number(spot::iso, 100);
    number(spot::width, 1344);
    number(spot::height, 1024);
    byte(spot::quality, 6);           // High
    number(spot::shutter_code, 600);  // 1/60 s
    number(spot::aperture_code, 500); // f/5.6
    text(spot::date1, "1999:08:14 16:05:31");
    text(spot::date2, "1999:08:14 16:05:31");
    text(spot::date3, "1999:08:14 16:05:31");
}

CameraFile& CameraFile::text(spot::Spot field, std::string_view text)
{
    if (text.size() > field.length) {
        throw std::invalid_argument("text longer than its field");
    }
    std::string padded(text);
    padded.resize(field.length, '\0');
    return raw(field.offset, padded);
}

CameraFile& CameraFile::number(spot::Spot field, std::uint16_t value)
{
    const std::string bytes{static_cast<char>(value >> 8U), static_cast<char>(value & 0xFFU)};
    return raw(field.offset, bytes);
}

CameraFile& CameraFile::byte(spot::Spot field, std::uint8_t value)
{
    return raw(field.offset, std::string(1, static_cast<char>(value)));
}

CameraFile& CameraFile::raw(std::size_t offset, std::string_view bytes)
{
    if (bytes_.size() < offset + bytes.size()) {
        bytes_.resize(offset + bytes.size(), filler_);
    }
    bytes_.replace(offset, bytes.size(), bytes);
    return *this;
}

CameraFile& CameraFile::resize(std::size_t size)
{
    bytes_.resize(size, filler_);
    return *this;
}

std::string default_report()
{
    return "      Keyword: SUMMER\n"
           "          ISO: 100\n"
           "         Size: 1344 x 1024\n"
           "      Quality: High\n"
           "Shutter Speed: 60\n"
           "    Aperature: 5.6\n"
           "\n"
           "        Date1: 1999:08:14 16:05:31\n"
           "        Date2: 1999:08:14 16:05:31\n"
           "        Date3: 1999:08:14 16:05:31\n";
}

TempDir::TempDir()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        dir_ =
            std::filesystem::temp_directory_path() / ("picprobe-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(dir_)) {
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary directory");
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::filesystem::path TempDir::write(std::string_view name, const std::string& bytes) const
{
    std::filesystem::path file = path(name);
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}
