// Pieces of the diagnostic text shared by the dumps: quoted texts and the array header.
#pragma once

#include <cstdint>

class CTarnObject;
class CWString;

// Default number of members an array dump shows when its limit is 0.
inline constexpr int64_t kDefaultDumpMembers = 64;

// Makes the quoted form of text in scratch and returns scratch's value: the
// text between double quotes, with backspace, tab, line feed, form feed,
// carriage return, the double quote, the apostrophe and the backslash escaped
// by a backslash (\b \t \n \f \r \" \' \\), every other unit below 0x20 as \xHH
// (two uppercase hexadecimal digits), and all other units as they stand. A null
// or empty text gives the two units "".
const char16_t* QuoteText(const char16_t* text, CWString& scratch);

// The value as a 32-bit integer argument, values above INT32_MAX as INT32_MAX.
int32_t ClampToInt32(int64_t value);

// Appends the header of a dump of count items under limit (below 0: no limit;
// 0: default_most; above 0: at most that many) and returns how many items are
// to follow it. kind names what is dumped and item what it counts:
// "<kind> 总共 N 个item:" when every item follows, otherwise
// "<kind> 总共 N 个item,输出了 M 个,还有 R 个未被输出.".
int64_t AppendDumpHeader(CWString& out, const char16_t* kind, const char16_t* item, int64_t count,
                         int32_t limit, int64_t default_most);

// Appends the header of an array dump ("数组" of "成员", by default
// kDefaultDumpMembers of them) and returns how many members are to follow it.
int64_t AppendArrayHeader(CWString& out, int64_t count, int32_t limit);

// Appends the identity of object by format, which takes the class name widened
// from UTF-8 ("%s") and the object's address ("%I64X"), followed by ", 为空对象"
// when the object is marked empty.
void AppendObjectIdentity(CWString& out, const CTarnObject& object, const char16_t* format);
