// The text-value forms of the float and date rules: what boxed values and
// edit boxes append.
#include "runtime/DateTime.h"
#include "runtime/NumberText.h"
#include "runtime/WString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AppendFloatText, AppendsAfterExistingTextWithTheZeroWindow) {
    CWString text(u"v=");
    AppendDouble(text, 0.0000005);
    text.Append(u";");
    AppendDouble(text, 0.1);
    text.Append(u";");
    AppendDouble(text, 1e20);
    text.Append(u";");
    AppendFloat(text, 0.1f);
    text.Append(u";");
    AppendFloat(text, -0.0000001f);
    EXPECT_EQ(std::u16string(text.GetText()), u"v=0;0.1;1E+20;0.1;0");
}

TEST(DateToTextTarget, ReplacesTheTargetAndEmptiesItOutsideTheRange) {
    CWString target(u"old text");
    EXPECT_EQ(&DateToText(45292.5, target, true), &target);
    EXPECT_EQ(std::u16string(target.GetText()), u"2024年1月1日12时");
    DateToText(45292.5, target, false);
    EXPECT_EQ(std::u16string(target.GetText()), u"1/1/2024 12");
    DateToText(3000000.0, target, true);
    EXPECT_TRUE(target.IsEmpty());
}

} // namespace
