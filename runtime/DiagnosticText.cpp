#include "runtime/DiagnosticText.h"

#include "runtime/WString.h"

namespace {

int32_t ClampToInt32(int64_t value) {
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

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

int64_t AppendArrayHeader(CWString& out, int64_t count, int32_t limit) {
    const int64_t most = limit == 0 ? kDefaultDumpMembers : limit;
    if (limit < 0 || count <= most) {
        out.AppendFormat(u"<数组> 总共 %d 个成员:", {ClampToInt32(count)});
        return count;
    }
    out.AppendFormat(u"<数组> 总共 %d 个成员,输出了 %d 个,还有 %d 个未被输出.",
                     {ClampToInt32(count), ClampToInt32(most), ClampToInt32(count - most)});
    return most;
}
