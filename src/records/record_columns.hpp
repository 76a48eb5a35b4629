#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace mirvok {

// The fields of a record in the order a record line holds them. Whatever
// writes, reads, names or checks a record takes its fields from this table:
// the result file's writer its widths and roundings, read_results its keys,
// a sweep its per-run columns, verify the names in its messages.
enum class ColumnKind {
    Count,  // a whole number right-aligned in `width`
    Real,   // `decimals` places after a full stop, right-aligned in `width`
    Steps,  // a list in double quotes, each step right-aligned in `width`, a comma after it
};

struct RecordColumn {
    std::string_view name;   // the key of the column ("in_spikes")
    std::string_view label;  // how a message names it ("input list")
    ColumnKind kind;
    int width;
    int decimals;
};

inline constexpr std::array<RecordColumn, 8> kRecordColumns{{
    {"index", "index", ColumnKind::Count, 4, 0},
    {"in_spikes", "in_spikes", ColumnKind::Count, 2, 0},
    {"cv", "cv", ColumnKind::Real, 4, 2},
    {"out_spikes", "out_spikes", ColumnKind::Count, 2, 0},
    {"q", "q", ColumnKind::Real, 4, 2},
    {"score", "score", ColumnKind::Real, 4, 2},
    {"in_trains", "input list", ColumnKind::Steps, 4, 0},
    {"out_trains", "output list", ColumnKind::Steps, 4, 0},
}};

// Positions in kRecordColumns.
enum RecordField : std::size_t { kIndex, kInSpikes, kCv, kOutSpikes, kQ, kScore, kInput, kOutput };
// The numbers come first, the two lists after them.
inline constexpr std::size_t kRecordNumbers = 6;

// Appends the column's text of a number (a Count's value is whole) and the
// semicolon after it.
void appendRecordNumber(std::string& out, RecordField field, double value);

}  // namespace mirvok
