#include "TestSupport.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <QImage>
#include <QTest>
#include <QWidget>

#include "qt/Peers.h"

// A real event loop that blocks when the queue is empty, so idle moments
// happen as they do in the program.
void PumpEvents(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(std::max(1, milliseconds), &loop, &QEventLoop::quit);
  loop.exec();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

void MovePointer(TPoint screen) {
  SetCursorPosOverride(&screen);
  Application->UpdateMouseControl();
}

void MovePointerTo(const TControl* control, TPoint inside) { MovePointer(control->ClientToScreen(inside)); }

void ReleasePointer() {
  MovePointer({-10000, -10000});
  SetCursorPosOverride(nullptr);
}

QWidget* InputWidget(TControl* control, TPoint inside, QPoint& local) {
  TPoint p = inside;
  TControl* c = control;
  while (c && !c->IsWindowed()) {
    p = {p.X + c->Left(), p.Y + c->Top()};
    c = c->Parent();
  }
  auto* w = static_cast<TWinControl*>(c);
  w->HandleNeeded();
  local = QPoint(p.X, p.Y);
  return w->ChildContainer();
}

namespace {
void Send(TControl* control, TPoint inside, QEvent::Type type, Qt::MouseButton button) {
  QPoint local;
  QWidget* w = InputWidget(control, inside, local);
  MovePointer(control->ClientToScreen(inside));
  Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, QPointF(local), w->mapToGlobal(QPointF(local)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
}  // namespace

void PressAt(TControl* control, TPoint inside, Qt::MouseButton button) {
  Send(control, inside, QEvent::MouseButtonPress, button);
}

void ReleaseAt(TControl* control, TPoint inside, Qt::MouseButton button) {
  Send(control, inside, QEvent::MouseButtonRelease, button);
}

void ClickAt(TControl* control, TPoint inside, Qt::MouseButton button) {
  PressAt(control, inside, button);
  ReleaseAt(control, inside, button);
}

void DoubleClickAt(TControl* control, TPoint inside) {
  PressAt(control, inside);
  ReleaseAt(control, inside);
  Send(control, inside, QEvent::MouseButtonDblClick, Qt::LeftButton);
  ReleaseAt(control, inside);
}

TBoxRecorder::TBoxRecorder(int answer) : Answer(answer) {
  Application->SetMessageBoxResponder([this](const TMessageBoxRequest& r) {
    Boxes.push_back(r);
    return Answer;
  });
}

TBoxRecorder::~TBoxRecorder() { Application->SetMessageBoxResponder(nullptr); }

TBitmap* RenderControl(TWinControl* control) {
  auto* b = new TBitmap(control->ClientWidth(), control->ClientHeight());
  b->SetPixelFormat(pf32bit);
  control->PaintTo(b->Canvas(), 0, 0);
  return b;
}

uint32_t PixelRGB(TBitmap& bitmap, int x, int y) { return bitmap.Image().pixel(x, y) & 0xFFFFFF; }
