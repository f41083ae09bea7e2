#include "Forms.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <future>
#include <thread>

#include <fontconfig/fontconfig.h>

#include "Guard.h"
#include "Menus.h"
#include "qt/FormPeer.h"
#include "qt/MenuPeer.h"
#include "qt/Peers.h"
#include "qt/QtBridge.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

TFrameMetrics FrameMetrics(TFormBorderStyle style) {
  switch (style) {
    case bsNone: return {0, 0};
    case bsSingle:
    case bsDialog: return {3, 23};
    case bsToolWindow: return {3, 17};
    case bsSizeToolWin: return {8, 17};
    case bsSizeable:
    default: return {8, 23};
  }
}

void ControlDestroying(TControl* control) {
  if (Application) Application->ControlDestroying(control);
}

void ReportException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    if (Application)
      Application->HandleException(e);
    else
      std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    const Exception unknown("An unknown error occurred");
    if (Application)
      Application->HandleException(unknown);
    else
      std::fprintf(stderr, "%s\n", unknown.what());
  }
}

// ---------------------------------------------------------------------------
// TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (FOnDestroy) Guarded([this] { FOnDestroy(this); });
  if (FMenu && FMenuListener) FMenu->RemoveListener(FMenuListener);
  FMenuListener = 0;
  if (Screen) Screen->RemoveForm(this);
  DestroyHandle();
}

void TCustomForm::DoCreate() {
  if (FOnCreate) {
    try {
      FOnCreate(this);
    } catch (const std::exception& e) {
      Application->HandleException(e);
    }
  }
}

int TCustomForm::MenuHeight() const { return FMenu ? MenuBarHeight : 0; }

TRect TCustomForm::ClientRect() const {
  const TFrameMetrics m = FrameMetrics(FBorderStyle);
  return Rect(0, 0, std::max(0, Width() - 2 * m.Border),
              std::max(0, Height() - 2 * m.Border - m.Caption - MenuHeight()));
}

TPoint TCustomForm::ClientOrigin() const {
  const TFrameMetrics m = FrameMetrics(FBorderStyle);
  return {Left() + m.Border, Top() + m.Border + m.Caption + MenuHeight()};
}

bool TCustomForm::Showing() const { return Visible() && Peer() && Peer()->isVisible(); }

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  if (Peer()) SyncPeer();
  Realign();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (value == FBorderIcons) return;
  FBorderIcons = value;
  if (Peer()) SyncPeer();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
  if (value == FFormStyle) return;
  FFormStyle = value;
  if (Peer()) SyncPeer();
}

void TCustomForm::SetWindowState(TWindowState value) {
  if (value == FWindowState) return;
  FWindowState = value;
  if (Peer() && Visible()) ShowPeer();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == FMenu) return;
  if (FMenu && FMenuListener) FMenu->RemoveListener(FMenuListener);
  FMenuListener = 0;
  const int before = MenuHeight();
  FMenu = menu;
  if (FMenu) FMenuListener = FMenu->AddListener([this](TMenuItem*, bool) { RebuildMenuBar(); });
  // The outer size stays; the client area gives room to the menu bar.
  if (before != MenuHeight()) Realign();
  if (Peer()) SyncPeer();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMenu) {
    FMenu = nullptr;
    FMenuListener = 0;
    if (Peer() && !ComponentState().contains(csDestroying)) SyncPeer();
  }
  if (component == FActiveControl) FActiveControl = nullptr;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  FActiveControl = control;
  if (control && Visible()) FocusControl(control);
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (!control || !control->CanFocus()) return;
  FActiveControl = control;
  control->SetFocus();
}

void TCustomForm::Show() {
  SetVisible(true);
  if (Peer()) {
    Peer()->raise();
    if (Screen) Screen->FormToFront(this);
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (FOnClose) FOnClose(this, action);
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::Activate() {
  if (FOnActivate) FOnActivate(this);
}

void TCustomForm::Deactivate() {
  if (FOnDeactivate) FOnDeactivate(this);
}

void TCustomForm::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ACTIVATE:
      // Back to the control that had the focus.
      if (message.WParam != WA_INACTIVE && FActiveControl && FActiveControl->CanFocus() &&
          !FActiveControl->Focused())
        FActiveControl->SetFocus();
      message.Result = 0;
      return;
    case CM_ACTIVATE:
      Activate();
      return;
    case CM_DEACTIVATE:
      Deactivate();
      return;
    case CM_RELEASE:
      delete this;
      return;
    default:
      TWinControl::Dispatch(message);
  }
}

void TCustomForm::TextChanged() {
  if (Peer()) Peer()->setWindowTitle(QStr(Caption()));
}

void TCustomForm::VisibleChanged() {
  if (Visible()) {
    HandleNeeded();
    ApplyPosition();
    ShowPeer();
    if (Screen) Screen->FormToFront(this);
    if (FOnShow) FOnShow(this);
  } else {
    if (Peer()) Peer()->hide();
    if (FOnHide) FOnHide(this);
  }
}

void TCustomForm::ShowPeer() {
  QWidget* w = Peer();
  if (!w) return;
  switch (FWindowState) {
    case wsMaximized: w->showMaximized(); break;
    case wsMinimized: w->showMinimized(); break;
    default: w->showNormal(); break;
  }
  w->raise();
  w->activateWindow();
}

void TCustomForm::ApplyPosition() {
  if (FPositioned) return;
  FPositioned = true;
  auto centreOn = [this](const TRect& r) {
    SetBounds(r.Left + (r.Width() - Width()) / 2, r.Top + (r.Height() - Height()) / 2, Width(), Height());
  };
  const TRect screen = Rect(0, 0, Screen ? Screen->Width() : 0, Screen ? Screen->Height() : 0);
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      centreOn(screen);
      break;
    case poMainFormCenter: {
      TCustomForm* main = Application ? Application->MainForm() : nullptr;
      centreOn(main && main != this ? main->BoundsRect() : screen);
      break;
    }
    case poOwnerFormCenter: {
      auto* owner = dynamic_cast<TCustomForm*>(Owner());
      centreOn(owner ? owner->BoundsRect() : screen);
      break;
    }
    default:
      break;
  }
}

void TCustomForm::BoundsChanged() {
  if (!Peer() || FSizingFromPeer) return;
  SetFormWindowGeometry(this, Peer(), FrameMetrics(FBorderStyle), MenuHeight());
}

bool TCustomForm::CanAutoSize(int& width, int& height) {
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != alNone) continue;
    right = std::max(right, c->Left() + c->Width());
    bottom = std::max(bottom, c->Top() + c->Height());
  }
  const TRect client = ClientRect();
  width = Width() - client.Width() + right;
  height = Height() - client.Height() + bottom;
  return true;
}

QWidget* TCustomForm::CreatePeer(QWidget*) {
  QWidget* window = CreateFormWindow(this, &FClient);
  return window;
}

void TCustomForm::DestroyingPeer() {
  FClient = nullptr;
  FMenuBar = nullptr;
}

void TCustomForm::RebuildMenuBar() {
  QWidget* w = Peer();
  if (!w) return;
  if (!FMenu) {
    delete FMenuBar;
    FMenuBar = nullptr;
  } else {
    if (!FMenuBar) FMenuBar = CreateFormMenuBar(w);
    SyncMenuBar(FMenuBar, FMenu);
  }
  LayoutFormWindow(w, FMenuBar, FClient);
}

void TCustomForm::SyncPeer() {
  QWidget* w = Peer();
  if (!w) return;
  ApplyFormWindowFlags(w, FBorderStyle, FBorderIcons, FFormStyle == fsStayOnTop);
  w->setWindowTitle(QStr(Caption()));
  w->setFont(ToQFont(*Font()));
  RebuildMenuBar();
  const TFrameMetrics m = FrameMetrics(FBorderStyle);
  const bool sizeable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
  if (sizeable) {
    const int minW = Constraints()->MinWidth() > 0 ? Constraints()->MinWidth() - 2 * m.Border : 0;
    const int minH = Constraints()->MinHeight() > 0 ? Constraints()->MinHeight() - 2 * m.Border - m.Caption : 0;
    w->setMinimumSize(std::max(0, minW), std::max(0, minH));
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  SetFormWindowGeometry(this, w, m, MenuHeight());
  if (!sizeable) w->setFixedSize(w->size());
  w->setEnabled(Enabled());
  if (Visible()) ShowPeer();
}

void TCustomForm::PeerWindowMoved(int clientX, int clientY) {
  const TFrameMetrics m = FrameMetrics(FBorderStyle);
  const int left = clientX - m.Border, top = clientY - m.Border - m.Caption;
  if (left == Left() && top == Top()) return;
  FSizingFromPeer = true;
  try {
    MoveBy(Bounds(left, top, Width(), Height()));
  } catch (...) {
    FSizingFromPeer = false;
    throw;
  }
  FSizingFromPeer = false;
}

void TCustomForm::PeerWindowResized(int clientWidth, int clientHeight) {
  PeerResized(clientWidth, std::max(0, clientHeight - (FMenuBar ? MenuBarHeight : 0)));
}

void TCustomForm::PeerWindowStateChanged(TWindowState state) { FWindowState = state; }

void TCustomForm::PeerCloseRequested() { Close(); }

void TCustomForm::PeerActivationChanged(bool active) {
  if (active == FActive) return;
  // The window system may report the new window's activation first; the
  // old one is deactivated before the new one is activated all the same.
  if (active && Screen && Screen->ActiveForm() && Screen->ActiveForm() != this &&
      Screen->ActiveForm()->Active())
    Screen->ActiveForm()->PeerActivationChanged(false);
  FActive = active;
  if (Screen) {
    if (active) {
      Screen->SetActiveForm(this);
      Screen->FormToFront(this);
    } else if (Screen->ActiveForm() == this) {
      Screen->SetActiveForm(nullptr);
    }
  }
  Perform(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
  Perform(active ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
}

bool TCustomForm::PeerDialogKey(int key) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  for (TWinControl* c : list) {
    if (!c->Showing() && !c->Visible()) continue;
    TMessage m{CM_DIALOGKEY, static_cast<WPARAM>(key), 0, 0};
    c->WndProc(m);
    if (m.Result) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// TScreen

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}
TScreen::~TScreen() = default;

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FForms[static_cast<size_t>(index)];
}

int TScreen::Width() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 0;
}

int TScreen::Height() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() : 0;
}

TWinControl* TScreen::ActiveControl() const { return ControlOf(QApplication::focusWidget()); }

void TScreen::AddForm(TCustomForm* form) {
  FForms.push_back(form);
  FZOrder.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
  FZOrder.erase(std::remove(FZOrder.begin(), FZOrder.end(), form), FZOrder.end());
  if (FActiveForm == form) FActiveForm = nullptr;
}

void TScreen::FormToFront(TCustomForm* form) {
  auto it = std::find(FZOrder.begin(), FZOrder.end(), form);
  if (it == FZOrder.end()) return;
  FZOrder.erase(it);
  FZOrder.insert(FZOrder.begin(), form);
}

TControl* TScreen::ControlAtScreen(TPoint p) const {
  // Stay-on-top windows lie above the others.
  for (int layer = 0; layer < 2; ++layer) {
    for (TCustomForm* f : FZOrder) {
      if ((f->FormStyle() == fsStayOnTop) != (layer == 0)) continue;
      if (!f->Showing() || !f->BoundsRect().Contains(p)) continue;
      const TPoint client = f->ScreenToClient(p);
      if (f->ClientRect().Contains(client)) return f->FindControlAt(client);
      return f;
    }
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// TApplication

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
  Destroying();
  DestroyComponents();
  FMainForm = nullptr;
}

void TApplication::Initialize() {}

void TApplication::FormCreated(TCustomForm* form) {
  form->DoCreate();
  if (!FMainForm) FMainForm = form;
}

void TApplication::Run() {
  FRunning = true;
  if (FMainForm && !FTerminated) FMainForm->Show();
  if (!FTerminated) QApplication::exec();
  FRunning = false;
}

// Leaves the message loop at once. (Qt's quit() first asks every window to
// close, which windows that hide themselves on close would refuse.)
void TApplication::Terminate() {
  FTerminated = true;
  QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(); }

void TApplication::DoIdle() {
  if (FInIdle) return;
  FInIdle = true;
  Guarded([this] { UpdateMouseControl(); });
  Guarded([this] {
    if (FOnIdle) {
      bool done = true;
      FOnIdle(this, done);
    }
  });
  FInIdle = false;
}

void TApplication::UpdateMouseControl() {
  if (FTracking || !Screen) return;
  // An open menu or message box has the pointer to itself; the controls
  // beneath it hear of the pointer again once it has gone.
  if (QApplication::activePopupWidget() || QApplication::activeModalWidget()) return;
  FTracking = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{FTracking};
  TPoint p;
  TControl* target = GetCursorPos(&p) ? Screen->ControlAtScreen(p) : nullptr;
  if (target == FMouseControl) return;
  if (TControl* old = FMouseControl) {
    FMouseControl = nullptr;
    old->Perform(CM_MOUSELEAVE, 0, 0);
    // The leave handling may have closed windows; look again.
    target = GetCursorPos(&p) ? Screen->ControlAtScreen(p) : nullptr;
  }
  FMouseControl = target;
  if (target) target->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::ControlDestroying(TControl* control) {
  if (FMouseControl == control) FMouseControl = nullptr;
  if (FMainForm == control) FMainForm = nullptr;
}

static QMessageBox::Icon IconOf(UINT flags) {
  switch (flags & 0xF0) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  if (FResponder) return FResponder({text, caption, flags});
  struct Choice {
    QMessageBox::StandardButton button;
    int id;
  };
  std::vector<Choice> choices;
  switch (flags & 0xF) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      choices = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox box(IconOf(flags), QStr(caption), QCaption(text), QMessageBox::NoButton);
  for (const Choice& c : choices) box.addButton(c.button);
  const size_t def = (flags & MB_DEFBUTTON3) ? 2 : (flags & MB_DEFBUTTON2) ? 1 : 0;
  if (def < choices.size()) box.setDefaultButton(choices[def].button);
  for (const Choice& c : choices)
    if (c.id == IDCANCEL) box.setEscapeButton(c.button);
  if (flags & MB_TOPMOST) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const Choice& c : choices)
    if (clicked && clicked == box.button(c.button)) return c.id;
  // Closed without a button: Cancel where there is one, else the only answer.
  for (const Choice& c : choices)
    if (c.id == IDCANCEL) return IDCANCEL;
  return choices.size() == 1 ? choices[0].id : IDNO;
}

void TApplication::HandleException(const std::exception& e) {
  if (FOnException) {
    FOnException(this, e);
    return;
  }
  ShowException(e.what());
}

void TApplication::ShowException(const std::string& message) {
  std::string msg = message;
  if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
  // One report at a time: an error raised while a report is open (a paint
  // that fails again under the box) must not stack boxes without end.
  if (FReporting > 0) {
    std::fprintf(stderr, "%s: %s\n", FTitle.c_str(), msg.c_str());
    return;
  }
  ++FReporting;
  try {
    MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
  } catch (...) {
    --FReporting;
    throw;
  }
  --FReporting;
}

// ---------------------------------------------------------------------------

namespace {
std::unique_ptr<QApplication> gQtApp;
std::thread gFontWarmUp;
}

void InitPlatform(int& argc, char** argv) {
  if (!QApplication::instance()) {
    // Reading the system's fonts takes a while. It happens beside the start
    // of the window system and the loading of the main window, which needs
    // them only once it measures text: fontconfig at once, Qt's font list
    // as soon as the application object exists.
    std::promise<void> appReady;
    gFontWarmUp = std::thread([ready = appReady.get_future()]() mutable {
      FcInit();
      ready.wait();
      QFontDatabase::families();
    });
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    gQtApp = std::make_unique<QApplication>(argc, argv);
    appReady.set_value();
  }
  QApplication::setQuitOnLastWindowClosed(false);
  if (!Application) Application = new TApplication(nullptr);
  if (!Screen) Screen = new TScreen(nullptr);
  InstallApplicationHooks();
}

void DonePlatform() {
  if (gFontWarmUp.joinable()) gFontWarmUp.join();
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
  gQtApp.reset();
}
