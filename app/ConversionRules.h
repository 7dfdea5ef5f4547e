// The converter's two conversions between an ABA and a track with a sector offset.
#pragma once

#include <optional>

#include "runtime/IntegerText.h"

namespace rg_tarn_app {

// Track numbers count down from this base: track = 256 - ABA / SPT.
inline constexpr int kBaseTrack = 256;

// The error that the track-to-ABA conversion reports for missing input.
inline constexpr char16_t kMissingInputMessage[] = u"请输入spt数值及另外两个中的一个数值";
inline constexpr char16_t kMissingInputCaption[] = u"错误提示";

// The texts to show for an ABA: its track and the sector offset in that track.
struct TrackAndOffset {
    char16_t track[kNumberTextUnits] = {};
    char16_t offset[kNumberTextUnits] = {};
};

// The outcome of the track-to-ABA conversion: either the ABA text, or the
// missing-input error (shown as kMissingInputMessage with kMissingInputCaption).
struct AbaOrMissingInput {
    bool missingInput = false;
    char16_t aba[kNumberTextUnits] = {};
};

// Reads the ABA text, then the SPT text. Nothing comes back when either reads
// as 0 or less; otherwise the track (256 - ABA / SPT, which is 0 or below for
// ABAs beyond track 1) and the remainder of ABA / SPT. The ABA is read by the
// rule of every other input but over the 64-bit range, saturating only at its
// ends, and divided in 64 bits: the ABAs of drives beyond 2^31 blocks convert
// exactly, and every positive ABA that ConvertTrackToAba prints reads back to
// the track it came from, with offset 0. ABAs up to 2147483647 give what a
// 32-bit reading gave.
std::optional<TrackAndOffset> ConvertAbaToTrack(const char16_t* abaText, const char16_t* sptText);

// Reads the SPT text, then the track text. Either reads as 0 or less: the
// missing-input error. Otherwise the ABA (256 - track) * SPT, computed exactly
// in 64 bits, so a large SPT gives the true block address rather than a
// wrapped 32-bit one; tracks above 256 give negative ABAs.
AbaOrMissingInput ConvertTrackToAba(const char16_t* sptText, const char16_t* trackText);

} // namespace rg_tarn_app
