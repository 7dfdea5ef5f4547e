// Both conversions against 64-bit reference arithmetic on arbitrary input texts.
#include "app/ConversionRules.h"
#include "fuzz/FuzzSupport.h"
#include "runtime/IntegerText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::u16string Decimal(int64_t v) {
    std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Two texts of UTF-16 units, split at the first zero unit.
    const std::u16string all = UnitsFromBytes(data, size);
    const size_t split = all.find(u'\0');
    const std::u16string first = all.substr(0, split);
    const std::u16string second = split == std::u16string::npos ? u"" : all.substr(split + 1);
    // The ABA is read over the 64-bit range, every other input in 32 bits;
    // inside the 32-bit range both readings agree.
    const int64_t aba = TextToInt64Saturating(first.c_str());
    const int64_t a = TextToInt32(first.c_str());
    const int64_t b = TextToInt32(second.c_str());
    Check(a == (aba > INT32_MAX ? INT32_MAX : aba < INT32_MIN ? INT32_MIN : aba));

    auto track = rg_tarn_app::ConvertAbaToTrack(first.c_str(), second.c_str());
    Check(track.has_value() == (aba > 0 && b > 0));
    if (track) {
        Check(track->track == Decimal(256 - aba / b));
        Check(track->offset == Decimal(aba % b));
    }

    auto trackToAba = rg_tarn_app::ConvertTrackToAba(first.c_str(), second.c_str());
    Check(trackToAba.missingInput == (a <= 0 || b <= 0));
    if (!trackToAba.missingInput) {
        Check(trackToAba.aba == Decimal((256 - b) * a));
    }
    return 0;
}
