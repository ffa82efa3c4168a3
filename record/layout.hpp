// Where the camera writes its picture data: the same byte offsets in every file.
// The last byte any field uses is 475, so a full report needs 476 bytes.
#pragma once

#include "picture_record.hpp"

namespace layout {

inline constexpr FieldSpec keyword{"keyword", 146, 20};
inline constexpr FieldSpec identity{"identity", 166, 15};
inline constexpr FieldSpec date1{"date1", 198, 19};
inline constexpr FieldSpec iso{"iso", 240, 2};
inline constexpr FieldSpec width{"width", 398, 2};
inline constexpr FieldSpec height{"height", 410, 2};
inline constexpr FieldSpec date2{"date2", 416, 19};
inline constexpr FieldSpec date3{"date3", 436, 19};
inline constexpr FieldSpec quality{"quality", 459, 1};
inline constexpr FieldSpec shutter_code{"shutter_code", 466, 2};
inline constexpr FieldSpec aperture_code{"aperture_code", 474, 2};

inline constexpr std::array all_fields{keyword, identity,     date1,        iso,
                                       width,   height,       date2,        date3,
                                       quality, shutter_code, aperture_code};

// Every field must fit the shared field buffer, and no two fields may overlap.
constexpr bool fields_fit_and_never_overlap()
{
    for (const FieldSpec& field : all_fields) {
        if (field.length == 0 || field.length > max_field_length) {
            return false;
        }
        for (const FieldSpec& other : all_fields) {
            const bool same = field.offset == other.offset;
            const bool overlap = field.offset < other.offset + other.length &&
                                 other.offset < field.offset + field.length;
            if (!same && overlap) {
                return false;
            }
        }
    }
    return true;
}
static_assert(fields_fit_and_never_overlap());

} // namespace layout
