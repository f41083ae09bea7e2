#pragma once
// Controls: the windowless TControl and TGraphicControl, the windowed
// TWinControl and TCustomControl. The model here is the truth; a windowed
// control gets a Qt peer widget when it needs one and keeps it in step.

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"
#include "WinApi.h"

class QWidget;
class QImage;
class TWinControl;
class TCustomForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
inline const TAnchors AnchorsLeftTop{akLeft, akTop};

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TControlStyleItem {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking
};
using TControlState = TSet<TControlStateItem>;

using TMouseEvent = TEvent<void(TObject*, TMouseButton, TShiftState, int, int)>;
using TMouseMoveEvent = TEvent<void(TObject*, TShiftState, int, int)>;
using TKeyEvent = TEvent<void(TObject*, uint16_t&, TShiftState)>;
using TKeyPressEvent = TEvent<void(TObject*, char&)>;
using TCanResizeEvent = TEvent<void(TObject*, int&, int&, bool&)>;

// Key state bits carried in WParam of mouse messages.
enum : WPARAM { MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08, MK_MBUTTON = 0x10,
                MK_ALT = 0x1000 };
inline LPARAM PointToLParam(int x, int y) {
  return static_cast<LPARAM>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                             static_cast<uint16_t>(x));
}
inline int LParamX(LPARAM l) { return static_cast<int16_t>(static_cast<uint16_t>(l & 0xFFFF)); }
inline int LParamY(LPARAM l) { return static_cast<int16_t>(static_cast<uint16_t>((l >> 16) & 0xFFFF)); }
TShiftState KeysToShiftState(WPARAM keys);

class TSizeConstraints : public TPersistent {
  T_CLASS(TSizeConstraints, TPersistent)
 public:
  int MinWidth() const { return FMinWidth; }
  int MinHeight() const { return FMinHeight; }
  int MaxWidth() const { return FMaxWidth; }
  int MaxHeight() const { return FMaxHeight; }
  void SetMinWidth(int v);
  void SetMinHeight(int v);
  void SetMaxWidth(int v);
  void SetMaxHeight(int v);
  // Applies the limits (0 means none) to a proposed size.
  void Constrain(int& width, int& height) const;
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }
  void Assign(TPersistent* source) override;

 private:
  void Changed() {
    if (FOnChange) FOnChange(this);
  }
  int FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
  TNotifyEvent FOnChange;
};

class TControl : public TComponent {
  T_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  // With csSetCaption, a control whose caption is its name follows renames.
  void SetName(const std::string& name) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  // The form that holds the control, the control itself for a form.
  TCustomForm* ParentForm() const;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
  void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
  virtual void SetClientSize(int width, int height);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle style) { FControlStyle = style; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState state) { FControlState = state; }

  const std::string& Caption() const { return FText; }
  void SetCaption(const std::string& text) { SetText(text); }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& text);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* font) { FFont->Assign(font); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v) { FParentShowHint = v; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& h) { FHint = h; }
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* menu) { FPopupMenu = menu; }

  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }
  TNotifyEvent OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent e) { FOnDblClick = std::move(e); }
  TMouseEvent OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent e) { FOnMouseDown = std::move(e); }
  TMouseEvent OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent e) { FOnMouseUp = std::move(e); }
  TMouseMoveEvent OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent e) { FOnMouseMove = std::move(e); }
  TNotifyEvent OnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent e) { FOnResize = std::move(e); }
  TCanResizeEvent OnCanResize() const { return FOnCanResize; }
  void SetOnCanResize(TCanResizeEvent e) { FOnCanResize = std::move(e); }

  // A completed click: fires OnClick.
  virtual void Click();
  virtual void DblClick();

  virtual void Invalidate();
  // Paints what is invalid now instead of at the next idle moment.
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }

  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual void WndProc(TMessage& message);
  void Dispatch(TMessage& message) override;

  // Windowless controls move to the end of the windowless list: in front of
  // their windowless siblings, still behind windowed ones.
  void BringToFront();
  void SendToBack();

  virtual bool IsWindowed() const { return false; }
  bool IsDesigning() const { return ComponentState().contains(csDesigning); }
  bool MouseCapture() const;
  void SetMouseCapture(bool value);

 protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Resize();
  virtual bool CanResize(int& width, int& height);
  virtual bool CanAutoSize(int& width, int& height);
  // Sizes the control to its content when AutoSize is set.
  void AdjustSize();
  virtual void DoAdjustSize();

  // Hooks for subclasses and peers when a property changed.
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void BoundsChanged();
  void ParentFontChanged();
  void ParentColorChanged();

  void Loaded() override;
  void UpdateAnchorRules();

  // Sets the bounds without recording new anchor rules (alignment and
  // anchoring move controls this way).
  void MoveBy(const TRect& r);

 private:
  friend class TWinControl;
  void FontChangedEvent(TObject*);
  void ConstraintsChanged(TObject*);
  void HandleMouseMessage(TMessage& m);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  TAnchors FAnchors = AnchorsLeftTop;
  TPoint FAnchorRules;
  TPoint FOriginalParentSize;
  bool FAnchorMove = false;
  std::unique_ptr<TSizeConstraints> FConstraints;
  bool FAutoSize = false;
  TControlStyle FControlStyle;
  TControlState FControlState;
  std::string FText;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FFontFromParent = false;
  bool FShowHint = false, FParentShowHint = true;
  std::string FHint;
  TComponent* FPopupMenu = nullptr;
  TNotifyEvent FOnClick, FOnDblClick, FOnResize;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TCanResizeEvent FOnCanResize;
};

// A control without a window of its own: it paints on its parent's surface
// through its own canvas, which during painting reads what the parent
// painted beneath it.
class TGraphicControl : public TControl {
  T_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  virtual void Paint() {}

 private:
  std::unique_ptr<TCanvas> FCanvas;
};

class TWinControl : public TControl, private TWindowTarget {
  T_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // Windowless children first, then windowed ones, each list in its order.
  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  TControl* Controls(int index) const;
  int WinControlCount() const { return static_cast<int>(FWinControls.size()); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(const TControl* control) const;
  // The topmost child at a client position (windowless ones unless
  // allowWinControls).
  TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;
  // The deepest visible control at a client position, windowless ones
  // included, topmost first; this control when no child is there.
  virtual TControl* FindControlAt(TPoint clientPos);

  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  // Windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;
  // The control that a focus request lands on: itself when it takes the
  // focus, otherwise its first tab stop.
  TWinControl* FocusTarget();
  TNotifyEvent OnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent e) { FOnEnter = std::move(e); }
  TNotifyEvent OnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent e) { FOnExit = std::move(e); }

  bool HandleAllocated() const { return FPeer != nullptr; }
  void HandleNeeded();
  HWND Handle();
  void DestroyHandle();
  QWidget* Peer() const { return FPeer; }
  // The widget that hosts the children's peers.
  virtual QWidget* ChildContainer() const { return FPeer; }

  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool v) { FFullRepaint = v; }

  // Renders the control and all its children, windowed ones included,
  // into the canvas at (x, y), through the same paint path as the screen.
  void PaintTo(TCanvas* canvas, int x, int y);
  void Invalidate() override;
  void InvalidateRect(const TRect& r);
  void Update() override;

  void Realign();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  bool IsWindowed() const override { return true; }
  bool Showing() const override;
  void SetBounds(int left, int top, int width, int height) override;

  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;

  // --- called by the window-system peers -------------------------------
  // Paints the update rectangle (client coordinates) into a back buffer
  // whose pixel (0, 0) shows the client point origin.
  void PaintInto(QImage& buffer, TPoint origin, const TRect& update);
  // Only the windowless children, in child-list order.
  void PaintControls(QImage& buffer, TPoint origin, const TRect& update);
  bool HasWindowlessChildIn(const TRect& r) const;
  // A mouse message at a client position, routed to a windowless child when
  // one is under the pointer or holds the capture.
  void PeerMouse(UINT msg, WPARAM keys, int x, int y);
  void PeerFocusChanged(bool focused);
  virtual bool NativePeer() const { return false; }

 protected:
  // Creates the peer widget as a child of parent (nullptr: a window).
  virtual QWidget* CreatePeer(QWidget* parent);
  // Pushes the whole model state to the peer.
  virtual void SyncPeer();
  virtual void DestroyingPeer() {}
  void UpdatePeerBounds();

  // The control's own drawing, on the back buffer.
  virtual void PaintWindow(QImage& buffer, TPoint origin, const TRect& update);
  virtual void AlignControls(TControl* control, TRect& rect);
  virtual void AdjustClientRect(TRect& rect) const;

  void VisibleChanged() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void BoundsChanged() override;
  void Loaded() override;

  // A peer reports a new client size (a window resized by the user or the
  // window manager): the model follows without pushing back.
  void PeerResized(int clientWidth, int clientHeight);

 private:
  friend class TControl;
  friend class TCustomForm;
  void CreatePeerTree();
  void ReparentPeer();
  void ChildPeersNeeded();
  void RenderInto(QImage& target, TPoint at);
  void UpdateTabChain();
  void AlignChildren();
  void FixupTabList();

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FWinControls;
  std::vector<TWinControl*> FTabList;
  QWidget* FPeer = nullptr;
  bool FTabStop = false;
  int FWantedTabOrder = -1;  // as stored, until loading ends
  int FBorderWidth = 0;
  bool FFullRepaint = true;
  int FAlignLevel = 0;
  bool FAligning = false;
  bool FSizingFromPeer = false;
  TControl* FMouseControl = nullptr;  // windowless child holding the capture
  TNotifyEvent FOnEnter, FOnExit;
};

class TCustomControl : public TWinControl {
  T_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  virtual void Paint() {}

 protected:
  void PaintWindow(QImage& buffer, TPoint origin, const TRect& update) override;

 private:
  std::unique_ptr<TCanvas> FCanvas;
};

// The control that holds the capture: it receives the mouse until release.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
