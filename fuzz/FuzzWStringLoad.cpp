// CWString::LoadFrom on arbitrary bytes: only well-formed texts load, and what
// loads saves to the same bytes and reloads equal.
#include "fuzz/FuzzSupport.h"
#include "runtime/ObjectStream.h"
#include "runtime/WString.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTarnMemoryStream in(data, static_cast<int64_t>(size));
    CWConstString text(u"bound before loading");
    text.LoadFrom(in);
    Check(!text.IsConst());
    if (in.GetError() != CTarnObjectStream::kOk) {
        Check(in.GetError() == CTarnObjectStream::kReadError);
        Check(text.GetBuffer().GetSize() == 0 && text.GetText()[0] == 0);
        return 0;
    }
    int32_t count = 0;
    std::memcpy(&count, data, 4); // the fuzzing hosts are little-endian
    const int64_t bytes = text.GetBuffer().GetSize();
    Check(bytes == count);
    // Every loaded text ends with its terminator.
    Check(bytes == 0 || (bytes % 2 == 0 && data[4 + bytes - 2] == 0 && data[4 + bytes - 1] == 0));
    Check(text.GetLength() * 2 <= (bytes == 0 ? 0 : bytes - 2));

    CTarnMemoryStream out;
    text.SaveTo(out);
    Check(out.GetError() == CTarnObjectStream::kOk);
    Check(out.GetSize() == 4 + bytes);
    Check(std::memcmp(out.GetData(), data, static_cast<size_t>(out.GetSize())) == 0);

    CTarnMemoryStream again(out.GetData(), out.GetSize());
    CWString reloaded;
    reloaded.LoadFrom(again);
    Check(again.GetError() == CTarnObjectStream::kOk);
    Check(reloaded.IsEqual(CWString(text)));
    Check(reloaded.GetBuffer().GetSize() == bytes);
    return 0;
}
