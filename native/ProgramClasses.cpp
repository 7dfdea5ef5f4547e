#include "native/ProgramClasses.h"

#include "native/AppInstance.h"
#include "values/BoxedValues.h"

namespace {

void Register(CTarnUserApp* program) {
    if (CTarnAppInstance* instance = CTarnAppInstance::Current()) {
        instance->RegisterProgram(program);
    }
}

} // namespace

CTarnUserApp::CTarnUserApp() {
    Register(this);
}

CTarnUserApp::CTarnUserApp(const CTarnUserApp& other) : CTarnObjectClass(other) {
    Register(this);
}

CTarnUserApp::~CTarnUserApp() {
    if (CTarnAppInstance* instance = CTarnAppInstance::Current()) {
        instance->UnregisterProgram(this);
    }
}

CTarnUserApp& CTarnUserApp::operator=(const CTarnUserApp& other) {
    if (this != &other) {
        BeforeOverwrite();
        CTarnObjectClass::operator=(other);
    }
    return *this;
}

void CTarnUserApp::Reset() {
    BeforeOverwrite();
    flags = 0;
    extra = 0;
}

const ClassInfo* const* CTarnUserApp::GetBasicTypeClasses() const {
    return nullptr;
}

namespace rg_tarn_base {

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

int32_t rg_ChuangKouChengXuLei::PreFilterMessage(HWND, UINT, WPARAM, LPARAM, MSG*) {
    return 1;
}

int32_t rg_ChuangKouChengXuLei::IdleWork(uint32_t) {
    return 0;
}

void rg_ChuangKouChengXuLei::BeforeExit() {}

} // namespace rg_tarn_base
