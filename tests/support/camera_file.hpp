// Builds the bytes of a camera file field by field, so that each test shows which
// bytes matter. The offsets are written out here again on purpose: a test that took
// them from the tool's own layout could not catch a wrong offset there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace spot {
struct Spot {
    std::size_t offset;
    std::size_t length;
};
inline constexpr Spot keyword{146, 20};
inline constexpr Spot identity{166, 15};
inline constexpr Spot date1{198, 19};
inline constexpr Spot iso{240, 2};
inline constexpr Spot width{398, 2};
inline constexpr Spot height{410, 2};
inline constexpr Spot date2{416, 19};
inline constexpr Spot date3{436, 19};
inline constexpr Spot quality{459, 1};
inline constexpr Spot shutter_code{466, 2};
inline constexpr Spot aperture_code{474, 2};
} // namespace spot

// A file the camera could have written: 476 bytes, "SONY" at the identity field,
// and the values of default_report() below. Setters change one field each.
// Every byte outside the fields is the filler, which is not NUL, so a read that runs
// past the end of a text field shows in the report.
class CameraFile {
  public:
    static constexpr char between_fields = '~';
    explicit CameraFile(char filler = between_fields);

    // Text padded with NULs to the field's length; a text as long as the field has no NUL.
    CameraFile& text(spot::Spot field, std::string_view text);
    CameraFile& number(spot::Spot field, std::uint16_t value); // most significant byte first
    CameraFile& byte(spot::Spot field, std::uint8_t value);
    CameraFile& raw(std::size_t offset, std::string_view bytes); // grows it with filler
    CameraFile& resize(std::size_t size);                        // grows it with filler

    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
    char filler_;
};

// The report of a default CameraFile, with "\n" line ends.
std::string default_report();

// A fresh directory, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::filesystem::path path(std::string_view name) const { return dir_ / name; }
    std::filesystem::path write(std::string_view name, const std::string& bytes) const;

  private:
    std::filesystem::path dir_;
};
