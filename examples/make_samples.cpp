// Writes the sample camera files in examples/: small, valid JPEG images that carry the
// camera's picture data at its offsets.
//   make_samples DIR   writes DIR/sample.jpg and DIR/dates_disagree.jpg
//
// The camera keeps its picture data in an application segment near the start of the
// file. Here that segment (APP12) runs from just after the JFIF header to byte 511, so
// the data lies inside it at the camera's offsets, and a grey 8 x 8 baseline image
// follows, so that any viewer opens the file.
#include "support/camera_file.hpp"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

std::string bytes(std::initializer_list<unsigned char> values)
{
    return {values.begin(), values.end()};
}

// A segment's marker and length; the length counts its own two bytes, not the marker.
std::string segment_start(unsigned char marker, std::size_t body_size)
{
    const std::size_t length = body_size + 2;
    return bytes({0xFF, marker, static_cast<unsigned char>(length >> 8U),
                  static_cast<unsigned char>(length & 0xFFU)});
}

std::string segment(unsigned char marker, const std::string& body)
{
    return segment_start(marker, body.size()) + body;
}

constexpr std::size_t picture_data_end = 512;

// The segment's bytes outside the fields stay NUL in the samples.
constexpr char sample_filler = '\0';

std::string jfif_header()
{
    return bytes({0xFF, 0xD8}) + // start of image
           segment(0xE0, std::string("JFIF\0", 5) + bytes({1, 1, 0, 0, 1, 0, 1, 0, 0}));
}

// One 8 x 8 block of mid grey: every coefficient is zero, so each Huffman table needs a
// single one-bit code (DC difference 0, end of block), and the scan is two 0 bits padded with 1s.
std::string grey_image()
{
    const std::string one_code_for_symbol_0 =
        bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    return segment(0xDB, bytes({0}) + std::string(64, '\x01')) +  // quantisation
           segment(0xC0, bytes({8, 0, 8, 0, 8, 1, 1, 0x11, 0})) + // 8 x 8, grey
           segment(0xC4, bytes({0x00}) + one_code_for_symbol_0) + // DC table
           segment(0xC4, bytes({0x10}) + one_code_for_symbol_0) + // AC table
           segment(0xDA, bytes({1, 1, 0x00, 0, 63, 0})) +         // scan header
           bytes({0x3F}) +                                        // scan data
           bytes({0xFF, 0xD9});                                   // end of image
}

std::string as_jpeg(CameraFile camera)
{
    const std::string header = jfif_header();
    const std::size_t body_size = picture_data_end - header.size() - 4;
    camera.resize(picture_data_end);
    camera.raw(0, header + segment_start(0xEC, body_size) + "picprobe sample picture data");
    return camera.bytes() + grey_image();
}

CameraFile holiday()
{
    return CameraFile(sample_filler)
        .text(spot::keyword, "BEACH")
        .number(spot::iso, 100)
        .number(spot::width, 1344)
        .number(spot::height, 1024)
        .byte(spot::quality, 6)           // High
        .number(spot::shutter_code, 800)  // 1/250 s
        .number(spot::aperture_code, 600) // f/8.0
        .text(spot::date1, "1999:08:14 16:05:31")
        .text(spot::date2, "1999:08:14 16:05:31")
        .text(spot::date3, "1999:08:14 16:05:31");
}

// The camera's clock was reset between taking the picture and writing the third stamp.
CameraFile clock_reset()
{
    return holiday()
        .text(spot::keyword, "GARDEN")
        .number(spot::iso, 400)
        .byte(spot::quality, 3)           // Medium
        .number(spot::shutter_code, 600)  // 1/60 s
        .number(spot::aperture_code, 325) // f/3.1
        .text(spot::date3, "2000:01:01 00:00:00");
}

bool write(const std::filesystem::path& path, const std::string& contents)
{
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: make_samples DIR\n", stderr);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    if (!write(dir / "sample.jpg", as_jpeg(holiday())) ||
        !write(dir / "dates_disagree.jpg", as_jpeg(clock_reset()))) {
        std::fprintf(stderr, "make_samples: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
