#pragma once
// Qt peers of windowed controls. A custom peer paints through the control's
// paint path into a back buffer and copies it to the screen in one step; a
// native peer (button, memo, ...) draws itself, and the control's windowless
// children are painted over it.

#include <QEvent>
#include <QImage>
#include <QWidget>

#include "Controls.h"

class QMouseEvent;

// The control a peer belongs to; nullptr once the control has let go.
TWinControl* ControlOf(const QWidget* peer);
void AttachPeer(QWidget* peer, TWinControl* control);
void DetachPeer(QWidget* peer);

// Mouse events as window messages.
bool MouseMessageOf(const QMouseEvent* e, UINT& msg, WPARAM& keys);
WPARAM KeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// The one back buffer shared by all custom peers; painting is single-threaded.
QImage& PaintScratch(int width, int height);

class TWidgetPeer : public QWidget {
 public:
  TWidgetPeer(TWinControl* control, QWidget* parent);
  // A control that moves while it paints (the board picture centres itself
  // then) gets its new place once the paint is over: Qt cannot move a
  // widget inside its own paint event.
  bool InPaint() const { return FInPaint; }
  void DeferGeometry() { FGeometryPending = true; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void Mouse(QMouseEvent* e);
  bool FInPaint = false;
  bool FGeometryPending = false;
};

// Paints a control's client area (its own drawing and its windowless
// children) for the update rectangle onto a painter at the same place.
void PaintControlArea(TWinControl* control, QPainter& painter, const QRect& update);

// For native widgets: forwards mouse input to the model (without consuming
// it), focus changes, and paints windowless children after the widget.
void InstallNativeFilter(QWidget* peer);
