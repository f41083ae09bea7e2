#include "StdCtrls.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "Forms.h"
#include "Published.h"
#include "qt/QtBridge.h"
#include "qt/StdPeers.h"

const TEnumNames& AlignmentNames() {
  static const TEnumNames n{{"taLeftJustify", "taRightJustify", "taCenter"}};
  return n;
}
const TEnumNames& LeftRightNames() {
  static const TEnumNames n{{"taLeftJustify", "taRightJustify"}};
  return n;
}
const TEnumNames& TextLayoutNames() {
  static const TEnumNames n{{"tlTop", "tlCenter", "tlBottom"}};
  return n;
}
const TEnumNames& ScrollStyleNames() {
  static const TEnumNames n{{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
  return n;
}
const TEnumNames& CheckBoxStateNames() {
  static const TEnumNames n{{"cbUnchecked", "cbChecked", "cbGrayed"}};
  return n;
}

// ---------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() + csOpaque + csReplicatable);
  SetBounds(0, 0, 65, 17);
  // A new label keeps its size until it gets a caption or a font.
  FCreating = true;
  SetAutoSize(true);
  FCreating = false;
}

TCustomLabel::~TCustomLabel() = default;

void TCustomLabel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (value == FLayout) return;
  FLayout = value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  AdjustSize();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  SetControlStyle(value ? ControlStyle() - csOpaque : ControlStyle() + csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (value == FShowAccelChar) return;
  FShowAccelChar = value;
  AdjustSize();
  Invalidate();
}

void TCustomLabel::TextChanged() {
  AdjustSize();
  Invalidate();
}

void TCustomLabel::FontChanged() {
  AdjustSize();
  Invalidate();
}

TPoint TCustomLabel::TextSize(int wrapWidth) const {
  std::string text = Caption();
  // An empty caption (or a lone shortcut mark) still measures one line.
  if (text.empty() || (FShowAccelChar && text == "&")) text += ' ';
  Canvas()->Font()->Assign(Font());
  return Canvas()->MeasureText(text, FWordWrap ? wrapWidth : 0, FShowAccelChar);
}

// Fits the label to its text; a right-justified label keeps its right edge.
void TCustomLabel::DoAdjustSize() {
  if (FCreating || !AutoSize()) return;
  const TPoint size = TextSize(Width());
  int left = Left();
  if (FAlignment == taRightJustify) left += Width() - size.X;
  SetBounds(left, Top(), size.X, size.Y);
}

TTextFormat TCustomLabel::DrawFormat() const {
  TTextFormat f;
  f.insert(FAlignment == taCenter ? tfCenter : FAlignment == taRightJustify ? tfRight : tfLeft);
  f.insert(tfTop);
  if (FWordWrap) f.insert(tfWordBreak);
  if (!FShowAccelChar) f.insert(tfNoPrefix);
  return f;
}

void TCustomLabel::DoDrawText(const TRect& r, TTextFormat format) {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  if (!Enabled()) {
    // The classic engraved look: a light copy one pixel down and right,
    // the text itself in the shadow colour.
    c->Font()->SetColor(clBtnHighlight);
    c->DrawText(r.Offset(1, 1), Caption(), format);
    c->Font()->SetColor(clBtnShadow);
  }
  c->DrawText(r, Caption(), format);
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  if (!FTransparent) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(client);
  }
  c->Brush()->SetStyle(bsClear);
  TRect r = client;
  if (FLayout != tlTop) {
    // The whole text block moves; lines keep their own alignment.
    const int h = TextSize(client.Width()).Y;
    r = r.Offset(0, FLayout == tlBottom ? Height() - h : (Height() - h) / 2);
  }
  DoDrawText(r, DrawFormat());
}

// ---------------------------------------------------------------------------
// TButtonControl

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csSetCaption, csDoubleClicks});
}

TButtonControl::~TButtonControl() = default;

void TButtonControl::TextChanged() {
  if (Peer()) SyncPeer();
  TWinControl::TextChanged();
}

void TButtonControl::ColorChanged() {
  if (Peer()) SyncPeer();
  TWinControl::ColorChanged();
}

void TButtonControl::FontChanged() {
  TWinControl::FontChanged();
  if (Peer()) SyncPeer();
}

void TButtonControl::PeerArrowKey(bool forward) {
  TWinControl* parent = Parent();
  if (!parent) return;
  std::vector<TWinControl*> all, siblings;
  parent->GetTabOrderList(all);
  for (TWinControl* c : all)
    if (c->Parent() == parent) siblings.push_back(c);
  const auto it = std::find(siblings.begin(), siblings.end(), this);
  if (it == siblings.end()) return;
  const int n = static_cast<int>(siblings.size());
  const int at = static_cast<int>(it - siblings.begin());
  for (int step = 1; step < n; ++step) {
    TWinControl* c = siblings[static_cast<size_t>(forward ? (at + step) % n : (at - step + n) % n)];
    if (!c->CanFocus()) continue;
    c->SetFocus();
    if (auto* radio = dynamic_cast<TRadioButton*>(c)) radio->PeerClicked();
    return;
  }
}

// ---------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

TButton::~TButton() = default;

void TButton::SetDefault(bool value) {
  if (value == FDefault) return;
  FDefault = value;
  if (Peer()) SyncPeer();
}

void TButton::SetCancel(bool value) { FCancel = value; }

// A focused button takes Enter; the default button takes it when no other
// button has the focus.
bool TButton::TakesEnter() const {
  if (Focused()) return true;
  if (!FDefault) return false;
  TWinControl* focused = Screen ? Screen->ActiveControl() : nullptr;
  return !(dynamic_cast<TButton*>(focused) && focused->ParentForm() == ParentForm());
}

void TButton::Dispatch(TMessage& message) {
  if (message.Msg == CM_DIALOGKEY) {
    const bool enter = message.WParam == 13 && TakesEnter();
    const bool escape = message.WParam == 27 && FCancel;
    if ((enter || escape) && CanFocus()) {
      Click();
      message.Result = 1;
    }
    return;
  }
  TButtonControl::Dispatch(message);
}

QWidget* TButton::CreatePeer(QWidget* parent) { return new TButtonPeer(this, parent); }

void TButton::SyncPeer() {
  auto* p = dynamic_cast<TButtonPeer*>(Peer());
  if (!p) return;
  p->setText(QCaption(Caption()));
  p->setDefault(FDefault);
  SetPeerFocusPolicy(p, TabStop());
  TButtonControl::SyncPeer();
}

// ---------------------------------------------------------------------------
// TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

TCustomCheckBox::~TCustomCheckBox() = default;

void TCustomCheckBox::SetAlignment(TLeftRight value) {
  if (value == FAlignment) return;
  FAlignment = value;
  if (Peer()) SyncPeer();
}

void TCustomCheckBox::SetAllowGrayed(bool value) {
  if (value == FAllowGrayed) return;
  FAllowGrayed = value;
  if (Peer()) SyncPeer();
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
  if (value == FState) return;
  FState = value;
  if (Peer()) SyncPeer();
  if (!ComponentState().contains(csLoading) && !ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

QWidget* TCustomCheckBox::CreatePeer(QWidget* parent) { return new TCheckBoxPeer(this, parent); }

void TCustomCheckBox::SyncPeer() {
  auto* p = dynamic_cast<TCheckBoxPeer*>(Peer());
  if (!p) return;
  p->setText(QCaption(Caption()));
  p->setTristate(FAllowGrayed || FState == cbGrayed);
  p->setCheckState(FState == cbGrayed ? Qt::PartiallyChecked : FState == cbChecked ? Qt::Checked : Qt::Unchecked);
  // Text on the left puts the box on the right.
  p->setLayoutDirection(FAlignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  SetPeerColors(p, Color(), QPalette::Window, Font()->Color(), QPalette::WindowText, true);
  SetPeerFocusPolicy(p, TabStop());
  TButtonControl::SyncPeer();
}

// ---------------------------------------------------------------------------
// TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

TRadioButton::~TRadioButton() = default;

void TRadioButton::SetAlignment(TLeftRight value) {
  if (value == FAlignment) return;
  FAlignment = value;
  if (Peer()) SyncPeer();
}

void TRadioButton::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  // Only the checked button of a group is a tab stop.
  SetTabStop(value);
  if (Peer()) SyncPeer();
  if (!value) return;
  TurnSiblingsOff();
  if (!ComponentState().contains(csLoading) && !ClicksDisabled()) Click();
}

void TRadioButton::TurnSiblingsOff() {
  TWinControl* parent = Parent();
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
    if (sibling && sibling != this) sibling->SetChecked(false);
  }
}

void TRadioButton::Dispatch(TMessage& message) {
  if (message.Msg == WM_LBUTTONDBLCLK) DblClick();
  TButtonControl::Dispatch(message);
}

QWidget* TRadioButton::CreatePeer(QWidget* parent) { return new TRadioButtonPeer(this, parent); }

void TRadioButton::SyncPeer() {
  auto* p = dynamic_cast<TRadioButtonPeer*>(Peer());
  if (!p) return;
  p->setText(QCaption(Caption()));
  p->setChecked(FChecked);
  p->setLayoutDirection(FAlignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  SetPeerColors(p, Color(), QPalette::Window, Font()->Color(), QPalette::WindowText, true);
  SetPeerFocusPolicy(p, TabStop());
  TButtonControl::SyncPeer();
}

// ---------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* owner) : TWinControl(owner), FLines(new TStringList) {
  SetControlStyle({csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetColor(clWindow);
  FLines->SetOnChange(TNotifyEvent(this, &TCustomMemo::LinesChanged));
}

TCustomMemo::~TCustomMemo() {
  // The peer reports edits to this memo; it goes before the lines do.
  DestroyHandle();
  FLines->SetOnChange(nullptr);
}

void TCustomMemo::SetLines(TStrings* value) { FLines->Assign(value); }

void TCustomMemo::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  if (Peer()) SyncPeer();
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  if (Peer()) SyncPeer();
}

void TCustomMemo::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  if (Peer()) SyncPeer();
}

void TCustomMemo::SetWantTabs(bool value) {
  if (value == FWantTabs) return;
  FWantTabs = value;
  if (Peer()) SyncPeer();
}

void TCustomMemo::Change() {
  if (FOnChange) FOnChange(this);
}

// The lines changed (by code or by the user): the text follows, the peer
// shows them unless they came from it.
void TCustomMemo::LinesChanged(TObject*) {
  FSyncingText = true;
  try {
    TControl::SetText(FLines->Join("\r\n"));
  } catch (...) {
    FSyncingText = false;
    throw;
  }
  FSyncingText = false;
  if (!FFromPeer) PushText();
  if (!ComponentState().contains(csLoading)) Change();
}

void TCustomMemo::TextChanged() {
  if (!FSyncingText) FLines->SetText(Text());
}

void TCustomMemo::PushText() {
  if (auto* p = dynamic_cast<TMemoPeer*>(Peer())) {
    const QString text = QCaption(FLines->Join("\n"));
    if (p->toPlainText() != text) p->ShowText(text);
  }
}

void TCustomMemo::PeerTextChanged(const std::string& text) {
  if (FReadOnly) return;
  // Every LF starts a line, so a trailing line break leaves an empty last line.
  std::vector<std::string> lines;
  if (!text.empty()) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i)
      if (i == text.size() || text[i] == '\n') {
        lines.push_back(text.substr(start, i - start));
        start = i + 1;
      }
  }
  FFromPeer = true;
  try {
    FLines->SetStrings(lines);
  } catch (...) {
    FFromPeer = false;
    throw;
  }
  FFromPeer = false;
}

void TCustomMemo::ColorChanged() {
  if (Peer()) SyncPeer();
  TWinControl::ColorChanged();
}

void TCustomMemo::FontChanged() {
  TWinControl::FontChanged();
  if (Peer()) SyncPeer();
}

QWidget* TCustomMemo::CreatePeer(QWidget* parent) { return new TMemoPeer(this, parent); }

void TCustomMemo::SyncPeer() {
  auto* p = dynamic_cast<TMemoPeer*>(Peer());
  if (!p) return;
  const bool horizontal = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  const bool vertical = FScrollBars == ssVertical || FScrollBars == ssBoth;
  p->setReadOnly(FReadOnly);
  p->setTabChangesFocus(!FWantTabs);
  p->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  p->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // A horizontal scroll bar means long lines scroll instead of wrapping.
  p->setLineWrapMode(FWordWrap && !horizontal ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  SetPeerColors(p, Color(), QPalette::Base, Font()->Color(), QPalette::Text, false);
  SetPeerFocusPolicy(p, TabStop());
  PushText();
  TWinControl::SyncPeer();
}

// ---------------------------------------------------------------------------
// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable});
  SetBounds(0, 0, 185, 105);
}

TCustomGroupBox::~TCustomGroupBox() = default;

// The laid-out height of a text line, rounded up (13 for the default font, as
// the classic text height).
int TCustomGroupBox::CaptionHeight() const {
  return static_cast<int>(std::ceil(QFontMetricsF(ToQFont(*Font())).height()));
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) const {
  TCustomControl::AdjustClientRect(rect);
  rect.Top += CaptionHeight();
  rect = Rect(rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2);
}

void TCustomGroupBox::TextChanged() {
  if (Peer()) SyncPeer();
  TCustomControl::TextChanged();
}

void TCustomGroupBox::ColorChanged() {
  if (Peer()) SyncPeer();
  TCustomControl::ColorChanged();
}

void TCustomGroupBox::FontChanged() {
  TCustomControl::FontChanged();
  if (Peer()) SyncPeer();
  Realign();
}

QWidget* TCustomGroupBox::CreatePeer(QWidget* parent) { return new TGroupBoxPeer(this, parent); }

void TCustomGroupBox::SyncPeer() {
  auto* p = dynamic_cast<QGroupBox*>(Peer());
  if (!p) return;
  p->setTitle(QCaption(Caption()));
  SetPeerColors(p, Color(), QPalette::Window, Font()->Color(), QPalette::WindowText, true);
  p->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::NoFocus);
  TCustomControl::SyncPeer();
}
