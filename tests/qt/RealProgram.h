// The real program started on the offscreen platform from a laid-out program folder,
// and the modal windows it opens answered from the event loop, for the tests that drive
// it through Qt's own widgets.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/Forms.h"
#include "platform/qt/QtProbe.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/Fixture.h"

class RealProgramTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        OwnApp = QtProbe::EnsureApp();
        ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
        ASSERT_TRUE(QtProbe::PaintIcons(Dir() + "/Img"));
        Program = QtProbe::StartProgram(Dir() + "/kestrilon", {});
        F = &QtProbe::MainOf(*Program);
        View = QtProbe::WindowViewOf(*Program);
        ASSERT_TRUE(QtProbe::PumpUntil([&] { return QtProbe::StartupDone(View); }));
    }
    void TearDown() override {
        *Alive = false;
        if (Program) {
            MainVars.FileSaved = true;
            F->Close();
            QtProbe::Pump(50);
            Program.reset();
        }
        QtProbe::RunDeferredDeletes();
        if (OwnApp) QtProbe::EndApp();
        KestrilonTest::TearDown();
    }
    // Once the modal window of form Name is the active one, Answer runs with its window
    // (from the event loop, so the call that opened it may be waiting in its modal loop).
    void WhenModal(const std::string& Name, std::function<void(TQtFormView*)> Answer, int Tries = 200) {
        QtProbe::After(50, [this, Name, Answer = std::move(Answer), Tries, A = Alive]() mutable {
            if (!*A) return;
            TForm* M = QtProbe::ActiveModalForm();
            if (M && M->Name == Name) return Answer(QtProbe::FormViewOf(*Program, *M));
            if (Tries > 0) WhenModal(Name, std::move(Answer), Tries - 1);
        });
    }
    // Runs Step from the event loop once Ready holds (polling), while the test goes on
    // into a modal window; nothing runs after the test ended.
    void When(std::function<bool()> Ready, std::function<void()> Step) { PollUntil(Alive, Ready, Step); }
    static void PollUntil(std::shared_ptr<bool> Live, std::function<bool()> Ready, std::function<void()> Step) {
        QtProbe::After(50, [=] {
            if (!*Live) return;
            if (Ready()) return Step();
            PollUntil(Live, Ready, Step);
        });
    }
    TForm* FormNamed(const std::string& Name) const {
        for (TForm* Fm : LiveForms())
            if (Fm->Name == Name) return Fm;
        return nullptr;
    }
    bool OwnApp = false;
    QtProbe::TProgramPtr Program;
    TMainForm* F = nullptr;
    TQtFormView* View = nullptr;
    // Answers still waiting on timers touch nothing once the test is over.
    std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};
