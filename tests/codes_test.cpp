// The quality, shutter and aperture codes, against the camera's own tables.
#include "record/picture_record.hpp"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace {

TEST(DecodeShutter, EveryCodeGivesItsSpeed)
{
    constexpr std::array<int, 29> speeds{15,  18,  22,  26,  30,   38,   45,   54,   60,  75,
                                         90,  110, 125, 150, 180,  210,  250,  300,  360, 430,
                                         500, 610, 720, 860, 1000, 1200, 1400, 1700, 2000};
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        const auto code = static_cast<std::uint16_t>(400 + 25 * i);
        EXPECT_EQ(decode_shutter(code), std::optional<std::int32_t>(speeds.at(i))) << code;
    }
}

TEST(DecodeShutter, AnythingElseFails)
{
    // Below the first code (a multiple of 25 included), off the step, past the last code.
    for (const int code : {0, 375, 399, 401, 410, 1125, 1150, 65525, 65535}) {
        EXPECT_EQ(decode_shutter(static_cast<std::uint16_t>(code)), std::nullopt) << code;
    }
}

TEST(DecodeAperture, EveryCodeGivesItsFNumber)
{
    constexpr std::array<double, 20> f_numbers{2.2, 2.4, 2.6, 2.8, 3.1, 3.4, 3.7, 4.0, 4.4,  4.8,
                                               5.2, 5.6, 6.2, 6.7, 7.3, 8.0, 8.7, 9.5, 10.0, 11.0};
    for (std::size_t i = 0; i < f_numbers.size(); ++i) {
        const auto code = static_cast<std::uint16_t>(225 + 25 * i);
        EXPECT_EQ(decode_aperture(code), std::optional<double>(f_numbers.at(i))) << code;
    }
}

TEST(DecodeAperture, AnythingElseFails)
{
    for (const int code : {0, 200, 224, 226, 230, 725, 750, 65525, 65535}) {
        EXPECT_EQ(decode_aperture(static_cast<std::uint16_t>(code)), std::nullopt) << code;
    }
}

TEST(DecodeQuality, OnlyOneThreeAndSixAreLevels)
{
    EXPECT_EQ(decode_quality(1), Quality::low);
    EXPECT_EQ(decode_quality(3), Quality::medium);
    EXPECT_EQ(decode_quality(6), Quality::high);
    for (const int code : {0, 2, 4, 5, 7, 255}) {
        EXPECT_EQ(decode_quality(static_cast<std::uint8_t>(code)), std::nullopt) << code;
    }
}

} // namespace
