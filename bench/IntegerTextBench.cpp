// TextToInt32 beside the C library's wcstol on the same texts, and the two
// conversions of the converter per second.
#include "app/ConversionRules.h"
#include "bench/BenchRatio.h"
#include "runtime/IntegerText.h"

#include <benchmark/benchmark.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

// The texts of one kind, in both encodings: char16_t for ours, wchar_t for wcstol.
struct TextSet {
    std::vector<std::u16string> ours;
    std::vector<std::wstring> reference;
};

TextSet MakeTexts(const std::vector<std::string>& ascii) {
    TextSet set;
    for (const std::string& s : ascii) {
        set.ours.emplace_back(s.begin(), s.end());
        set.reference.emplace_back(s.begin(), s.end());
    }
    return set;
}

const TextSet& Texts(int kind) {
    static const TextSet decimal =
        MakeTexts({"0", "7", "63", "1000", "16065", "255", "-1331", "2147483647", "123456"});
    static const TextSet padded =
        MakeTexts({"   12", "\t-42", "  +7  ", "      1000", " \t 63abc", "  100000x"});
    static const TextSet saturating = MakeTexts(
        {"99999999999", "-99999999999", "2147483648", "12345678901234567890", "-2147483649"});
    switch (kind) {
    case 0:
        return decimal;
    case 1:
        return padded;
    default:
        return saturating;
    }
}

void TextToInt32Ours(benchmark::State& state) {
    const auto& texts = Texts(static_cast<int>(state.range(0))).ours;
    for (auto _ : state) {
        for (const auto& t : texts) {
            benchmark::DoNotOptimize(TextToInt32(t.c_str()));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}

void TextToInt32Wcstol(benchmark::State& state) {
    const auto& texts = Texts(static_cast<int>(state.range(0))).reference;
    for (auto _ : state) {
        for (const auto& t : texts) {
            benchmark::DoNotOptimize(static_cast<int32_t>(std::wcstol(t.c_str(), nullptr, 10)));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}

void AbaToTrack(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(rg_tarn_app::ConvertAbaToTrack(u"100000", u"63"));
    }
    state.SetItemsProcessed(state.iterations());
}

void TrackToAba(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(rg_tarn_app::ConvertTrackToAba(u"16843009", u"1"));
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(TextToInt32Ours)->ArgName("kind")->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(TextToInt32Wcstol)->ArgName("kind")->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(AbaToTrack);
BENCHMARK(TrackToAba);

} // namespace

int main(int argc, char** argv) {
    // kind 0: plain decimal texts, 1: padded with blanks, 2: saturating.
    return bench::RunWithRatios(argc, argv,
                                {{"TextToInt32Ours/kind:0", "TextToInt32Wcstol/kind:0"},
                                 {"TextToInt32Ours/kind:1", "TextToInt32Wcstol/kind:1"},
                                 {"TextToInt32Ours/kind:2", "TextToInt32Wcstol/kind:2"}});
}
