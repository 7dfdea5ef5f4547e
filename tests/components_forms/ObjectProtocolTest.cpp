// The object protocol run as one table over every component class: identity, factory, kinds,
// copies that refuse other classes, clone and fresh instance types, and the stream form.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "components/Button.h"
#include "components/EditBox.h"
#include "components/EventSlot.h"
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

template <> struct Protocol<CTarnWinControl> {
    using Base = CTarnRefObject;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::CTarnWinControl";
};
template <> struct Protocol<CTarnWinContainer> {
    using Base = CTarnWinControl;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::CTarnWinContainer";
};
template <> struct Protocol<rg_AnNiuJiChuLei> {
    using Base = CTarnWinControl;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::rg_AnNiuJiChuLei";
};
template <> struct Protocol<rg_button1> {
    using Base = rg_AnNiuJiChuLei;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::rg_button1";
};
template <> struct Protocol<rg_FenZuKuang2> {
    using Base = CTarnWinContainer;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::rg_FenZuKuang2";
};
template <> struct Protocol<rg_label7> {
    using Base = CTarnWinControl;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::rg_label7";
};
template <> struct Protocol<rg_edit_box> {
    using Base = CTarnWinControl;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::rg_edit_box";
};
template <> struct Protocol<rg_ZuJianBuJuQi> {
    using Base = CTarnWinContainer;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::rg_ZuJianBuJuQi";
};
template <> struct Protocol<CTarnWinForm> {
    using Base = rg_ZuJianBuJuQi;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::CTarnWinForm";
};
template <> struct Protocol<rg_KeSheJiLei> {
    using Base = CTarnRefObject;
    static constexpr const char* kName = "rg_tarn_base::rg_KeSheJiLei";
};
template <> struct Protocol<rg_CaiChanLei> {
    using Base = rg_KeSheJiLei;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::rg_CaiChanLei";
};
template <> struct Protocol<rg_ChuangKouWeiZhiXianZhiXinXi> {
    using Base = CTarnObject;
    static constexpr const char* kName = "rg_tarn_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi";
};
template <> struct Protocol<CTarnRefObject> { using Base = CTarnObject; };

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

int32_t AnswerKey(CTarnObject*, CTarnObject*, int32_t tag, uint32_t, uint32_t) {
    return tag;
}

// A binding belongs to its object: a copy or clone shares the window holder
// and the object text but starts unbound, and a copy into a bound object
// keeps that object's own binding.
TYPED_TEST(ObjectProtocol, CopiesShareTheHolderButNeverTheBindings) {
    if constexpr (std::is_base_of_v<CTarnWinControl, TypeParam>) {
        rg_tarn_base::rg_ZhengShuLei anchor;
        auto* pointer = new CTarnEventObjectPointer(&anchor);
        {
            TypeParam source;
            source.ObjectText = CWString(u"源");
            source.KeyDown.Bind(&AnswerKey, pointer, 1);
            TypeParam copy(source);
            TypeParam target;
            target.KeyDown.Bind(&AnswerKey, pointer, 2);
            ASSERT_TRUE(target.CopyFrom(source));
            Owned clone(source.Clone());
            const auto& cloned = static_cast<const TypeParam&>(*clone);
            const TypeParam* const copies[] = {&copy, &target, &cloned};
            for (const TypeParam* object : copies) {
                EXPECT_EQ(object->GetRef(), source.GetRef());
                EXPECT_EQ(std::u16string(object->ObjectText.GetText()), u"源");
            }
            EXPECT_FALSE(copy.KeyDown.IsBound());
            EXPECT_FALSE(cloned.KeyDown.IsBound());
            EXPECT_EQ(target.KeyDown.Raise(&target, 0, 0), 2) << "the target's own binding stays";
            EXPECT_EQ(source.KeyDown.Raise(&source, 0, 0), 1);
            EXPECT_EQ(pointer->GetRefCount(), 3) << "two bindings and the maker's reference";
        }
        EXPECT_EQ(pointer->GetRefCount(), 1) << "each slot released its binding";
        pointer->Detach(); // gives up the maker's reference, which frees it
    }
}

} // namespace
