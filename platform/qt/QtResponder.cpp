#include "platform/qt/QtResponder.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFormView.h"
#include "platform/qt/QtLayoutCheck.h"

namespace {
QString Q(const std::string& S) { return QString::fromStdString(S); }
}  // namespace

TQtResponder::TQtResponder() = default;

TQtResponder::~TQtResponder() {
    if (&Responder() == this) SetResponder(nullptr);
    SetTimerBackend(nullptr);
    for (auto& [t, q] : Timers) delete q;
    for (auto& [f, v] : Views) delete v;
}

void TQtResponder::Install() {
    SetResponder(this);
    SetTimerBackend(this);
}

TQtFormView* TQtResponder::ViewOf(TForm& Form) {
    auto it = Views.find(&Form);
    if (it != Views.end()) return it->second;
    auto* v = new TQtFormView(Form);
    Views[&Form] = v;
    return v;
}

int TQtResponder::ShowModal(TForm& Form) {
    TQtFormView* v = ViewOf(Form);
    Form.DoShow();
    v->SyncToWidgets();
    Place(v);
    v->RunModal();
    Form.DoClose();
    return Form.ModalResult;
}

int TQtResponder::MessageDlg(const std::string& Caption, const std::string& Msg, TMsgDlgType Type,
                             uint16_t Buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(Q(Caption.empty() ? AppTitle : Caption));
    box.setText(Q(Msg));
    switch (Type) {
        case TMsgDlgType::mtWarning: box.setIcon(QMessageBox::Warning); break;
        case TMsgDlgType::mtError: box.setIcon(QMessageBox::Critical); break;
        case TMsgDlgType::mtInformation: box.setIcon(QMessageBox::Information); break;
        case TMsgDlgType::mtConfirmation: box.setIcon(QMessageBox::Question); break;
        default: break;
    }
    struct TMap {
        uint16_t Bit;
        QMessageBox::StandardButton Btn;
        int Result;
    };
    static const TMap map[] = {
        {mbYes, QMessageBox::Yes, mrYes},          {mbNo, QMessageBox::No, mrNo},
        {mbOK, QMessageBox::Ok, mrOk},             {mbCancel, QMessageBox::Cancel, mrCancel},
        {mbAbort, QMessageBox::Abort, mrAbort},    {mbRetry, QMessageBox::Retry, mrRetry},
        {mbIgnore, QMessageBox::Ignore, mrIgnore}, {mbAll, QMessageBox::YesToAll, mrAll},
        {mbNoToAll, QMessageBox::NoToAll, mrNoToAll}, {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
    };
    QMessageBox::StandardButtons set;
    for (const auto& m : map)
        if (Buttons & m.Bit) set |= m.Btn;
    if (!set) set = QMessageBox::Ok;
    box.setStandardButtons(set);
    auto answer = QMessageBox::StandardButton(box.exec());
    for (const auto& m : map)
        if ((Buttons & m.Bit) && m.Btn == answer) return m.Result;
    if (answer == QMessageBox::Ok) return mrOk;
    return (Buttons & mbCancel) ? mrCancel : (Buttons & mbNo) ? mrNo : mrCancel;
}

std::string QtFilterOf(const std::string& Filter) {
    std::string out;
    size_t i = 0;
    while (i < Filter.size()) {
        size_t a = Filter.find('|', i);
        if (a == std::string::npos) break;
        size_t b = Filter.find('|', a + 1);
        std::string desc = Filter.substr(i, a - i);
        std::string pat = Filter.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
        for (char& c : pat)
            if (c == ';') c = ' ';
        if (!out.empty()) out += ";;";
        out += desc.find('(') == std::string::npos ? desc + " (" + pat + ")" : desc;
        if (b == std::string::npos) break;
        i = b + 1;
    }
    return out;
}

namespace {
bool RunFileDialog(TFileDialog& D, bool Save) {
    QFileDialog dlg(QApplication::activeWindow(), Q(D.Title));
    dlg.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!D.Filter.empty()) {
        QStringList filters = Q(QtFilterOf(D.Filter)).split(";;");
        dlg.setNameFilters(filters);
        if (D.FilterIndex >= 1 && D.FilterIndex <= filters.size()) dlg.selectNameFilter(filters[D.FilterIndex - 1]);
    }
    if (!D.InitialDir.empty()) dlg.setDirectory(Q(D.InitialDir));
    if (!D.DefaultExt.empty()) dlg.setDefaultSuffix(Q(D.DefaultExt));
    if (!D.FileName.empty()) dlg.selectFile(Q(D.FileName));
    if (!D.OverwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    D.FileName = dlg.selectedFiles().front().toStdString();
    D.FilterIndex = int32_t(dlg.nameFilters().indexOf(dlg.selectedNameFilter())) + 1;
    return true;
}
}  // namespace

bool TQtResponder::OpenDialog(TOpenDialog& D) { return RunFileDialog(D, false); }

bool TQtResponder::SaveDialog(TSaveDialog& D) { return RunFileDialog(D, true); }

bool TQtResponder::ColorDialog(TColorDialog& D) {
    QColor c = QColorDialog::getColor(ToQColor(D.Color), QApplication::activeWindow());
    if (!c.isValid()) return false;
    D.Color = FromQColor(c);
    return true;
}

void TQtResponder::ShowForm(TForm& Form) {
    TQtFormView* v = ViewOf(Form);
    v->SyncToWidgets();
    if (!v->isVisible() && &Form != MainForm) Place(v);
    if (Form.WindowState == TWindowState::wsMaximized)
        v->showMaximized();
    else
        v->show();
    v->raise();
}

void TQtResponder::Place(TQtFormView* V) {
    auto it = MainForm ? Views.find(MainForm) : Views.end();
    QtPlaceDialog(V, it == Views.end() ? nullptr : it->second);
}

void TQtResponder::HideForm(TForm& Form) {
    auto it = Views.find(&Form);
    if (it != Views.end()) it->second->hide();
    if (&Form == MainForm) QApplication::quit();
}

void TQtResponder::FormGone(TForm& Form) {
    auto it = Views.find(&Form);
    if (it == Views.end()) return;
    delete it->second;
    Views.erase(it);
    if (&Form == MainForm) MainForm = nullptr;
}

void TQtResponder::FocusForm(TForm& Form) {
    auto it = Views.find(&Form);
    if (it == Views.end()) return;
    it->second->raise();
    it->second->activateWindow();
}

void TQtResponder::Invalidate(TControl& C) {
    if (!C.Owner) return;
    auto it = Views.find(C.Owner);
    if (it == Views.end()) return;
    if (QWidget* w = it->second->WidgetOf(&C)) w->update();
}

void TQtResponder::ProcessMessages() {
    QtAfterEvent();
    QApplication::processEvents();
}

void TQtResponder::TimerChanged(TTimer& T) {
    QTimer*& q = Timers[&T];
    if (!q) {
        q = new QTimer();
        TTimer* t = &T;
        QObject::connect(q, &QTimer::timeout, q, [t] {
            t->Fire();
            QtAfterEvent();
        });
    }
    if (T.Enabled() && T.Interval() > 0)
        q->start(int(T.Interval()));
    else
        q->stop();
}

void TQtResponder::TimerGone(TTimer& T) {
    auto it = Timers.find(&T);
    if (it == Timers.end()) return;
    it->second->stop();
    it->second->deleteLater();
    Timers.erase(it);
}
