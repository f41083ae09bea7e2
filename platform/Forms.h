#pragma once
// Forms, the screen and the application object.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"

class TMainMenu;
class QMenuBar;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<void(TObject*, TCloseAction&)>;
using TCloseQueryEvent = TEvent<void(TObject*, bool&)>;
using TIdleEvent = TEvent<void(TObject*, bool&)>;

// The frame around a window's client area, the classic desktop's metrics,
// used for every conversion between outer and client size so that geometry
// is the same under any window manager.
struct TFrameMetrics {
  int Border;   // on each side
  int Caption;  // above the client area (and the menu bar)
};
TFrameMetrics FrameMetrics(TFormBorderStyle style);
inline constexpr int MenuBarHeight = 20;

class TCustomForm : public TWinControl {
  T_CLASS(TCustomForm, TWinControl)
 public:
  // A blank form; its content comes from code or a layout description.
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* menu);
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool v) { FAutoScroll = v; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }
  int PixelsPerInchValue() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int v) { FPixelsPerInch = v; }
  int TextHeight() const { return FTextHeight; }
  void SetTextHeight(int v) { FTextHeight = v; }

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // Gives the focus to the control (or its first tab stop); does nothing
  // when it cannot take the focus.
  void FocusControl(TWinControl* control);
  bool Active() const { return FActive; }

  void Show();
  // Hides the form, as a close with caHide does.
  void Close();
  bool CloseQuery();
  // Frees the form once the events in progress have been handled.
  void Release();

  TNotifyEvent OnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent e) { FOnCreate = std::move(e); }
  TNotifyEvent OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent e) { FOnDestroy = std::move(e); }
  TNotifyEvent OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent e) { FOnShow = std::move(e); }
  TNotifyEvent OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent e) { FOnHide = std::move(e); }
  TCloseEvent OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent e) { FOnClose = std::move(e); }
  TCloseQueryEvent OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent e) { FOnCloseQuery = std::move(e); }
  TNotifyEvent OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent e) { FOnActivate = std::move(e); }
  TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent e) { FOnDeactivate = std::move(e); }

  // Runs OnCreate once the form and its content exist.
  void DoCreate();

  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  QWidget* ChildContainer() const override { return FClient; }
  bool Showing() const override;
  void Dispatch(TMessage& message) override;

  // --- called by the window peer ----------------------------------------
  void PeerWindowMoved(int clientX, int clientY);
  void PeerWindowResized(int clientWidth, int clientHeight);
  void PeerWindowStateChanged(TWindowState state);
  void PeerCloseRequested();
  void PeerActivationChanged(bool active);
  // Enter and Esc that no control took: the default and cancel buttons.
  bool PeerDialogKey(int key);
  QMenuBar* PeerMenuBar() const { return FMenuBar; }

 protected:
  QWidget* CreatePeer(QWidget* parent) override;
  void SyncPeer() override;
  void DestroyingPeer() override;
  void VisibleChanged() override;
  void TextChanged() override;
  void BoundsChanged() override;
  bool CanAutoSize(int& width, int& height) override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void Activate();
  virtual void Deactivate();
  virtual void DoClose(TCloseAction& action);
  int MenuHeight() const;

 private:
  void ApplyPosition();
  void ApplyWindowFlags();
  void RebuildMenuBar();
  void ShowPeer();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDefaultPosOnly;
  TWindowState FWindowState = wsNormal;
  TMainMenu* FMenu = nullptr;
  bool FAutoScroll = true;
  bool FKeyPreview = false;
  int FPixelsPerInch = PixelsPerInch;
  int FTextHeight = 13;
  TWinControl* FActiveControl = nullptr;
  bool FActive = false;
  bool FPositioned = false;
  int FMenuListener = 0;
  QWidget* FClient = nullptr;
  QMenuBar* FMenuBar = nullptr;
  TNotifyEvent FOnCreate, FOnDestroy, FOnShow, FOnHide, FOnActivate, FOnDeactivate;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
};

class TForm : public TCustomForm {
  T_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
};

// ---------------------------------------------------------------------------

class TScreen : public TComponent {
  T_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const;
  // The primary display.
  int Width() const;
  int Height() const;
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const;

  // The control under a screen position: the topmost showing form of ours
  // that contains it, then its deepest child there; nullptr outside them.
  TControl* ControlAtScreen(TPoint p) const;

  // --- bookkeeping of the forms ----------------------------------------
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void FormToFront(TCustomForm* form);
  void SetActiveForm(TCustomForm* form) { FActiveForm = form; }

 private:
  std::vector<TCustomForm*> FForms;   // creation order
  std::vector<TCustomForm*> FZOrder;  // front first
  TCustomForm* FActiveForm = nullptr;
};

// Classic message-box flags and answers.
enum : UINT {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_ABORTRETRYIGNORE = 0x2,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_RETRYCANCEL = 0x5,
  MB_ICONHAND = 0x10,
  MB_ICONSTOP = 0x10,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONWARNING = 0x30,
  MB_ICONASTERISK = 0x40,
  MB_ICONINFORMATION = 0x40,
  MB_DEFBUTTON1 = 0x000,
  MB_DEFBUTTON2 = 0x100,
  MB_DEFBUTTON3 = 0x200,
  MB_APPLMODAL = 0x0000,
  MB_SETFOREGROUND = 0x10000,
  MB_TOPMOST = 0x40000,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

struct TMessageBoxRequest {
  std::string Text;
  std::string Caption;
  UINT Flags = 0;
};
// Answers a message box for the user (tests install one).
using TMessageBoxResponder = std::function<int(const TMessageBoxRequest&)>;

class TApplication : public TComponent {
  T_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  void Initialize();
  // Creates a form owned by the application; the first one becomes the main
  // window.
  template <class T>
  void CreateForm(T*& reference) {
    reference = new T(this);
    FormCreated(reference);
  }
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  void ProcessMessages();

  TCustomForm* MainForm() const { return FMainForm; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }

  TIdleEvent OnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent e) { FOnIdle = std::move(e); }
  using TExceptionEvent = TEvent<void(TObject*, const std::exception&)>;
  TExceptionEvent OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent e) { FOnException = std::move(e); }

  // A modal message box built from the classic flags; answers the classic
  // ID codes (Esc and the close box answer Cancel where there is one).
  int MessageBox(const std::string& text, const std::string& caption, UINT flags = MB_OK);
  void SetMessageBoxResponder(TMessageBoxResponder responder) { FResponder = std::move(responder); }

  // The standard exception report: a message box with the message, and the
  // program runs on.
  void HandleException(const std::exception& e);
  void ShowException(const std::string& message);

  // Pointer tracking: the one control under the pointer. When it changes,
  // the old one gets CM_MOUSELEAVE and the new one CM_MOUSEENTER.
  void UpdateMouseControl();
  TControl* MouseControl() const { return FMouseControl; }
  void ControlDestroying(TControl* control);

  // Runs at each moment the message queue has been emptied.
  void DoIdle();

 private:
  void FormCreated(TCustomForm* form);

  TCustomForm* FMainForm = nullptr;
  std::string FTitle = "Settings";
  bool FTerminated = false;
  bool FRunning = false;
  bool FInIdle = false;
  bool FTracking = false;
  int FReporting = 0;
  TControl* FMouseControl = nullptr;
  TIdleEvent FOnIdle;
  TExceptionEvent FOnException;
  TMessageBoxResponder FResponder;
};

extern TApplication* Application;
extern TScreen* Screen;

// Creates the window system's application and the two globals; frees them.
void InitPlatform(int& argc, char** argv);
void DonePlatform();

// Called by every control as it goes, so nothing keeps pointing at it.
void ControlDestroying(TControl* control);
