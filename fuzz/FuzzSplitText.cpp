// SplitText against a reference model built on std::u16string, with the pool's blocks balanced.
#include "fuzz/FuzzSupport.h"
#include "runtime/PoolMem.h"
#include "runtime/StringArray.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A piece of the reference split: a run of the text, or none for a null entry.
struct Piece {
    size_t start;
    size_t length; // 0 stands for a null entry: trimmed pieces are never empty
};

bool Trimmed(char16_t unit) {
    return unit <= 0x20 || unit == 0x3000;
}

Piece Trim(const std::u16string& text, size_t first, size_t last) {
    while (first < last && Trimmed(text[first])) {
        ++first;
    }
    while (last > first && Trimmed(text[last - 1])) {
        --last;
    }
    return {first, last - first};
}

// The split written out plainly on std::u16string, as runs of the text so
// that a run costs no allocation. pieces is reused from run to run.
void Reference(const std::u16string& text, const std::u16string& delimiters,
               std::vector<Piece>& pieces) {
    pieces.clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t at =
            delimiters.empty() ? std::u16string::npos : text.find_first_of(delimiters, start);
        if (at == std::u16string::npos) {
            pieces.push_back(Trim(text, start, text.size()));
            break;
        }
        pieces.push_back(Trim(text, start, at));
        if (at + 1 == text.size()) {
            pieces.push_back({at + 1, 0});
            break;
        }
        start = at + 1;
    }
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
        static std::vector<Piece> expected;
        Reference(text, delimiters, expected);
        Check(count == list.GetCount());
        Check(count == static_cast<int64_t>(expected.size()));
        for (int64_t i = 0; i < count; ++i) {
            const char16_t* piece = list.GetAt(i);
            const Piece& want = expected[static_cast<size_t>(i)];
            Check((piece == nullptr) == (want.length == 0));
            Check(piece == nullptr || text.compare(want.start, want.length, piece) == 0);
        }
    }
    Check(ProcessMemPool().FreeBlockCount() == free_before);
    return 0;
}
