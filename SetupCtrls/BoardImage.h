#pragma once
// The photograph of the board, as a panel that carries the highlight circles
// as its children. It centres itself in its window at every paint and
// remembers where the stored layout had put it.

#include <memory>

#include "ExtCtrls.h"
#include "Graphics.h"
#include "Menus.h"
#include "Messages.h"

class TBoardHighlight;

// Sent by the help window's Start button: open the first highlight.
inline constexpr UINT WM_OPENFIRSTHIGHLIGHT = WM_USER + 0xA2;

class TBoardImage : public TCustomPanel {
  T_CLASS(TBoardImage, TCustomPanel)
 public:
  explicit TBoardImage(TComponent* owner);
  ~TBoardImage() override;

  TBoardHighlight* First() const { return FFirst; }
  void SetFirst(TBoardHighlight* first) { FFirst = first; }
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* menu) { FMenu = menu; }
  bool CenterOnForm() const { return FCenterOnForm; }
  void SetCenterOnForm(bool value) { FCenterOnForm = value; }
  bool Scale() const { return FScale; }
  void SetScale(bool value);
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TPicture* Picture() const { return FPicture.get(); }
  // Copies the given picture's content; the argument stays the caller's.
  void SetPicture(TPicture* picture) { FPicture->Assign(picture); }

  // Where the picture is drawn.
  TRect PictureRect() const;
  HPALETTE GetPalette() const;

  // The position the stored layout gave the image, recorded at its first
  // paint before any centring.
  int FLayoutLeft = 0;
  int FLayoutTop = 0;
  bool LayoutSaved() const { return FLayoutSaved; }
  double Aspect() const { return FAspect; }
  bool Painting() const { return FPainting; }

  void Paint() override;
  bool CanAutoSize(int& width, int& height) override;
  void Dispatch(TMessage& message) override;

 private:
  void HandlePictureChange(TObject* sender);
  bool NotifyPaletteChange();

  TBoardHighlight* FFirst = nullptr;
  TMainMenu* FMenu = nullptr;
  bool FCenterOnForm = true;
  bool FScale = true;
  bool FCenter = false;
  bool FStretch = false;
  bool FTransparent = false;
  std::unique_ptr<TPicture> FPicture;
  double FAspect = 1.0;
  bool FPainting = false;
  bool FLayoutSaved = false;
};
