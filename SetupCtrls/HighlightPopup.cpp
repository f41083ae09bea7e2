// The popup window of a group of linked highlights: built once by the member
// that needs it first, then only hidden and shown.
#include <algorithm>

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "ComCtrls.h"
#include "RadioPanel.h"
#include "StdCtrls.h"

namespace {
constexpr int kMinWidth = 194;
constexpr int kMinHeight = 122;
constexpr int kDefaultMemoHeight = 58;
}  // namespace

TPopupForm::TPopupForm(TComponent* owner) : TForm(owner) {}

TPopupForm::~TPopupForm() { DestroyHandle(); }

void TPopupForm::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ACTIVATE:
      if (FHighlight) FHighlight->SetPopupActive(message.WParam != WA_INACTIVE);
      message.Result = 0;
      return;
    case CM_MOUSELEAVE: {
      TPoint p;
      GetCursorPos(&p);
      if (!BoundsRect().Contains(p) && FCloseOnLeave) {
        Close();
        return;
      }
      TForm::Dispatch(message);
      return;
    }
    default:
      TForm::Dispatch(message);
  }
}

void TBoardHighlight::ShowPopup() {
  if (FPopup) {
    if (!FPopup->Visible()) FPinned = false;
    FPopup->Show();
    return;
  }
  // A linked highlight owns the group's popup; it opens through the relay.
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f->Caption() == FPlainTitle && f->Tag() == static_cast<int>(FHighlightType)) return;
  }

  auto* popup = new TPopupForm(this);
  FPopup = popup;
  popup->FHighlight = this;
  popup->SetAutoScroll(false);
  popup->SetBorderStyle(bsSizeToolWin);
  popup->SetFormStyle(fsStayOnTop);
  FPinned = false;

  TRadioPanel* panel = FRadioPanel;
  int memoHeight = kDefaultMemoHeight, l0 = 0, t0 = 0;
  if (panel) {
    memoHeight = panel->MemoHeight();
    popup->SetOnActivate(panel->OnActivate());
    popup->SetOnDeactivate(panel->OnDeactivate());
    l0 = panel->Left();
    t0 = panel->Top();
    panel->SetLeft(0);
    panel->SetTop(0);
    panel->SetVisible(true);
    popup->SetClientWidth(panel->Width());
    popup->SetClientHeight(panel->Height() + memoHeight + 51);
    panel->SetParent(popup);
    panel->SetAnchors(panel->FinalAnchors());
    panel->SetInPopup(true);
  } else {
    popup->SetBounds(popup->Left(), popup->Top(), kMinWidth, 141);
  }

  popup->SetCaption(FPlainTitle);
  popup->SetBounds(popup->Left(), popup->Top(), std::max(kMinWidth, popup->Width()),
                   std::max(kMinHeight, popup->Height()));
  popup->Constraints()->SetMinWidth(popup->Width());
  popup->Constraints()->SetMinHeight(popup->Height());
  popup->SetTag(static_cast<int>(FHighlightType));
  popup->SetPosition(poDesigned);

  // Where the panel lay in the stored layout relative to the board image,
  // shifted by as much as centring has since moved the image.
  int dx = 0, dy = 0;
  TWinControl* image = Parent();
  if (TBoardImage* board = BoardImageParent()) {
    dx = board->FLayoutLeft - l0;
    dy = board->FLayoutTop - t0;
  }
  if (!panel) {
    dx = 0;
    dy = image ? -(image->Height() + 38) : 0;
  }
  if (image) {
    popup->SetLeft(image->Left() - dx);
    popup->SetTop(image->Top() - dy);
  }

  popup->SetOnClose(TCloseEvent(this, &TBoardHighlight::PopupClose));

  const int cw = popup->ClientWidth(), ch = popup->ClientHeight();
  auto* status = new TStatusBar(popup);
  status->SetName("PopupStatus");
  popup->PopupStatus = status;
  status->SetParent(popup);
  status->SetAlign(alNone);
  status->Panels()->Add()->SetBevel(pbNone);
  status->SetBounds(0, ch - 19, cw, 19);
  status->SetAnchors({akLeft, akRight, akBottom});

  auto button = [&](const char* name, const char* caption, int left, TAnchors anchors, TNotifyEvent click) {
    auto* b = new TButton(popup);
    b->SetName(name);
    b->SetParent(popup);
    b->SetCaption(caption);
    b->SetBounds(left, ch - 44, 58, 25);
    b->SetAnchors(anchors);
    b->SetOnClick(std::move(click));
    return b;
  };
  button("PreviousButton", "Previous", 6, {akLeft, akBottom}, TNotifyEvent(this, &TBoardHighlight::PreviousClick));
  button("NextButton", "Next", (cw - 58) / 2, {akBottom}, TNotifyEvent(this, &TBoardHighlight::NextClick));
  TButton* done =
      button("DoneButton", "Done", cw - 64, {akRight, akBottom}, TNotifyEvent(this, &TBoardHighlight::DoneClick));

  auto* memo = new TMemo(popup);
  memo->SetName("StatusMemo");
  memo->SetParent(popup);
  memo->SetBounds(6, ch - 50 - memoHeight, cw - 12, memoHeight);
  memo->SetAnchors({akLeft, akTop, akRight, akBottom});
  memo->SetReadOnly(true);
  memo->SetScrollBars(ssVertical);
  memo->Lines()->Clear();
  if (panel) memo->Lines()->Assign(panel->Lines());

  // Kept on the primary screen.
  if (popup->Left() < 0)
    popup->SetLeft(0);
  else if (popup->Left() + popup->Width() > Screen->Width())
    popup->SetLeft(Screen->Width() - popup->Width());
  if (popup->Top() < 0)
    popup->SetTop(0);
  else if (popup->Top() + popup->Height() > Screen->Height())
    popup->SetTop(Screen->Height() - popup->Height());

  popup->Show();
  if (panel)
    popup->FocusControl(panel);
  else
    popup->FocusControl(done);
}

void TBoardHighlight::PopupClose(TObject*, TCloseAction&) {
  SetMenuChecked(false);
  if (FPopup) FPopup->FCloseOnLeave = false;
  ClearEntered();
  for (TBoardHighlight* h : LinkedGroup()) h->ClearEntered();
}

void TBoardHighlight::DoneClick(TObject*) {
  if (FPopup) FPopup->Close();
}
