// The object protocol run as one table over every component class: identity, factory, kinds,
// copies that refuse other classes, clone and fresh instance types, and the stream form.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "components/Button.h"
#include "components/EditBox.h"
#include "components/GroupBox.h"
#include "components/Label.h"
#include "components/LayoutContainer.h"
#include "components/Menu.h"
#include "components/WinContainer.h"
#include "components/WinControl.h"
#include "components/WinForm.h"
#include "components/WindowPositionLimits.h"
#include "runtime/ObjectStream.h"
#include "values/BoxedValues.h"

namespace {

using namespace rg_tarn_MFCJieMian_base;
using rg_tarn_base::rg_KeSheJiLei;

// What each class must answer: its record name and its direct base, whose
// chain IsKindOf follows up to CTarnObject.
template <class T> struct Protocol;

#define QORVATH_PROTOCOL_ROW(Class, BaseClass, Name)                                              \
    template <> struct Protocol<Class> {                                                          \
        using Base = BaseClass;                                                                   \
        static constexpr const char* kName = Name;                                                \
    }

QORVATH_PROTOCOL_ROW(CTarnWinControl, CTarnRefObject, "rg_tarn_MFCJieMian_base::CTarnWinControl");
QORVATH_PROTOCOL_ROW(CTarnWinContainer, CTarnWinControl,
                     "rg_tarn_MFCJieMian_base::CTarnWinContainer");
QORVATH_PROTOCOL_ROW(rg_AnNiuJiChuLei, CTarnWinControl,
                     "rg_tarn_MFCJieMian_base::rg_AnNiuJiChuLei");
QORVATH_PROTOCOL_ROW(rg_button1, rg_AnNiuJiChuLei, "rg_tarn_MFCJieMian_base::rg_button1");
QORVATH_PROTOCOL_ROW(rg_FenZuKuang2, CTarnWinContainer, "rg_tarn_MFCJieMian_base::rg_FenZuKuang2");
QORVATH_PROTOCOL_ROW(rg_label7, CTarnWinControl, "rg_tarn_MFCJieMian_base::rg_label7");
QORVATH_PROTOCOL_ROW(rg_edit_box, CTarnWinControl, "rg_tarn_MFCJieMian_base::rg_edit_box");
QORVATH_PROTOCOL_ROW(rg_ZuJianBuJuQi, CTarnWinContainer,
                     "rg_tarn_MFCJieMian_base::rg_ZuJianBuJuQi");
QORVATH_PROTOCOL_ROW(CTarnWinForm, rg_ZuJianBuJuQi, "rg_tarn_MFCJieMian_base::CTarnWinForm");
QORVATH_PROTOCOL_ROW(rg_KeSheJiLei, CTarnRefObject, "rg_tarn_base::rg_KeSheJiLei");
QORVATH_PROTOCOL_ROW(rg_CaiChanLei, rg_KeSheJiLei, "rg_tarn_MFCJieMian_base::rg_CaiChanLei");
QORVATH_PROTOCOL_ROW(rg_ChuangKouWeiZhiXianZhiXinXi, CTarnObject,
                     "rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi");
template <> struct Protocol<CTarnRefObject> {
    using Base = CTarnObject;
};

#undef QORVATH_PROTOCOL_ROW

struct FreeDeleter {
    void operator()(CTarnObject* object) const { ::FreeObject(object); }
};
using Owned = std::unique_ptr<CTarnObject, FreeDeleter>;

// True when object is a kind of every class from Class up to CTarnObject.
template <class Class> bool KindOfChain(const CTarnObject& object) {
    if (!object.IsKindOf(Class::ClassRecord())) {
        return false;
    }
    if constexpr (std::is_same_v<Class, CTarnObject>) {
        return true;
    } else {
        return KindOfChain<typename Protocol<Class>::Base>(object);
    }
}

template <class T> class ObjectProtocol : public ::testing::Test {};

using ComponentClasses =
    ::testing::Types<CTarnWinControl, CTarnWinContainer, rg_AnNiuJiChuLei, rg_button1,
                     rg_FenZuKuang2, rg_label7, rg_edit_box, rg_ZuJianBuJuQi, CTarnWinForm,
                     rg_KeSheJiLei, rg_CaiChanLei, rg_ChuangKouWeiZhiXianZhiXinXi>;
TYPED_TEST_SUITE(ObjectProtocol, ComponentClasses);

TYPED_TEST(ObjectProtocol, IdentityFactoryAndKinds) {
    const ClassInfo& record = TypeParam::ClassRecord();
    EXPECT_STREQ(record.name, Protocol<TypeParam>::kName);
    TypeParam object;
    EXPECT_TRUE(SameClass(object.GetClassInfo(), record));
    EXPECT_TRUE(KindOfChain<TypeParam>(object));
    // The record's factory makes the class itself, which is its own kind only.
    ASSERT_NE(record.create, nullptr);
    Owned made(record.create());
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(SameClass(made->GetClassInfo(), record));
    static const ClassInfo stranger = MakeClassInfo(nullptr, "rg_tarn_test::Stranger");
    EXPECT_FALSE(object.IsKindOf(stranger));
    EXPECT_FALSE(object.IsKindOf(rg_tarn_base::rg_ZhengShuLei::ClassRecord()));
    using Base = typename Protocol<TypeParam>::Base;
    if constexpr (!std::is_same_v<Base, CTarnObject>) {
        Base base;
        EXPECT_FALSE(base.IsKindOf(record)) << "a base is no kind of its derived class";
    }
}

TYPED_TEST(ObjectProtocol, CopyFromTakesItsKindAndRefusesOthers) {
    TypeParam source;
    source.extra = 0x51;
    TypeParam target;
    target.extra = 7;
    rg_tarn_base::rg_ZhengShuLei number(5);
    EXPECT_FALSE(target.CopyFrom(number));
    EXPECT_EQ(target.extra, 7u) << "a refused copy changes nothing";
    using Base = typename Protocol<TypeParam>::Base;
    if constexpr (!std::is_same_v<Base, CTarnObject> && !std::is_same_v<Base, CTarnRefObject>) {
        Base base;
        base.extra = 9;
        EXPECT_FALSE(target.CopyFrom(base)) << "a base object is no kind of this class";
        EXPECT_EQ(target.extra, 7u);
    }
    EXPECT_TRUE(target.CopyFrom(source));
    EXPECT_EQ(target.extra, 0x51u);
}

TYPED_TEST(ObjectProtocol, CloneAndCreateNewMakeTheDynamicClass) {
    TypeParam source;
    source.extra = 0x77;
    // Through the root, as the runtime calls them.
    const CTarnObject& root = source;
    Owned clone(root.Clone());
    Owned fresh(root.CreateNew());
    ASSERT_NE(clone, nullptr);
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(SameClass(clone->GetClassInfo(), TypeParam::ClassRecord()));
    EXPECT_TRUE(SameClass(fresh->GetClassInfo(), TypeParam::ClassRecord()));
    EXPECT_NE(dynamic_cast<TypeParam*>(clone.get()), nullptr);
    EXPECT_NE(dynamic_cast<TypeParam*>(fresh.get()), nullptr);
    EXPECT_EQ(clone->extra, 0x77u);
    EXPECT_EQ(fresh->extra, 0u);
    source.Reset();
    EXPECT_EQ(source.extra, 0u);
    EXPECT_TRUE(SameClass(source.GetClassInfo(), TypeParam::ClassRecord()));
}

TYPED_TEST(ObjectProtocol, StreamRoundTrip) {
    TypeParam source;
    if constexpr (std::is_base_of_v<CTarnWinControl, TypeParam>) {
        source.ObjectText = CWString(u"对象名");
    }
    CTarnMemoryStream stream;
    source.SaveTo(stream);
    EXPECT_EQ(stream.GetError(), CTarnObjectStream::kOk);
    TypeParam loaded;
    loaded.LoadFrom(stream);
    EXPECT_EQ(stream.GetError(), CTarnObjectStream::kOk);
    if constexpr (std::is_base_of_v<CTarnWinControl, TypeParam>) {
        EXPECT_EQ(std::u16string(loaded.ObjectText.GetText()), u"对象名");
    }
}

} // namespace
