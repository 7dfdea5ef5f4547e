#include "native/ProgramClasses.h"

#include "native/AppInstance.h"
#include "values/BoxedValues.h"

namespace {

CTarnObject* CreateUserApp() {
    return new CTarnUserApp();
}

CTarnObject* CreateProgram() {
    return new rg_tarn_base::rg_ChengXuLei();
}

CTarnObject* CreateWindowProgram() {
    return new rg_tarn_base::rg_ChuangKouChengXuLei();
}

void Register(CTarnUserApp* program) {
    if (CTarnAppInstance* instance = CTarnAppInstance::Current()) {
        instance->RegisterProgram(program);
    }
}

} // namespace

CTarnUserApp::CTarnUserApp() {
    Register(this);
}

CTarnUserApp::CTarnUserApp(const CTarnUserApp& other) : CTarnObject(other) {
    Register(this);
}

CTarnUserApp::~CTarnUserApp() {
    if (CTarnAppInstance* instance = CTarnAppInstance::Current()) {
        instance->UnregisterProgram(this);
    }
}

const ClassInfo& CTarnUserApp::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateUserApp, "CTarnUserApp");
    return info;
}

const ClassInfo& CTarnUserApp::GetClassInfo() const {
    return ClassRecord();
}

CTarnUserApp* CTarnUserApp::CreateNew() const {
    return new CTarnUserApp();
}

CTarnUserApp* CTarnUserApp::Clone() const {
    return new CTarnUserApp(*this);
}

bool CTarnUserApp::CopyFrom(const CTarnObject& other) {
    if (!other.IsKindOf(GetClassInfo())) {
        return false;
    }
    BeforeOverwrite();
    flags = other.flags;
    extra = other.extra;
    return true;
}

void CTarnUserApp::Reset() {
    BeforeOverwrite();
    const CTarnUserApp fresh;
    flags = fresh.flags;
    extra = fresh.extra;
}

bool CTarnUserApp::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnObject::IsKindOf(info);
}

const ClassInfo* const* CTarnUserApp::GetBasicTypeClasses() const {
    return nullptr;
}

namespace rg_tarn_base {

const ClassInfo& rg_ChengXuLei::ClassRecord() {
    static const ClassInfo info = MakeClassInfo(&CreateProgram, "rg_tarn_base::rg_ChengXuLei");
    return info;
}

const ClassInfo& rg_ChengXuLei::GetClassInfo() const {
    return ClassRecord();
}

rg_ChengXuLei* rg_ChengXuLei::CreateNew() const {
    return new rg_ChengXuLei();
}

rg_ChengXuLei* rg_ChengXuLei::Clone() const {
    return new rg_ChengXuLei(*this);
}

bool rg_ChengXuLei::CopyFrom(const CTarnObject& other) {
    return other.IsKindOf(ClassRecord()) && CTarnUserApp::CopyFrom(other);
}

void rg_ChengXuLei::Reset() {
    BeforeOverwrite();
    const rg_ChengXuLei fresh;
    flags = fresh.flags;
    extra = fresh.extra;
}

bool rg_ChengXuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || CTarnUserApp::IsKindOf(info);
}

const ClassInfo* const* rg_ChengXuLei::GetBasicTypeClasses() const {
    // A function-local static: filled once, safely against a concurrent first call.
    static const ClassInfo* const table[9] = {
        &rg_ZiJieLei::ClassRecord(),
        &rg_DuanZhengShuLei::ClassRecord(),
        &rg_ZiFuLei::ClassRecord(),
        &rg_ZhengShuLei::ClassRecord(),
        &rg_BianZhengShuLei::ClassRecord(),
        &rg_ChangZhengShuLei::ClassRecord(),
        &rg_ChanJingDuXiaoShuLei::ClassRecord(),
        &rg_XiaoShuLei::ClassRecord(),
        &rg_LuoJiXingLei::ClassRecord(),
    };
    return table;
}

const ClassInfo& rg_ChuangKouChengXuLei::ClassRecord() {
    static const ClassInfo info =
        MakeClassInfo(&CreateWindowProgram, "rg_tarn_base::rg_ChuangKouChengXuLei");
    return info;
}

const ClassInfo& rg_ChuangKouChengXuLei::GetClassInfo() const {
    return ClassRecord();
}

rg_ChuangKouChengXuLei* rg_ChuangKouChengXuLei::CreateNew() const {
    return new rg_ChuangKouChengXuLei();
}

rg_ChuangKouChengXuLei* rg_ChuangKouChengXuLei::Clone() const {
    return new rg_ChuangKouChengXuLei(*this);
}

bool rg_ChuangKouChengXuLei::CopyFrom(const CTarnObject& other) {
    return other.IsKindOf(ClassRecord()) && rg_ChengXuLei::CopyFrom(other);
}

void rg_ChuangKouChengXuLei::Reset() {
    BeforeOverwrite();
    const rg_ChuangKouChengXuLei fresh;
    flags = fresh.flags;
    extra = fresh.extra;
}

bool rg_ChuangKouChengXuLei::IsKindOf(const ClassInfo& info) const {
    return SameClass(info, ClassRecord()) || rg_ChengXuLei::IsKindOf(info);
}

int32_t rg_ChuangKouChengXuLei::PreFilterMessage(HWND, UINT, WPARAM, LPARAM, MSG*) {
    return 1;
}

int32_t rg_ChuangKouChengXuLei::IdleWork(uint32_t) {
    return 0;
}

void rg_ChuangKouChengXuLei::BeforeExit() {}

} // namespace rg_tarn_base
