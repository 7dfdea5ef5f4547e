#include "runtime/DiagnosticText.h"

#include "runtime/WString.h"

namespace {

// The escape letter of a unit that has one, or 0.
char16_t EscapeLetter(char16_t unit) {
    switch (unit) {
    case 8:
        return u'b';
    case 9:
        return u't';
    case 10:
        return u'n';
    case 12:
        return u'f';
    case 13:
        return u'r';
    case u'"':
        return u'"';
    case u'\'':
        return u'\'';
    case u'\\':
        return u'\\';
    default:
        return 0;
    }
}

void AppendQuotedUnit(CWString& out, char16_t unit) {
    const char16_t letter = EscapeLetter(unit);
    if (letter != 0) {
        const char16_t escape[2] = {u'\\', letter};
        out.AppendChars(escape, 2);
    } else if (unit < 0x20) {
        out.AppendFormat(u"\\x%02X", {static_cast<int>(unit)});
    } else {
        out.AppendChar(unit);
    }
}

} // namespace

const char16_t* QuoteText(const char16_t* text, CWString& scratch) {
    // Built aside first: text may be scratch's own value.
    CWString quoted;
    if (text == nullptr || text[0] == 0) {
        quoted.Append(u"\"\"");
    } else {
        quoted.AppendChar(u'"');
        for (const char16_t* unit = text; *unit != 0; ++unit) {
            AppendQuotedUnit(quoted, *unit);
        }
        quoted.AppendChar(u'"');
    }
    scratch.SetEmpty();
    scratch.Append(quoted.GetText());
    return scratch.GetText();
}

int32_t ClampToInt32(int64_t value) {
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

int64_t AppendDumpHeader(CWString& out, const char16_t* kind, const char16_t* item, int64_t count,
                         int32_t limit, int64_t default_most) {
    const int64_t most = limit == 0 ? default_most : limit;
    if (limit < 0 || count <= most) {
        out.AppendFormat(u"<%s> 总共 %d 个%s:", {kind, ClampToInt32(count), item});
        return count;
    }
    out.AppendFormat(
        u"<%s> 总共 %d 个%s,输出了 %d 个,还有 %d 个未被输出.",
        {kind, ClampToInt32(count), item, ClampToInt32(most), ClampToInt32(count - most)});
    return most;
}

int64_t AppendArrayHeader(CWString& out, int64_t count, int32_t limit) {
    return AppendDumpHeader(out, u"数组", u"成员", count, limit, kDefaultDumpMembers);
}

void AppendObjectIdentity(CWString& out, const CTarnObject& object, const char16_t* format) {
    CWString name;
    name.AppendUtf8(object.GetClassInfo().name);
    out.AppendFormat(format,
                     {name.GetText(), static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&object))});
    if ((object.flags & CTarnObject::kFlagEmpty) != 0) {
        out.Append(u", 为空对象");
    }
}
