// The application instance: program registration, worker pool upkeep, display scale, resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/AppInstance.h"
#include "native/ProgramBody.h"
#include "native/ProgramClasses.h"
#include "runtime/TarnException.h"
#include "tests/native/NativeTestResources.h"

namespace {

using rg_tarn_base::rg_ChengXuLei;
using rg_tarn_base::rg_ChuangKouChengXuLei;

// A worker that records when the pool retires it.
class RecordingWorker : public CTarnWorker {
public:
    RecordingWorker(int32_t state, uint32_t lastActivity, std::vector<int>* retired, int name)
        : retired_(retired), name_(name) {
        SetState(state, lastActivity);
    }
    void Retire() override { retired_->push_back(name_); }

private:
    std::vector<int>* retired_;
    int name_;
};

TEST(WorkerPool, UpkeepRetiresEndedStaleAndSurplusWorkersOncePerInterval) {
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, uint32_t>> workers; // state, last activity
        uint32_t now;
        std::vector<int> retired; // names, in retire order
    };
    const uint32_t t = 100000;
    const std::vector<Case> cases = {
        {"empty list", {}, t, {}},
        {"recent idle and working stay", {{2, t - 10}, {1, 0}, {2, t - 15999}}, t, {}},
        {"ended goes", {{0, t}, {2, t}}, t, {0}},
        {"idle past the limit goes", {{2, t - 16000}, {2, t - 1}}, t, {0}},
        {"activity in the future counts as stale", {{2, t + 5}}, t, {0}},
        {"walk runs from the last to the first", {{0, 0}, {1, 0}, {0, 0}}, t, {2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> retired;
        std::vector<RecordingWorker*> made;
        CTarnWorkerPool pool;
        for (size_t i = 0; i < c.workers.size(); ++i) {
            made.push_back(new RecordingWorker(c.workers[i].first, c.workers[i].second, &retired,
                                               static_cast<int>(i)));
            pool.Add(made.back());
        }
        pool.IdleMaintenanceAt(c.now);
        EXPECT_EQ(retired, c.retired);
        EXPECT_EQ(pool.GetLastCheckTime(), c.now);
        EXPECT_EQ(pool.GetWorkerCount(), static_cast<int64_t>(c.workers.size() - c.retired.size()));
        pool.Stop();
        EXPECT_EQ(retired.size(), c.workers.size()) << "stop retires everything left";
        for (RecordingWorker* worker : made) {
            delete worker;
        }
    }
}

TEST(WorkerPool, SurplusIdleWorkersAreRetiredNewestFirst) {
    std::vector<int> retired;
    std::vector<RecordingWorker*> made;
    CTarnWorkerPool pool;
    const int64_t keep = pool.GetMaxIdleWorkers();
    const uint32_t now = 50000;
    for (int i = 0; i < keep + 3; ++i) {
        made.push_back(new RecordingWorker(CTarnWorker::kIdle, now, &retired, i));
        pool.Add(made.back());
    }
    pool.IdleMaintenanceAt(now);
    const int last = static_cast<int>(keep + 2);
    EXPECT_EQ(retired, (std::vector<int>{last, last - 1, last - 2}));
    EXPECT_EQ(pool.GetWorkerCount(), keep);
    pool.Stop();
    for (RecordingWorker* worker : made) {
        delete worker;
    }
}

TEST(WorkerPool, UpkeepWalksAtMostOncePerSecondAndAfterTheTickWraps) {
    std::vector<int> retired;
    CTarnWorkerPool pool;
    EXPECT_TRUE(pool.IsStopped()) << "no worker ever started";
    pool.IdleMaintenanceAt(5000);
    EXPECT_EQ(pool.GetLastCheckTime(), 5000u);
    RecordingWorker ended(CTarnWorker::kEnded, 0, &retired, 7);
    pool.Add(&ended);
    pool.IdleMaintenanceAt(5999);
    EXPECT_TRUE(retired.empty()) << "within the interval nothing is walked";
    EXPECT_EQ(pool.GetLastCheckTime(), 5000u);
    pool.IdleMaintenanceAt(6000);
    EXPECT_EQ(retired, std::vector<int>{7});
    pool.IdleMaintenanceAt(10);
    EXPECT_EQ(pool.GetLastCheckTime(), 10u) << "a wrapped counter checks at once";

    pool.Stop();
    EXPECT_TRUE(pool.IsStopped());
    EXPECT_EQ(pool.GetLastCheckTime(), 0u);
    pool.Stop();
    EXPECT_EQ(retired.size(), 1u) << "a second stop finds nothing";
}

TEST(DisplayScale, DpiBecomesAScaleOfAtLeastOne) {
    const std::pair<uint32_t, double> table[] = {{0, 1.0},    {72, 1.0},  {96, 1.0},
                                                 {120, 1.25}, {144, 1.5}, {192, 2.0}};
    for (const auto& [dpi, scale] : table) {
        EXPECT_DOUBLE_EQ(CTarnAppInstance::ScaleFromDpi(dpi), scale) << dpi;
    }
}

TEST(DisplayScale, WithoutTheScalingLibraryTheScreenDpiIsUsed) {
    CTarnAppInstance instance;
    instance.RecordDisplayScale(L"qorvath-no-such-library.dll");
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_DOUBLE_EQ(instance.GetDisplayScale(), CTarnAppInstance::ScaleFromDpi(dpi));
    instance.RecordDisplayScale();
    EXPECT_GE(instance.GetDisplayScale(), 1.0);
}

TEST(ProgramObject, TheMostRecentLiveProgramIsCurrentAndTemporariesNeverStay) {
    CTarnAppInstance instance;
    ASSERT_EQ(CTarnAppInstance::Current(), &instance);
    auto* program = new rg_ChuangKouChengXuLei();
    EXPECT_EQ(instance.GetCurrentProgram(), program);

    program->Reset();
    EXPECT_EQ(instance.GetCurrentProgram(), program) << "Reset's temporary is gone";

    auto* clone = static_cast<rg_ChuangKouChengXuLei*>(program->Clone());
    EXPECT_EQ(instance.GetCurrentProgram(), clone);
    CTarnUserApp* fresh = program->CreateNew();
    FreeObject(clone); // out of order: the newer one stays current
    EXPECT_EQ(instance.GetCurrentProgram(), fresh);
    FreeObject(fresh);
    EXPECT_EQ(instance.GetCurrentProgram(), program);

    instance.FreeCurrentProgram();
    EXPECT_EQ(instance.GetCurrentProgram(), nullptr);
    instance.FreeCurrentProgram();
}

TEST(ProgramObject, ClassesKnowTheirChainAndTheBasicValueClasses) {
    rg_ChuangKouChengXuLei program;
    EXPECT_TRUE(program.IsKindOf(rg_ChuangKouChengXuLei::ClassRecord()));
    EXPECT_TRUE(program.IsKindOf(rg_ChengXuLei::ClassRecord()));
    EXPECT_TRUE(program.IsKindOf(CTarnUserApp::ClassRecord()));
    EXPECT_TRUE(program.IsKindOf(CTarnObject::ClassRecord()));
    CTarnUserApp base;
    EXPECT_FALSE(base.IsKindOf(rg_ChengXuLei::ClassRecord()));
    EXPECT_FALSE(program.CopyFrom(base)) << "a plain program object is no window program";
    EXPECT_EQ(base.GetBasicTypeClasses(), nullptr);

    const ClassInfo* const* table = program.GetBasicTypeClasses();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table, rg_ChengXuLei().GetBasicTypeClasses()) << "filled once";
    const char* names[] = {"rg_tarn_base::rg_ZiJieLei",
                           "rg_tarn_base::rg_DuanZhengShuLei",
                           "rg_tarn_base::rg_ZiFuLei",
                           "rg_tarn_base::rg_ZhengShuLei",
                           "rg_tarn_base::rg_BianZhengShuLei",
                           "rg_tarn_base::rg_ChangZhengShuLei",
                           "rg_tarn_base::rg_ChanJingDuXiaoShuLei",
                           "rg_tarn_base::rg_XiaoShuLei",
                           "rg_tarn_base::rg_LuoJiXingLei"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_STREQ(table[i]->name, names[i]);
    }
    MSG msg = {};
    EXPECT_EQ(program.PreFilterMessage(nullptr, WM_KEYDOWN, 0, 0, &msg), 1);
    EXPECT_EQ(program.IdleWork(5000), 0);
}

int32_t ReturnSeven(CTarnUserApp&) {
    return 7;
}

int32_t ThrowFive(CTarnUserApp&) {
    throw CTarnException(5, u"XYZ");
}

TEST(ProgramBody, RunsTheCurrentProgramsBodyAndLetsADebuggerSeeExceptions) {
    CTarnAppInstance instance;
    EXPECT_EQ(RunProgramBody(&ReturnSeven), 0) << "no program object";
    rg_ChuangKouChengXuLei program;
    EXPECT_EQ(RunProgramBody(&ReturnSeven), 7);
    // With a debugger the body runs unprotected: the exception reaches the caller.
    try {
        RunProgramBodyWith(&ThrowFive, true);
        ADD_FAILURE() << "the exception was swallowed";
    } catch (const CTarnException& exception) {
        EXPECT_EQ(exception.code, 5);
        EXPECT_EQ(std::u16string(exception.description.GetText()), u"XYZ");
    }
}

TEST(Resources, StringsTextsAndBytesAreLoadedWhole) {
    CTarnAppInstance instance;
    CWString text(u"old");
    EXPECT_TRUE(instance.LoadStringResource(kLongStringId, text).GetText() == text.GetText());
    std::u16string expected;
    for (int i = 0; i < 500; ++i) {
        expected += u"0123456789";
    }
    EXPECT_EQ(std::u16string(text.GetText()), expected) << "5000 units through one growth step";
    EXPECT_EQ(std::u16string(instance.LoadStringResource(kShortStringId, text).GetText()), u"磁道");
    EXPECT_TRUE(instance.LoadStringResource(0, text).IsEmpty());
    EXPECT_TRUE(instance.LoadStringResource(9999, text).IsEmpty());

    EXPECT_TRUE(instance.LoadTextResource(kTextWithMarkId, text));
    EXPECT_EQ(std::u16string(text.GetText()), u"ABA转换磁道") << "leading U+FEFF skipped";
    EXPECT_TRUE(instance.LoadTextResource(kTextWithoutMarkId, text));
    EXPECT_EQ(std::u16string(text.GetText()), u"SPT");
    EXPECT_FALSE(instance.LoadTextResource(9999, text));
    EXPECT_TRUE(text.IsEmpty());

    CTarnMem bytes;
    EXPECT_TRUE(instance.LoadDataResource(kRawBytesId, bytes));
    ASSERT_EQ(bytes.GetSize(), 5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.GetData()), 5), "disk\n");
    EXPECT_TRUE(instance.LoadResourceBytes(0, bytes, MAKEINTRESOURCEW(10)));
    EXPECT_EQ(bytes.GetSize(), 0);
    EXPECT_FALSE(instance.LoadDataResource(9999, bytes));
}

TEST(Resources, PicturesAreDecodedIntoBitmapsImageListsCursorsAndIcons) {
    CTarnAppInstance instance;
    EXPECT_FALSE(instance.IsGdiplusRunning()) << "GDI+ starts on first use only";

    auto* bitmap = static_cast<HBITMAP>(
        instance.LoadImageResource(CTarnAppInstance::kBitmap, kAlphaPictureId));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(instance.IsGdiplusRunning());
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmWidth, 6);
    EXPECT_EQ(dib.dsBm.bmHeight, 3);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 32) << "a picture with alpha keeps it";
    const auto* pixels = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    EXPECT_EQ(pixels[3], 0x80) << "the first pixel is half transparent";
    DeleteObject(bitmap);

    auto* plain = static_cast<HBITMAP>(
        instance.LoadImageResource(CTarnAppInstance::kBitmap, kOpaquePictureId));
    ASSERT_NE(plain, nullptr);
    ASSERT_EQ(GetObjectW(plain, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24) << "an opaque picture keeps its own depth";
    DeleteObject(plain);

    auto* list = static_cast<HIMAGELIST>(
        instance.LoadImageResource(CTarnAppInstance::kImageList, kAlphaPictureId));
    ASSERT_NE(list, nullptr);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cy, 3);
    EXPECT_EQ(cx, 4) << "an odd height gives cells one wider";
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
    ImageList_Destroy(list);

    EXPECT_NE(instance.LoadImageResource(CTarnAppInstance::kIcon, kTestIconId), nullptr);
    EXPECT_EQ(instance.LoadImageResource(CTarnAppInstance::kBitmap, 0), nullptr);
    EXPECT_EQ(instance.LoadImageResource(CTarnAppInstance::kBitmap, kRawBytesId), nullptr)
        << "bytes that are no picture";
    EXPECT_EQ(instance.LoadImageResource(7, kAlphaPictureId), nullptr);
    EXPECT_EQ(instance.LoadImageFile(CTarnAppInstance::kBitmap, u""), nullptr);
    EXPECT_EQ(instance.BitmapFromMemory("not a picture", 13), nullptr);

    instance.ShutdownGdiplus();
    EXPECT_FALSE(instance.IsGdiplusRunning());
}

} // namespace
