#include "BoardImage.h"

#include <cmath>

#include "BoardHighlight.h"
#include "Forms.h"

TBoardImage::TBoardImage(TComponent* owner) : TCustomPanel(owner), FPicture(new TPicture) {
  // Without a picture there is nothing that covers the background.
  SetControlStyle(ControlStyle() + csReplicatable - csOpaque);
  SetHeight(105);
  SetWidth(105);
  SetAutoSize(true);
  FPicture->SetOnChange(TNotifyEvent(this, &TBoardImage::HandlePictureChange));
}

TBoardImage::~TBoardImage() {
  FPicture->SetOnChange(nullptr);
  DestroyHandle();
}

void TBoardImage::SetScale(bool value) {
  if (value == FScale) return;
  FScale = value;
  HandlePictureChange(this);
}

void TBoardImage::SetCenter(bool value) {
  if (value == FCenter) return;
  FCenter = value;
  HandlePictureChange(this);
}

void TBoardImage::SetStretch(bool value) {
  if (value == FStretch) return;
  FStretch = value;
  HandlePictureChange(this);
}

void TBoardImage::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  HandlePictureChange(this);
}

HPALETTE TBoardImage::GetPalette() const {
  TGraphic* g = FPicture->Graphic();
  return g ? g->Palette() : 0;
}

void TBoardImage::HandlePictureChange(TObject*) {
  const int pw = FPicture->Width(), ph = FPicture->Height();
  if (pw > 0 && ph > 0) FAspect = static_cast<double>(ph) / static_cast<double>(pw);
  if (AutoSize() && pw > 0 && ph > 0) SetBounds(Left(), Top(), pw, ph);
  if (TGraphic* g = FPicture->Graphic()) {
    // Metafiles and icons keep their own transparency; this platform has none.
    g->SetTransparent(FTransparent);
    const bool covers = !g->Transparent() && (FStretch || (g->Width() >= Width() && g->Height() >= Height()));
    SetControlStyle(covers ? ControlStyle() + csOpaque : ControlStyle() - csOpaque);
    if (NotifyPaletteChange() && FPainting) Update();
  } else {
    SetControlStyle(ControlStyle() - csOpaque);
  }
  if (!FPainting) Invalidate();
}

bool TBoardImage::NotifyPaletteChange() {
  TGraphic* g = FPicture->Graphic();
  if (!Visible() || ComponentState().contains(csLoading) || !g || !g->PaletteModified()) return false;
  if (g->Palette() == 0) {
    g->SetPaletteModified(false);
    return false;
  }
  TCustomForm* form = ParentForm();
  if (form && Screen && Screen->ActiveForm() == form && form->HandleAllocated()) {
    if (FPainting)
      SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0);
    else
      PostMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0);
    g->SetPaletteModified(false);
    return true;
  }
  return false;
}

TRect TBoardImage::PictureRect() const {
  const int pw = FPicture->Width(), ph = FPicture->Height();
  if (FStretch) return Rect(0, 0, Width(), Height());
  if (FCenter) return Bounds((Width() - pw) / 2, (Height() - ph) / 2, pw, ph);
  return Rect(0, 0, pw, ph);
}

void TBoardImage::Paint() {
  if (!FLayoutSaved) {
    FLayoutLeft = Left();
    FLayoutTop = Top();
    FLayoutSaved = true;
  }
  // Centred on the parent's outer size: for a form that is the whole window.
  if (FCenterOnForm && !IsDesigning() && Parent()) {
    SetLeft((Parent()->Width() - Width()) / 2);
    SetTop((Parent()->Height() - Height()) / 2);
  }
  if (IsDesigning()) {
    if (FScale) SetHeight(static_cast<int>(std::nearbyint(Width() * FAspect)));
    Canvas()->Pen()->SetStyle(psDash);
    Canvas()->Pen()->SetColor(clBlack);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Rectangle(0, 0, Width(), Height());
  }
  const bool saved = FPainting;
  FPainting = true;
  try {
    Canvas()->StretchDraw(PictureRect(), FPicture->Graphic());
  } catch (...) {
    FPainting = saved;
    throw;
  }
  FPainting = saved;
}

bool TBoardImage::CanAutoSize(int& width, int& height) {
  const int pw = FPicture->Width(), ph = FPicture->Height();
  if (IsDesigning() && (pw <= 0 || ph <= 0)) return true;
  if (Align() == alNone || Align() == alLeft || Align() == alRight) width = pw;
  if (Align() == alNone || Align() == alTop || Align() == alBottom) height = ph;
  return true;
}

void TBoardImage::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_OPENFIRSTHIGHLIGHT:
      // As if the pointer had entered the first circle, clicked and left.
      if (FFirst) {
        FFirst->MouseEnterMessage(message);
        FFirst->Click();
        FFirst->MouseLeaveMessage(message);
      }
      return;
    default:
      TCustomPanel::Dispatch(message);
  }
}
