#pragma once
// Native Qt peers of the standard controls. Each one mirrors its control and
// hands the user's input to it; none decides state the model owns: buttons
// that Qt would check or toggle by themselves leave that to the model, which
// then pushes the new state back.

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "StdCtrls.h"

class QSizeGrip;
class TStatusBar;

// Mouse events stop at the peer: the model has seen them (through the native
// filter), and the parent's peer must not see them a second time.
template <class W>
class TAcceptingPeer : public W {
 public:
  using W::W;

 protected:
  bool event(QEvent* e) override {
    const bool handled = W::event(e);
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        e->accept();
        return true;
      default:
        return handled;
    }
  }
};

class TButtonPeer : public TAcceptingPeer<QPushButton> {
 public:
  TButtonPeer(TButtonControl* control, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
};

class TCheckBoxPeer : public TAcceptingPeer<QCheckBox> {
 public:
  TCheckBoxPeer(TButtonControl* control, QWidget* parent);

 protected:
  // The model toggles; Qt's own step is switched off.
  void nextCheckState() override {}
  // The whole control is its click area, as a classic check box's is.
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void keyPressEvent(QKeyEvent* e) override;
};

class TRadioButtonPeer : public TAcceptingPeer<QRadioButton> {
 public:
  TRadioButtonPeer(TButtonControl* control, QWidget* parent);

 protected:
  void nextCheckState() override {}
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
  void keyPressEvent(QKeyEvent* e) override;
};

class TMemoPeer : public QPlainTextEdit {
 public:
  TMemoPeer(TCustomMemo* control, QWidget* parent);
  // Shows the model's text without reporting it back as an edit.
  void ShowText(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  // Mouse input arrives at the viewport; the model hears it in the memo's
  // own coordinates.
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  void Forward(QMouseEvent* e);
  bool FShowing = false;
};

// The classic geometry in the style's colours: the frame starts half a text
// line down and the caption sits on it, so children placed for the classic
// group box stay inside the frame.
class TGroupBoxPeer : public TAcceptingPeer<QGroupBox> {
 public:
  TGroupBoxPeer(TWinControl* control, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

// Draws the status panels the way the style draws status bar items, with a
// real size grip in the corner.
class TStatusBarPeer : public TAcceptingPeer<QWidget> {
 public:
  TStatusBarPeer(TStatusBar* control, QWidget* parent);
  void SetGripVisible(bool visible);
  QSizeGrip* Grip() const { return FGrip; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void PlaceGrip();
  QSizeGrip* FGrip;
};

// Colours of a peer from the model: the background role and the text role
// (the disabled look stays the style's).
void SetPeerColors(QWidget* peer, TColor background, QPalette::ColorRole backgroundRole, TColor text,
                   QPalette::ColorRole textRole, bool fill);
// Tab stops take the focus by Tab and click, other controls by click only.
void SetPeerFocusPolicy(QWidget* peer, bool tabStop);
