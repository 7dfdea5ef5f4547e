// Pieces of the diagnostic text shared by the dumps: quoted texts and the array header.
#pragma once

#include <cstdint>

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

// Appends the header of an array dump for count members under limit (below 0:
// no limit; 0: kDefaultDumpMembers; above 0: at most that many) and returns
// how many members are to follow it.
int64_t AppendArrayHeader(CWString& out, int64_t count, int32_t limit);
