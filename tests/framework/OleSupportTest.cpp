#include "framework/OleSupport.h"
#include "tests/framework/ScriptedApp.h"

#include <gtest/gtest.h>

namespace {

// A filter whose dialogs answer as the test says, counting the questions.
class AnsweringFilter : public COleMessageFilter {
public:
    BOOL answer = TRUE;
    int busyQuestions = 0;
    int waitQuestions = 0;

protected:
    BOOL AskRetryBusyServer() override {
        ++busyQuestions;
        return answer;
    }
    BOOL AskKeepWaiting() override {
        ++waitQuestions;
        return answer;
    }
};

constexpr DWORD kCancel = static_cast<DWORD>(-1);

TEST(OleMessageFilter, IncomingCallsWaitOnlyForTopLevelCallsWhileBusy) {
    auto* filter = new AnsweringFilter;
    const DWORD callTypes[] = {CALLTYPE_TOPLEVEL, CALLTYPE_NESTED, CALLTYPE_ASYNC,
                               CALLTYPE_TOPLEVEL_CALLPENDING, CALLTYPE_ASYNC_CALLPENDING};
    const bool waitsWhileBusy[] = {true, false, false, true, false};
    for (const SERVERCALL reply : {SERVERCALL_RETRYLATER, SERVERCALL_REJECTED}) {
        filter->SetBusyReply(reply);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(filter->HandleInComingCall(callTypes[i], nullptr, 0, nullptr),
                      static_cast<DWORD>(SERVERCALL_ISHANDLED))
                << "not busy, call type " << callTypes[i];
        }
        filter->BeginBusyState();
        filter->BeginBusyState();
        filter->EndBusyState();
        for (int i = 0; i < 5; ++i) {
            const DWORD expected = waitsWhileBusy[i] ? static_cast<DWORD>(reply)
                                                     : static_cast<DWORD>(SERVERCALL_ISHANDLED);
            EXPECT_EQ(filter->HandleInComingCall(callTypes[i], nullptr, 0, nullptr), expected)
                << "busy, call type " << callTypes[i];
        }
        filter->EndBusyState();
        filter->EndBusyState(); // one too many: stays not busy
        EXPECT_FALSE(filter->IsBusy());
        filter->BeginBusyState();
        EXPECT_TRUE(filter->IsBusy());
        filter->EndBusyState();
    }
    filter->Release();
}

TEST(OleMessageFilter, RejectedCallsAreRetriedCancelledOrPutToTheUser) {
    auto* filter = new AnsweringFilter;
    filter->SetRetryReply(50);
    filter->SetMessagePendingDelay(1000);
    filter->EnableBusyDialog(FALSE);
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED), kCancel);
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 100000, SERVERCALL_RETRYLATER), 50u);
    EXPECT_EQ(filter->busyQuestions, 0);

    filter->EnableBusyDialog(TRUE);
    struct Step {
        DWORD tick;
        BOOL answer;
        DWORD expected;
        int questions;
    };
    const Step steps[] = {
        {10, TRUE, 50, 0},         {999, TRUE, 50, 0}, {1000, TRUE, 0, 1}, {1500, TRUE, 50, 1},
        {2000, FALSE, kCancel, 2}, {5, TRUE, 50, 2}, // a new call starts its own schedule
        {1000, TRUE, 0, 3},
    };
    for (const Step& step : steps) {
        filter->answer = step.answer;
        EXPECT_EQ(filter->RetryRejectedCall(nullptr, step.tick, SERVERCALL_RETRYLATER),
                  step.expected)
            << "tick " << step.tick;
        EXPECT_EQ(filter->busyQuestions, step.questions) << "tick " << step.tick;
    }
    filter->Release();
}

TEST(OleMessageFilter, PendingCallsAskWhetherToWaitOnlyAfterTheDelay) {
    auto* filter = new AnsweringFilter;
    filter->SetMessagePendingDelay(INFINITE);
    EXPECT_EQ(filter->MessagePending(nullptr, 0xFFFFFFF0, PENDINGTYPE_TOPLEVEL),
              static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
    EXPECT_EQ(filter->waitQuestions, 0);

    filter->SetMessagePendingDelay(2000);
    filter->EnableNotRespondingDialog(FALSE);
    EXPECT_EQ(filter->MessagePending(nullptr, 5000, PENDINGTYPE_TOPLEVEL),
              static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
    EXPECT_EQ(filter->waitQuestions, 0);

    filter->EnableNotRespondingDialog(TRUE);
    filter->answer = TRUE;
    EXPECT_EQ(filter->MessagePending(nullptr, 1, PENDINGTYPE_TOPLEVEL),
              static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
    EXPECT_EQ(filter->MessagePending(nullptr, 2000, PENDINGTYPE_TOPLEVEL),
              static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
    EXPECT_EQ(filter->waitQuestions, 1);
    EXPECT_EQ(filter->MessagePending(nullptr, 3000, PENDINGTYPE_NESTED),
              static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
    EXPECT_EQ(filter->waitQuestions, 1) << "asked again before another delay passed";
    filter->answer = FALSE;
    EXPECT_EQ(filter->MessagePending(nullptr, 4000, PENDINGTYPE_TOPLEVEL),
              static_cast<DWORD>(PENDINGMSG_CANCELCALL));
    EXPECT_EQ(filter->waitQuestions, 2);
    filter->Release();
}

TEST(OleMessageFilter, IsACountedComObject) {
    auto* filter = new AnsweringFilter;
    void* object = nullptr;
    EXPECT_EQ(filter->QueryInterface(IID_IMessageFilter, &object), S_OK);
    EXPECT_EQ(object, static_cast<IMessageFilter*>(filter));
    EXPECT_EQ(filter->QueryInterface(IID_IUnknown, &object), S_OK);
    EXPECT_EQ(filter->QueryInterface(IID_IDispatch, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(filter->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(filter->Release(), 2u);
    EXPECT_EQ(filter->Release(), 1u);
    EXPECT_EQ(filter->AddRef(), 2u);
    EXPECT_EQ(filter->Release(), 1u);
    EXPECT_EQ(filter->Release(), 0u);
}

TEST(OleSupport, StartsOleWithAConfigurableFilterAndEndsItWithTheApplication) {
    EXPECT_FALSE(AfxOleIsInitialized());
    EXPECT_EQ(AfxOleGetMessageFilter(), nullptr);
    framework_test::ScriptedApp app;
    COleMessageFilter* filterDuringRun = nullptr;
    app.init = [&] {
        if (!AfxOleInit() || !AfxOleInit()) {
            return FALSE;
        }
        AfxEnableControlContainer();
        COleMessageFilter* filter = AfxOleGetMessageFilter();
        if (filter != nullptr) {
            filter->EnableBusyDialog(FALSE);
            filter->EnableNotRespondingDialog(TRUE);
            filter->SetBusyReply(SERVERCALL_RETRYLATER);
            filter->SetMessagePendingDelay(0xFFFFFFFF);
        }
        filterDuringRun = filter;
        PostQuitMessage(0);
        return TRUE;
    };
    app.idle = [&](LONG) {
        const COleMessageFilter* filter = AfxOleGetMessageFilter();
        if (filter == nullptr || !filter->IsRegistered() || filter->IsBusyDialogEnabled() ||
            !filter->IsNotRespondingDialogEnabled() ||
            filter->GetBusyReply() != SERVERCALL_RETRYLATER ||
            filter->GetMessagePendingDelay() != INFINITE) {
            app.log.push_back("unexpected filter");
        }
        return FALSE;
    };
    EXPECT_EQ(RunApplication(GetModuleHandleW(nullptr), SW_SHOW), 0);
    ASSERT_NE(filterDuringRun, nullptr);
    EXPECT_EQ(std::count(app.log.begin(), app.log.end(), "unexpected filter"), 0);
    EXPECT_FALSE(AfxOleIsInitialized());
    EXPECT_EQ(AfxOleGetMessageFilter(), nullptr);
    AfxOleTerm(); // nothing left to end
    // OLE can start again on the thread.
    ASSERT_TRUE(AfxOleInit());
    EXPECT_NE(AfxOleGetMessageFilter(), nullptr);
    AfxOleTerm();
}

} // namespace
