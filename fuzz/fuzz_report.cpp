// Feeds arbitrary bytes, as a camera file in memory, through the identity check and
// the whole report. Run with -close_fd_mask=3: the report's output goes nowhere.
#include "driver/driver.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0; // an in-memory stream cannot be empty; the empty file has its own tests
    }
    // fmemopen wants a writable buffer even for reading; it never writes in "rb" mode.
    PictureFile* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (file == nullptr) {
        return 0;
    }
    if (check_identity(*file) == Progress::carry_on) {
        report_fields(*file);
    }
    std::fclose(file);
    return 0;
}
