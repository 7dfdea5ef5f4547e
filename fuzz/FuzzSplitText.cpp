// SplitText against a reference model built on std::u16string, with the pool's blocks balanced.
#include "fuzz/FuzzSupport.h"
#include "runtime/PoolMem.h"
#include "runtime/StringArray.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::optional<std::u16string>>;

bool Trimmed(char16_t unit) {
    return unit <= 0x20 || unit == 0x3000;
}

std::optional<std::u16string> Trim(const std::u16string& piece) {
    size_t first = 0;
    size_t last = piece.size();
    while (first < last && Trimmed(piece[first])) {
        ++first;
    }
    while (last > first && Trimmed(piece[last - 1])) {
        --last;
    }
    if (first == last) {
        return std::nullopt;
    }
    return piece.substr(first, last - first);
}

Pieces Reference(const std::u16string& text, const std::u16string& delimiters) {
    Pieces pieces;
    size_t start = 0;
    while (start < text.size()) {
        const size_t at =
            delimiters.empty() ? std::u16string::npos : text.find_first_of(delimiters, start);
        if (at == std::u16string::npos) {
            pieces.push_back(Trim(text.substr(start)));
            break;
        }
        pieces.push_back(Trim(text.substr(start, at - start)));
        if (at + 1 == text.size()) {
            pieces.push_back(std::nullopt);
            break;
        }
        start = at + 1;
    }
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // UTF-16 units; the first zero unit ends the delimiters, the next one the text.
    const std::u16string units = UnitsFromBytes(data, size);
    const size_t split = units.find(u'\0');
    const std::u16string delimiters = units.substr(0, split);
    std::u16string text = split == std::u16string::npos ? u"" : units.substr(split + 1);
    text = text.substr(0, text.find(u'\0'));

    const int64_t free_before = ProcessMemPool().FreeBlockCount();
    {
        CMStringArray list;
        const int64_t count = SplitText(text.c_str(), list, delimiters.c_str());
        const Pieces expected = Reference(text, delimiters);
        Check(count == list.GetCount());
        Check(count == static_cast<int64_t>(expected.size()));
        for (int64_t i = 0; i < count; ++i) {
            const char16_t* piece = list.GetAt(i);
            const auto& want = expected[static_cast<size_t>(i)];
            Check((piece == nullptr) == !want.has_value());
            Check(piece == nullptr || std::u16string(piece) == *want);
        }
    }
    Check(ProcessMemPool().FreeBlockCount() == free_before);
    return 0;
}
