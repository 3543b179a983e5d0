#include "shell/UpdateCheck.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <thread>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/Programs.h"
#include "shell/Main.h"
#include "shell/SetCfg.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"

namespace {

// One transfer: the client, the running request, the file it writes, how it ended.
struct TDownload {
    std::unique_ptr<THttpClient> FClient;
    std::shared_ptr<THttpRequest> FAsyncResult;
    std::FILE* FDownloadStream = nullptr;
    std::chrono::steady_clock::time_point FGlobalStart;
    bool DownDone = false;
    bool Aborted = false;  // the main window closed while it ran
    bool Running = false;
    THttpOutcome Outcome;
};
TDownload D;

TControl* MainControl(const char* Name) { return MainForm ? MainForm->FindComponent(Name) : nullptr; }

}  // namespace

// The download panel and its parts on the main form, hidden until an installer transfer.
void CreateDownloadPanel() {
    if (!MainForm || MainForm->FindComponent("PanelDownload")) return;
    auto* P = MainForm->Make<TPanel>("PanelDownload");
    P->Visible = false;
    P->Stacked = true;  // shown over the drawing only while it runs
    P->Left = 8, P->Top = 8, P->Width = 360, P->Height = 64;
    auto* L = MainForm->Make<TLabel>("LabProgress", P);
    L->Left = 8, L->Top = 6, L->Width = 344, L->Height = 17;
    auto* B = MainForm->Make<TProgressBar>("RzProgressBar1", P);
    B->Left = 8, B->Top = 30, B->Width = 250, B->Height = 22;
    auto* C = MainForm->Make<TButton>("BtnDownCancel", P);
    C->Caption = "Cancel";
    C->Left = 268, C->Top = 28, C->Width = 84, C->Height = 26;
    C->OnClick = [] { BtnDownCancelClick(); };
}

namespace {

void ShowPanel(bool Show) {
    CreateDownloadPanel();
    if (TControl* P = MainControl("PanelDownload")) {
        P->Visible = Show;
    }
}

void SetProgress(int Percent, const std::string& Text) {
    if (auto* B = dynamic_cast<TProgressBar*>(MainControl("RzProgressBar1"))) {
        B->Position = std::clamp(Percent, 0, 100);
    }
    if (auto* L = dynamic_cast<TLabel*>(MainControl("LabProgress"))) {
        L->Caption = Text;
    }
}

void CloseStream() {
    if (D.FDownloadStream) std::fclose(D.FDownloadStream);
    D.FDownloadStream = nullptr;
}

// Progress of a transfer: percent of the announced length (none announced: no percent)
// and the average speed since the GET started.
void ReceiveDataEvent(int64_t ContentLength, int64_t ReadCount) {
    const auto Elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - D.FGlobalStart).count();
    const int64_t Speed = ReadCount * 1000 / std::max<int64_t>(1, Elapsed);
    const int Percent = ContentLength > 0 ? int(std::nearbyint(double(ReadCount) / double(ContentLength) * 100)) : 0;
    char Text[64];
    std::snprintf(Text, sizeof Text, "Speed: %lld KB/s", static_cast<long long>(Speed / 1024));
    SetProgress(Percent, Text);
}

void DownloadDone(const THttpOutcome& O) {
    D.Outcome = O;
    CloseStream();
    D.DownDone = true;
}

// Starts the transfer of Url into Target; throws when it cannot be started.
void DownloadFile(const std::string& Url, const std::string& Target) {
    SetProgress(0, "");
    WriteLog("Sys:Download Start (" + Url + ")");
    struct TCancelEnabled {
        ~TCancelEnabled() {
            if (auto* C = MainControl("BtnDownCancel")) {
                C->Enabled = D.FAsyncResult != nullptr;
            }
        }
    } Final;
    D.FAsyncResult = nullptr;
    D.Outcome = {};
    if (!D.FClient && MakeHttpClient) D.FClient = MakeHttpClient();
    if (!D.FClient) throw EHttpError("no HTTP client in this build");
    const THttpHead H = D.FClient->Head(Url);
    char Head[256];
    std::snprintf(Head, sizeof Head, "Head response: %d - %s", H.Status, H.Text.c_str());
    SetProgress(0, std::string("Download Start (") + Head + ")");
    D.FDownloadStream = std::fopen(Target.c_str(), "wb");
    if (!D.FDownloadStream) throw EHttpError("cannot create " + Target);
    D.FGlobalStart = std::chrono::steady_clock::now();
    D.FAsyncResult = D.FClient->Get(
        Url, [](const char* Data, size_t N) { return D.FDownloadStream && std::fwrite(Data, 1, N, D.FDownloadStream) == N; },
        ReceiveDataEvent, DownloadDone);
}

// Keeps the window live until the running transfer has ended.
void WaitDownDone() {
    D.Running = true;
    while (!D.DownDone) {
        ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    D.Running = false;
}

// The transfer ended with a whole file at Target; otherwise the partial file is removed
// and the log says why.
bool KeepIfComplete(const std::string& Target) {
    if (D.Outcome.Complete() && !D.Aborted) return true;
    DeleteFileAt(Target);
    std::string Why = D.Aborted ? "program closing" : D.Outcome.Cancelled ? "cancelled" : D.Outcome.Error;
    if (Why.empty() && (D.Outcome.Status < 200 || D.Outcome.Status >= 300))
        Why = "status " + std::to_string(D.Outcome.Status);
    if (Why.empty())
        Why = "received " + std::to_string(D.Outcome.Received) + " of " + std::to_string(D.Outcome.ContentLength) + " bytes";
    WriteLog("Err:Download incomplete, file removed (" + Why + ")");
    return false;
}

std::string VerStr(Extended X) {
    std::string S = CfgRegionalReal(X);
    return S;
}

}  // namespace

std::string UpdateUrl(const std::string& Path) {
    std::string S = Glob.UpdateServer;
    while (!S.empty() && S.back() == '/') S.pop_back();
    if (S.find("://") == std::string::npos) S = "http://" + S;
    return S + Path;
}

void OfferUpdateCheckOff() {
    WriteLog("Err:FAILED Check updates, set checking off?");
    const int A = MessageBox(Msg[123] + "\r\n\r\n" + Msg[124], "", MB_YESNO | MB_ICONERROR);
    if (A != IDYES) {
        WriteLog("Usr:No");
        return;
    }
    WriteLog("Usr:Yes");
    Glob.CheckUpdates = false;
    WriteDefaultCfg();
}

bool IsNewerVersion(const std::string& TS_VerStr) {
    if (TS_VerStr.empty()) {
        OfferUpdateCheckOff();
        return false;
    }
    Extended V = 0;
    if (!StrToExtCalc(TS_VerStr, V, false) || !std::isfinite(V)) return false;
    WriteLog("Sys:AktVer:" + VerStr(ProgramVersion) + " UpdtVer:" + VerStr(V));
    if (!(V > ProgramVersion)) return false;
    Glob.WebVerze = V;
    WriteLog("Sys:Newer version aviable, download?");
    const std::string Text = Msg[119] + "\r\n" + Msg[120] + "\r\n\r\n" + Msg[121] + VerStr(ProgramVersion) + "\r\n" +
                             Msg[122] + VerStr(Glob.WebVerze) + "\r\n\r\n" + Msg[125];
    if (MessageBox(Text, "", MB_YESNO | MB_ICONINFORMATION) == IDYES) {
        WriteLog("Usr:Yes");
        return true;
    }
    WriteLog("Usr:No");
    return false;
}

void CheckForUpdates() {
    if (!Glob.CheckUpdates || Glob.UpdateServer.empty()) return;
    D.DownDone = false;
    D.Aborted = false;
    const std::string VerFile = Glob.ProgramDir + "/verinfo.txt";
    if (FileExists(VerFile)) DeleteFileAt(VerFile);
    WriteLog("Sys:Check updates Start");
    bool Started = false;
    try {
        DownloadFile(UpdateUrl(VersionFilePath), VerFile);
        Started = true;
    } catch (const std::exception& e) {
        CloseStream();
        DeleteFileAt(VerFile);
        WriteLog("Err:Check update FAILED, no connection");
        D.DownDone = true;
        OfferUpdateCheckOff();
    }
    WaitDownDone();
    WriteLog("Sys:Download End");
    D.DownDone = false;
    if (Started && !KeepIfComplete(VerFile) && !D.Aborted) OfferUpdateCheckOff();
    if (!D.Aborted && FileExists(VerFile)) {
        std::vector<std::string> Lines;
        ReadTextLines(VerFile, Lines);
        const std::string First = Lines.empty() ? std::string() : Lines[0];
        if (IsNewerVersion(First)) {
            const std::string Setup = Glob.ProgramDir + "/SetupKestrilon.exe";
            ShowPanel(true);
            try {
                DownloadFile(UpdateUrl(InstallerPath), Setup);
                WaitDownDone();
                D.DownDone = false;
                WriteLog("Sys:Download End");
                ShowPanel(false);
                if (KeepIfComplete(Setup)) {
                    // The desktop opens it as a user's double click would; the program
                    // never runs downloaded bytes itself.
                    if (!OpenDocument || !OpenDocument(Setup)) throw EHttpError("no program opens " + Setup);
                    WriteLog("Sys:Installer handed to the desktop (" + Setup + ")");
                    if (MainForm) MainForm->Close();
                } else if (!D.Aborted && !D.Outcome.Cancelled) {
                    throw EHttpError("incomplete");
                }
            } catch (const std::exception& e) {
                CloseStream();
                ShowPanel(false);
                WriteLog("Err:Check update FAILED, cannot download new version");
                OfferUpdateCheckOff();
            }
        }
    }
    D.FAsyncResult = nullptr;
    D.FClient.reset();
    WriteLog("Sys:Check updates End");
}

void BtnDownCancelClick() {
    if (auto* C = MainControl("BtnDownCancel")) {
        C->Enabled = false;
    }
    if (D.FAsyncResult) D.FAsyncResult->Cancel();
}

void AbortUpdateCheck() {
    if (!D.Running) return;
    D.Aborted = true;
    if (D.FAsyncResult) D.FAsyncResult->Cancel();
}

bool UpdateCheckRunning() { return D.Running; }

void InstallUpdateCheck() {
    CheckForUpdatesHook = CheckForUpdates;
    CreateDownloadPanel();
}
