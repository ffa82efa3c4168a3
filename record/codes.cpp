// The quality, shutter and aperture codes the camera stores, and what they mean.
#include "picture_record.hpp"

namespace {

// Shutter speeds as 1/N seconds, a quarter stop apart; the camera's rounded values.
constexpr std::array<std::int32_t, 29> shutter_speeds{
    15,   18,   22,   26,   30,   38,  45,  54,  // codes 400 to 575
    60,   75,   90,   110,  125,  150, 180, 210, // codes 600 to 775
    250,  300,  360,  430,  500,  610, 720, 860, // codes 800 to 975
    1000, 1200, 1400, 1700, 2000,                // codes 1000 to 1100
};

// F-numbers, a quarter stop apart; the camera's rounded values.
constexpr std::array<double, 20> f_numbers{
    2.2, 2.4, 2.6, 2.8,  3.1,  // codes 225 to 325
    3.4, 3.7, 4.0, 4.4,  4.8,  // codes 350 to 450
    5.2, 5.6, 6.2, 6.7,  7.3,  // codes 475 to 575
    8.0, 8.7, 9.5, 10.0, 11.0, // codes 600 to 700
};

constexpr std::uint16_t code_step = 25;

// Codes run in steps of 25 from the table's base code; anything else is not a code.
template <typename Value, std::size_t Size>
std::optional<Value> look_up(const std::array<Value, Size>& table, std::uint16_t base,
                             std::uint16_t code)
{
    if (code % code_step != 0 || code < base) {
        return std::nullopt;
    }
    const std::size_t index = static_cast<std::size_t>(code - base) / code_step;
    if (index >= table.size()) {
        return std::nullopt;
    }
    return table.at(index);
}

} // namespace

std::optional<Quality> decode_quality(std::uint8_t code)
{
    switch (code) {
    case 1:
        return Quality::low;
    case 3:
        return Quality::medium;
    case 6:
        return Quality::high;
    default:
        return std::nullopt;
    }
}

std::optional<std::int32_t> decode_shutter(std::uint16_t code)
{
    return look_up(shutter_speeds, 400, code);
}

std::optional<double> decode_aperture(std::uint16_t code)
{
    return look_up(f_numbers, 225, code);
}
