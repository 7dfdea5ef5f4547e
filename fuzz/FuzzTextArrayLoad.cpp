// Loading a text array from arbitrary bytes: no fault, and what loads saves and reloads unchanged.
#include "fuzz/FuzzSupport.h"
#include "runtime/ObjectStream.h"
#include "runtime/PoolMem.h"
#include "runtime/TextArray.h"
#include "runtime/WString.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int64_t free_before = ProcessMemPool().FreeBlockCount();
    {
        rg_tarn_base::rg_WenBenShuZuLei loaded;
        loaded.AddText(u"replaced by the load");
        CTarnMemoryStream in(data, static_cast<int64_t>(size));
        loaded.LoadFrom(in);
        Check(in.GetError() == CTarnObjectStream::kOk ||
              in.GetError() == CTarnObjectStream::kReadError);
        for (int64_t i = 0; i < loaded.GetCount(); ++i) {
            const char16_t* text = loaded.GetAt(i);
            Check(text == nullptr || text[0] != 0);
        }

        CTarnMemoryStream saved;
        loaded.SaveTo(saved);
        Check(saved.GetError() == CTarnObjectStream::kOk);

        rg_tarn_base::rg_WenBenShuZuLei reloaded;
        CTarnMemoryStream again(saved.GetData(), saved.GetSize());
        reloaded.LoadFrom(again);
        Check(again.GetError() == CTarnObjectStream::kOk);
        Check(again.GetPosition() == saved.GetSize());
        Check(reloaded.IsEqual(loaded));

        // The saved form is canonical: saving the reloaded array gives the same bytes.
        CTarnMemoryStream resaved;
        reloaded.SaveTo(resaved);
        Check(resaved.GetSize() == saved.GetSize());
        Check(std::memcmp(resaved.GetData(), saved.GetData(),
                          static_cast<size_t>(saved.GetSize())) == 0);

        // Every text is shown while there are few; a longer array is cut,
        // which takes the dump's other path. Each text is shown by the same
        // code, so a few of them tell as much as all.
        CWString dump;
        loaded.DumpText(dump, loaded.GetCount() <= 3 ? -1 : 3);
        Check(!dump.IsEmpty());
    }
    Check(ProcessMemPool().FreeBlockCount() == free_before);
    return 0;
}
