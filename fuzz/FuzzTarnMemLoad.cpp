// CTarnMem::LoadFrom on arbitrary bytes: the outcome must match the stream,
// and what loads must save to the same bytes and reload equal.
#include "fuzz/FuzzSupport.h"
#include "runtime/ObjectStream.h"
#include "runtime/TarnMem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTarnMemoryStream in(data, static_cast<int64_t>(size));
    CTarnMem loaded;
    loaded.LoadFrom(in);
    if (size < 4) {
        Check(in.GetError() == CTarnObjectStream::kReadError);
        Check(loaded.GetData() == nullptr);
        return 0;
    }
    int32_t count = 0;
    std::memcpy(&count, data, 4); // the fuzzing hosts are little-endian
    const bool fits = count >= 0 && static_cast<size_t>(count) <= size - 4;
    if (!fits) {
        Check(in.GetError() == CTarnObjectStream::kReadError);
        Check(loaded.GetSize() == 0 && loaded.GetData() == nullptr);
        return 0;
    }
    Check(in.GetError() == CTarnObjectStream::kOk);
    Check(loaded.GetSize() == count);
    Check(in.GetPosition() == 4 + int64_t{count});

    // Saved again, it is exactly the bytes that were consumed.
    CTarnMemoryStream out;
    loaded.SaveTo(out);
    Check(out.GetError() == CTarnObjectStream::kOk);
    Check(out.GetSize() == in.GetPosition());
    Check(std::memcmp(out.GetData(), data, static_cast<size_t>(out.GetSize())) == 0);

    CTarnMemoryStream again(out.GetData(), out.GetSize());
    CTarnMem reloaded;
    reloaded.SetGrowStep(static_cast<int64_t>(size % 300) - 5); // any step loads the same bytes
    reloaded.LoadFrom(again);
    Check(again.GetError() == CTarnObjectStream::kOk);
    Check(reloaded.IsEqual(loaded));
    return 0;
}
