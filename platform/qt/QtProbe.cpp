// The Qt side of QtProbe.h.
#include "platform/qt/QtProbe.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QCursor>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QPointer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>
#include <map>
#include <QMouseEvent>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFormView.h"

namespace QtProbe {
namespace {
std::unique_ptr<QApplication> OwnApp;

QWidget* W(TQtFormView* V, const TControl* C) { return V ? V->WidgetOf(C) : nullptr; }

void Key(QWidget* To, int K, const QString& Text) {
    QKeyEvent Down(QEvent::KeyPress, K, Qt::NoModifier, Text);
    QApplication::sendEvent(To, &Down);
    QKeyEvent Up(QEvent::KeyRelease, K, Qt::NoModifier, Text);
    QApplication::sendEvent(To, &Up);
}
}  // namespace

bool EnsureApp() {
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return false;
    OwnApp = std::make_unique<QApplication>(argc, argv);
    return true;
}

void RunDeferredDeletes() {
    if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void EndApp() {
    if (!OwnApp) return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    OwnApp.reset();
}

void Pump(int Ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < Ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

void ProcessEvents() { QApplication::processEvents(); }

bool AcceptFileDialog(const std::string& Path) {
    auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!d) return false;
    d->selectFile(QString::fromStdString(Path));
    // selectFile leaves the name field alone once it has the focus, which it gets when the
    // window is activated (later on a busy machine): the name goes into the field itself.
    if (auto* Edit = d->findChild<QLineEdit*>("fileNameEdit")) Edit->setText(QString::fromStdString(Path));
    QPointer<QFileDialog> open(d);
    static_cast<QDialog*>(d)->accept();
    // A dialog that refused the accept counts as not answered, so the caller's poll tries again.
    return !open || !open->isVisible();
}

bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!Done()) {
        if (t.elapsed() >= TimeoutMs) return Done();
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool StartupDone(TQtFormView* V) { return V && V->property("kestrilonStartupDone").toBool(); }

void After(int Ms, std::function<void()> F) { QTimer::singleShot(Ms, std::move(F)); }

void AfterEvent() { QtAfterEvent(); }

uint32_t ColorRoundTrip(uint32_t Color) { return FromQColor(ToQColor(Color)); }

uint32_t RgbColor(int R, int G, int B) { return FromQColor(QColor(R, G, B)); }

std::unique_ptr<TCanvas> MakeCanvas(int Width, int Height) {
    return std::make_unique<TQtCanvas>(Width, Height);
}

bool ResizeCanvas(TCanvas* C, int Width, int Height) {
    auto* Q = dynamic_cast<TQtCanvas*>(C);
    if (!Q) return false;
    Q->Resize(Width, Height);
    return true;
}

bool SetLineBatching(TCanvas* C, bool On) {
    auto* Q = dynamic_cast<TQtCanvas*>(C);
    if (!Q) return false;
    Q->SetLineBatching(On);
    return true;
}

uint32_t CanvasPixel(TCanvas* C, int X, int Y) {
    auto* Q = dynamic_cast<TQtCanvas*>(C);
    if (!Q) return 0xFFFFFFFFu;
    const QImage& Img = Q->Image();
    if (!Img.valid(X, Y)) return 0xFFFFFFFFu;
    return FromQColor(Img.pixelColor(X, Y));
}

uint32_t ShownPixel(TQtFormView* V, const TControl* C, int X, int Y) {
    QWidget* Q = W(V, C);
    if (!Q) return 0xFFFFFFFFu;
    const QImage Img = Q->grab().toImage();
    if (!Img.valid(X, Y)) return 0xFFFFFFFFu;
    return FromQColor(Img.pixelColor(X, Y));
}

bool WidgetIs(TQtFormView* V, const TControl* C, const char* ClassName) {
    QWidget* Q = W(V, C);
    return Q && Q->inherits(ClassName);
}

std::string WidgetText(TQtFormView* V, const TControl* C) {
    QWidget* Q = W(V, C);
    if (auto* B = qobject_cast<QAbstractButton*>(Q)) return B->text().toStdString();
    if (auto* E = qobject_cast<QLineEdit*>(Q)) return E->text().toStdString();
    if (auto* L = qobject_cast<QLabel*>(Q)) return L->text().toStdString();
    if (auto* B = qobject_cast<QComboBox*>(Q)) return B->currentText().toStdString();
    if (auto* T = qobject_cast<QPlainTextEdit*>(Q)) return T->toPlainText().toStdString();
    return {};
}

int WidgetValue(TQtFormView* V, const TControl* C) {
    QWidget* Q = W(V, C);
    if (auto* P = qobject_cast<QProgressBar*>(Q)) return P->value();
    if (auto* S = qobject_cast<QAbstractSlider*>(Q)) return S->value();
    return -1;
}

std::string CellText(TQtFormView* V, const TControl* C, int Col, int Row) {
    auto* T = qobject_cast<QTableWidget*>(W(V, C));
    const QTableWidgetItem* It = T ? T->item(Row, Col) : nullptr;
    return It ? It->text().toStdString() : std::string();
}

int ColumnWidth(TQtFormView* V, const TControl* C, int Col) {
    auto* T = qobject_cast<QTableView*>(W(V, C));
    return T ? T->columnWidth(Col) : -1;
}

int TextWidth(TQtFormView* V, const TControl* C, const std::string& Text) {
    QWidget* Q = W(V, C);
    return Q ? QFontMetrics(Q->font()).horizontalAdvance(QString::fromStdString(Text)) : -1;
}

void WindowKey(TQtFormView* V, const std::string& Key) {
    const QKeySequence S(QString::fromStdString(Key));
    if (!V || S.isEmpty()) return;
    QWidget* To = V->focusWidget() ? V->focusWidget() : V;
    const QKeyCombination K = S[0];
    QTest::keyClick(To, K.key(), K.keyboardModifiers());
    QtAfterEvent();
}

bool WidgetChecked(TQtFormView* V, const TControl* C) {
    auto* B = qobject_cast<QAbstractButton*>(W(V, C));
    return B && B->isChecked();
}

bool WidgetEnabled(TQtFormView* V, const TControl* C) {
    QWidget* Q = W(V, C);
    return Q && Q->isEnabled();
}

bool WidgetHidden(TQtFormView* V, const TControl* C) {
    QWidget* Q = W(V, C);
    return Q && Q->isHidden();
}

bool WidgetHasIcon(TQtFormView* V, const TControl* C) {
    auto* B = qobject_cast<QAbstractButton*>(W(V, C));
    return B && !B->icon().isNull();
}

bool WidgetShowsPicture(TQtFormView* V, const TControl* C) {
    auto* L = qobject_cast<QLabel*>(W(V, C));
    return L && !L->pixmap().isNull();
}

bool WidgetHasToolTip(TQtFormView* V, const TControl* C) {
    QWidget* Q = W(V, C);
    return Q && !Q->toolTip().isEmpty();
}

bool WidgetHidesPointer(TQtFormView* V, const TControl* C) {
    QWidget* Q = W(V, C);
    return Q && Q->cursor().shape() == Qt::BlankCursor;
}

bool ViewVisible(TQtFormView* V) { return V && V->isVisible(); }

bool WidgetShown(TQtFormView* V, const TControl* C) {
    QWidget* Q = W(V, C);
    return Q && Q->isVisible();
}

bool ClickWidget(TQtFormView* V, const TControl* C) {
    auto* B = qobject_cast<QAbstractButton*>(W(V, C));
    if (!B) return false;
    B->click();
    return true;
}

bool ClickGroupItem(TQtFormView* V, const TControl* C, int Index) {
    QWidget* G = W(V, C);
    const QList<QRadioButton*> Items = G ? G->findChildren<QRadioButton*>() : QList<QRadioButton*>();
    if (Index < 0 || Index >= Items.size() || !Items[Index]->isVisible()) return false;
    QTest::mouseClick(Items[Index], Qt::LeftButton, Qt::NoModifier, Items[Index]->rect().center());
    return true;
}

namespace {
QTreeWidgetItem* TreeItem(QTreeWidget* T, int Index) {
    if (!T || Index < 0) return nullptr;
    QTreeWidgetItemIterator It(T);
    for (int i = 0; *It; ++It, ++i)
        if (i == Index) return *It;
    return nullptr;
}
}  // namespace

bool ClickTreeNode(TQtFormView* V, const TControl* C, int Index) {
    auto* T = qobject_cast<QTreeWidget*>(W(V, C));
    QTreeWidgetItem* It = TreeItem(T, Index);
    if (!It) return false;
    const QRect R = T->visualItemRect(It);
    if (R.isEmpty()) return false;
    QTest::mouseClick(T->viewport(), Qt::LeftButton, Qt::NoModifier, R.center());
    return true;
}

bool ExpandTreeNode(TQtFormView* V, const TControl* C, int Index, bool Open) {
    QTreeWidgetItem* It = TreeItem(qobject_cast<QTreeWidget*>(W(V, C)), Index);
    if (!It) return false;
    It->setExpanded(Open);
    return true;
}

uint32_t WidgetInk(TQtFormView* V, const TControl* C) {
    QWidget* X = W(V, C);
    if (!X) return 0xFFFFFFFF;
    QColor K = X->palette().color(QPalette::WindowText);
    // A page of a page control: the ink of its caption on the tab.
    if (auto* Tabs = C->Parent ? qobject_cast<QTabWidget*>(W(V, C->Parent)) : nullptr) {
        const int i = Tabs->indexOf(X);
        if (i >= 0) {
            K = Tabs->tabBar()->tabTextColor(i);
            if (!K.isValid()) K = Tabs->tabBar()->palette().color(QPalette::WindowText);
        }
    }
    return uint32_t(K.red()) | uint32_t(K.green()) << 8 | uint32_t(K.blue()) << 16;
}

bool TypeOver(TQtFormView* V, const TControl* C, const std::string& Text) {
    auto* E = qobject_cast<QLineEdit*>(W(V, C));
    if (!E) return false;
    E->setFocus();
    E->selectAll();
    E->insert(QString::fromStdString(Text));
    return true;
}

void TypeKeys(TQtFormView* V, const std::string& Keys) {
    if (!V) return;
    for (const QChar Ch : QString::fromStdString(Keys)) {
        if (Ch == QChar('\r'))
            Key(V, Qt::Key_Return, "\r");
        else if (Ch == QChar(27))
            Key(V, Qt::Key_Escape, QString(QChar(27)));
        else
            Key(V, Ch.toUpper().unicode(), QString(Ch));
    }
}

bool MouseClick(TQtFormView* V, const TControl* C, int X, int Y) {
    QWidget* Area = W(V, C);
    if (!Area) return false;
    const QPoint P(X, Y);
    const QPointF G = Area->mapToGlobal(P);
    QMouseEvent Move(QEvent::MouseMove, P, G, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Move);
    QMouseEvent Press(QEvent::MouseButtonPress, P, G, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Press);
    QMouseEvent Release(QEvent::MouseButtonRelease, P, G, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Release);
    return true;
}

void PressKey(const std::string& Key) {
    const QKeySequence S(QString::fromStdString(Key));
    if (S.isEmpty()) return;
    const QKeyCombination K = S[0];
    // An open popup menu takes the keys first, as with a real keyboard.
    QWidget* To = QApplication::activePopupWidget();
    if (!To) To = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QTest::keyClick(To, K.key(), K.keyboardModifiers());
    QtAfterEvent();
}

void TypeToFocus(const std::string& Text) {
    QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow(),
                     QString::fromStdString(Text));
    QtAfterEvent();
}

bool AnswerFileDialog(const std::string& Type, const std::string& Name) {
    auto* D = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!D) return false;
    auto* Types = D->findChild<QComboBox*>("fileTypeCombo");
    auto* Edit = D->findChild<QLineEdit*>("fileNameEdit");
    if (!Types || !Edit) return false;
    const int Want = Types->findText(QString::fromStdString(Type), Qt::MatchStartsWith);
    if (Want < 0) return false;
    Types->setFocus();
    while (Types->currentIndex() != Want) {
        const int Was = Types->currentIndex();
        QTest::keyClick(Types, Was < Want ? Qt::Key_Down : Qt::Key_Up);
        if (Types->currentIndex() == Was) return false;
    }
    // The name as pasted: typed keys would open the name completer, which takes the Enter.
    Edit->setFocus();
    Edit->setText(QString::fromStdString(Name));
    QPointer<QFileDialog> open(D);
    QTest::keyClick(Edit, Qt::Key_Return);
    return !open || !open->isVisible();
}

bool ClickMenuBar(TQtFormView* V, const std::string& Caption) {
    auto* Bar = V ? V->findChild<QMenuBar*>() : nullptr;
    if (!Bar) return false;
    for (QAction* A : Bar->actions())
        if (A->text() == QString::fromStdString(Caption)) {
            QTest::mouseClick(Bar, Qt::LeftButton, Qt::NoModifier, Bar->actionGeometry(A).center());
            return true;
        }
    return false;
}

bool MouseMove(TQtFormView* V, const TControl* C, int X, int Y) {
    QWidget* To = W(V, C);
    if (!To) return false;
    const QPoint P(X, Y);
    QMouseEvent Move(QEvent::MouseMove, P, To->mapToGlobal(P), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(To, &Move);
    return true;
}

namespace {
// Where a user aims at a button-like widget: the mark of a check box or radio button,
// the middle of anything else.
QPoint AimOf(QWidget* Q) {
    if (!qobject_cast<QRadioButton*>(Q) && !qobject_cast<QCheckBox*>(Q)) return Q->rect().center();
    QStyleOptionButton Opt;
    Opt.initFrom(Q);
    const bool Radio = qobject_cast<QRadioButton*>(Q);
    return Q->style()
        ->subElementRect(Radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &Opt, Q)
        .center();
}

// The widget a user's pointer meets on the control: at its middle (its mark), or where
// none of the controls inside it covers it. The control is scrolled into view first.
QWidget* HitOf(TQtFormView* V, const TControl* C, QPoint& At) {
    QWidget* Q = W(V, C);
    if (!Q || !Q->isVisible()) return nullptr;
    for (QWidget* P = Q->parentWidget(); P; P = P->parentWidget())
        if (auto* S = qobject_cast<QScrollArea*>(P)) {
            S->ensureWidgetVisible(Q, 0, 0);
            QApplication::processEvents();
        }
    QWidget* Win = Q->window();
    auto Try = [&](QPoint Aim) -> QWidget* {
        const QPoint InWin = Q->mapTo(Win, Aim);
        QWidget* Hit = Win->childAt(InWin);
        if (!Hit || (Hit != Q && !Q->isAncestorOf(Hit)) || V->ControlOf(Hit) != C) return nullptr;
        At = Hit->mapFrom(Win, InWin);
        return Hit;
    };
    if (QWidget* Hit = Try(AimOf(Q))) return Hit;
    for (int y = 1; y < Q->height(); y += 3)
        for (int x = 1; x < Q->width(); x += 3)
            if (QWidget* Hit = Try(QPoint(x, y))) return Hit;
    return nullptr;
}

void Settle() {
    QApplication::processEvents();
    QtAfterEvent();
}
}  // namespace

bool UserClick(TQtFormView* V, const TControl* C) {
    QPoint At;
    QWidget* Hit = HitOf(V, C, At);
    if (!Hit) return false;
    QTest::mouseClick(Hit, Qt::LeftButton, Qt::NoModifier, At);
    Settle();
    return true;
}

bool UserMove(TQtFormView* V, const TControl* C) {
    QPoint At;
    QWidget* Hit = HitOf(V, C, At);
    if (!Hit) return false;
    QMouseEvent Move(QEvent::MouseMove, At, Hit->mapToGlobal(At), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Hit, &Move);
    Settle();
    return true;
}

bool UserDoubleClick(TQtFormView* V, const TControl* C) {
    QPoint At;
    QWidget* Hit = HitOf(V, C, At);
    if (!Hit) return false;
    QTest::mouseDClick(Hit, Qt::LeftButton, Qt::NoModifier, At);
    Settle();
    return true;
}

bool UserClickItem(TQtFormView* V, const TControl* C, int Index) {
    QWidget* Q = W(V, C);
    if (!Q || !Q->isVisible() || Index < 0) return false;
    if (auto* L = qobject_cast<QListWidget*>(Q)) {
        if (Index >= L->count()) return false;
        L->scrollToItem(L->item(Index));
        QTest::mouseClick(L->viewport(), Qt::LeftButton, Qt::NoModifier, L->visualItemRect(L->item(Index)).center());
        Settle();
        return true;
    }
    const QList<QRadioButton*> Items = Q->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    if (Index >= Items.size() || !Items[Index]->isVisible()) return false;
    QTest::mouseClick(Items[Index], Qt::LeftButton, Qt::NoModifier, AimOf(Items[Index]));
    Settle();
    return true;
}

bool UserClickTab(TQtFormView* V, const TControl* C, int Index) {
    auto* T = qobject_cast<QTabWidget*>(W(V, C));
    if (!T || !T->isVisible() || Index < 0 || Index >= T->count() || !T->tabBar()->isVisible()) return false;
    QTest::mouseClick(T->tabBar(), Qt::LeftButton, Qt::NoModifier, T->tabBar()->tabRect(Index).center());
    Settle();
    return true;
}

bool UserKey(TQtFormView* V, const TControl* C, const std::string& Key) {
    QWidget* Q = W(V, C);
    const QKeySequence S(QString::fromStdString(Key));
    if (!Q || !Q->isVisible() || S.isEmpty()) return false;
    QWidget* To = Q->focusProxy() ? Q->focusProxy() : Q;
    To->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    const QKeyCombination K = S[0];
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : To, K.key(), K.keyboardModifiers());
    Settle();
    return true;
}

bool TypeIntoCell(TQtFormView* V, const TControl* C, int Col, int Row, const std::string& Text) {
    auto* T = qobject_cast<QTableWidget*>(W(V, C));
    if (!T || !T->isVisible() || Row < 0 || Col < 0 || Row >= T->rowCount() || Col >= T->columnCount()) return false;
    QTableWidgetItem* It = T->item(Row, Col);
    if (!It) return false;
    // A message box just answered may have left the window inactive: the user's click
    // makes it active again.
    T->activateWindow();
    QApplication::processEvents();
    T->scrollToItem(It);
    const QRect R = T->visualItemRect(It);
    QTest::mouseClick(T->viewport(), Qt::LeftButton, Qt::NoModifier, R.center());
    Settle();
    // A click on the current cell opens its editor once the double-click time passed;
    // otherwise the first key opens it, and the editor takes the others.
    auto Focused = [T]() -> QWidget* { return T->window()->focusWidget() ? T->window()->focusWidget() : T; };
    QElapsedTimer Wait;
    Wait.start();
    while (Wait.elapsed() < QApplication::doubleClickInterval() + 50) QApplication::processEvents(QEventLoop::AllEvents, 10);
    if (auto* Open = qobject_cast<QLineEdit*>(Focused()); Open && T->viewport()->isAncestorOf(Open)) Open->selectAll();
    for (const QChar Ch : QString::fromStdString(Text)) {
        QTest::keyClick(Focused(), Ch.toLatin1());
        QApplication::processEvents();
    }
    QTest::keyClick(Focused(), Qt::Key_Return);
    Settle();
    return true;
}

TWidgetRect WidgetRectInWindow(TQtFormView* V, const TControl* C) {
    QWidget* Q = W(V, C);
    if (!Q) return {};
    const QPoint P = Q->mapTo(Q->window(), QPoint(0, 0));
    return {P.x(), P.y(), Q->width(), Q->height()};
}

TForm* ActiveModalForm() {
    auto* V = dynamic_cast<TQtFormView*>(QApplication::activeModalWidget());
    return V ? &V->Form : nullptr;
}

std::vector<std::string> SharedShortcuts(TQtFormView* V) {
    std::map<QString, QStringList> ByKey;
    for (QAction* A : V->findChildren<QAction*>())
        if (!A->shortcut().isEmpty() && !A->objectName().isEmpty())
            ByKey[A->shortcut().toString()].push_back(A->objectName());
    std::vector<std::string> Shared;
    for (const auto& [Key, Names] : ByKey)
        if (Names.size() > 1) Shared.push_back((Names.join(", ") + ": " + Key).toStdString());
    return Shared;
}

bool ClickMenuItem(TQtFormView* V, const std::string& Menu, const std::string& Caption) {
    auto* Bar = V ? V->findChild<QMenuBar*>() : nullptr;
    if (!Bar) return false;
    for (QAction* Top : Bar->actions()) {
        if (Top->text() != QString::fromStdString(Menu) || !Top->menu()) continue;
        QMenu* M = Top->menu();
        QTest::mouseClick(Bar, Qt::LeftButton, Qt::NoModifier, Bar->actionGeometry(Top).center());
        QApplication::processEvents();
        for (QAction* A : M->actions())
            if (A->text() == QString::fromStdString(Caption) && A->isVisible() && A->isEnabled()) {
                const QRect R = M->actionGeometry(A);
                if (R.isEmpty() || !M->isVisible()) return false;
                QTest::mouseClick(M, Qt::LeftButton, Qt::NoModifier, R.center());
                return true;
            }
        M->hide();
        return false;
    }
    return false;
}

TWindowRect WindowRect(TQtFormView* V) {
    const QRect R = V->frameGeometry();
    return {R.left(), R.top(), R.width(), R.height()};
}

}  // namespace QtProbe
