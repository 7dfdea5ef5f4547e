#include "app/ConversionRules.h"

#include "runtime/IntegerText.h"

namespace rg_tarn_app {

std::optional<TrackAndOffset> ConvertAbaToTrack(const char16_t* abaText, const char16_t* sptText) {
    const int64_t aba = TextToInt64Saturating(abaText);
    const int32_t spt = TextToInt32(sptText);
    if (aba <= 0 || spt <= 0) {
        return std::nullopt;
    }
    // Both operands are positive, so the quotient is at most INT64_MAX and
    // 256 - quotient is above INT64_MIN: neither the track nor its text
    // leaves the 64-bit range. The offset is below SPT.
    const int64_t quotient = aba / spt;
    TrackAndOffset result{};
    const char16_t* track = Int64ToText(kBaseTrack - quotient, result.track);
    (void)track; // Never INT64_MIN here, so the text is always in result.track.
    Int32ToText(static_cast<int32_t>(aba % spt), result.offset);
    return result;
}

AbaOrMissingInput ConvertTrackToAba(const char16_t* sptText, const char16_t* trackText) {
    const int32_t spt = TextToInt32(sptText);
    const int32_t track = TextToInt32(trackText);
    AbaOrMissingInput result;
    if (spt <= 0 || track <= 0) {
        result.missingInput = true;
        return result;
    }
    // |256 - track| < 2^31 and SPT < 2^31, so the product stays below 2^62
    // in magnitude: exact in 64 bits, where 32 bits would wrap.
    const int64_t aba = (int64_t{kBaseTrack} - track) * spt;
    const char16_t* text = Int64ToText(aba, result.aba);
    (void)text; // Never INT64_MIN here, so the text is always in result.aba.
    return result;
}

} // namespace rg_tarn_app
