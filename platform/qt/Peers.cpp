#include "qt/Peers.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "Guard.h"
#include "qt/QtBridge.h"

namespace {
const char* const kControlProperty = "twincontrol";
}

TWinControl* ControlOf(const QWidget* peer) {
  for (const QWidget* w = peer; w; w = w->parentWidget()) {
    const QVariant v = w->property(kControlProperty);
    if (v.isValid()) return reinterpret_cast<TWinControl*>(v.value<quintptr>());
  }
  return nullptr;
}

void AttachPeer(QWidget* peer, TWinControl* control) {
  peer->setProperty(kControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(control)));
  peer->setMouseTracking(true);
}

void DetachPeer(QWidget* peer) {
  peer->setProperty(kControlProperty, QVariant::fromValue(quintptr{0}));
  for (QWidget* child : peer->findChildren<QWidget*>())
    if (child->property(kControlProperty).isValid())
      child->setProperty(kControlProperty, QVariant::fromValue(quintptr{0}));
}

WPARAM KeysOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  WPARAM k = 0;
  if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
  if (buttons & Qt::RightButton) k |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) k |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) k |= MK_CONTROL;
  if (modifiers & Qt::AltModifier) k |= MK_ALT;
  return k;
}

bool MouseMessageOf(const QMouseEvent* e, UINT& msg, WPARAM& keys) {
  keys = KeysOf(e->buttons(), e->modifiers());
  int base;
  switch (e->button()) {
    case Qt::LeftButton: base = WM_LBUTTONDOWN; break;
    case Qt::RightButton: base = WM_RBUTTONDOWN; break;
    case Qt::MiddleButton: base = WM_MBUTTONDOWN; break;
    default: base = 0; break;
  }
  switch (e->type()) {
    case QEvent::MouseMove: msg = WM_MOUSEMOVE; return true;
    case QEvent::MouseButtonPress: msg = static_cast<UINT>(base); return base != 0;
    case QEvent::MouseButtonRelease: msg = static_cast<UINT>(base + 1); return base != 0;
    case QEvent::MouseButtonDblClick: msg = static_cast<UINT>(base + 2); return base != 0;
    default: return false;
  }
}

QImage& PaintScratch(int width, int height) {
  static QImage scratch;
  if (scratch.width() < width || scratch.height() < height)
    scratch = QImage(std::max(width, scratch.width()), std::max(height, scratch.height()), QImage::Format_RGB32);
  return scratch;
}

// ---------------------------------------------------------------------------

TWidgetPeer::TWidgetPeer(TWinControl* control, QWidget* parent) : QWidget(parent) {
  AttachPeer(this, control);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void TWidgetPeer::paintEvent(QPaintEvent* e) {
  TWinControl* c = ControlOf(this);
  if (!c) return;
  const QRect r = e->rect().intersected(rect());
  if (r.isEmpty()) return;
  FInPaint = true;
  // Where Qt paints this widget: the window's back buffer, or the target of
  // a render. When that is a 32-bit image the control paints straight into
  // it, and the buffer reaches the screen in one copy. A windowless child
  // reads what lies beneath it, so it must see its whole area painted in one
  // pass: an area of several rectangles with such children is composed in
  // the shared scratch buffer first.
  QPoint offset;
  auto* device = dynamic_cast<QImage*>(redirected(&offset));
  const bool direct = device && device->depth() == 32 && !sharedPainter() && device->devicePixelRatio() == 1.0 &&
                      devicePixelRatio() == 1.0 &&
                      (e->region().rectCount() == 1 || !c->HasWindowlessChildIn(FromQRect(r)));
  if (direct) {
    for (const QRect& part : e->region())
      Guarded([&] { c->PaintInto(*device, {offset.x(), offset.y()}, FromQRect(part.intersected(rect()))); });
  } else {
    QImage& buffer = PaintScratch(r.width(), r.height());
    Guarded([&] { c->PaintInto(buffer, {r.x(), r.y()}, FromQRect(r)); });
    QPainter p(this);
    p.drawImage(r.topLeft(), buffer, QRect(0, 0, r.width(), r.height()));
  }
  FInPaint = false;
  if (FGeometryPending) {
    FGeometryPending = false;
    QTimer::singleShot(0, this, [this] {
      if (TWinControl* control = ControlOf(this)) {
        setGeometry(control->Left(), control->Top(), control->Width(), control->Height());
        update();
      }
    });
  }
}

void TWidgetPeer::Mouse(QMouseEvent* e) {
  TWinControl* c = ControlOf(this);
  UINT msg;
  WPARAM keys;
  if (!c || !MouseMessageOf(e, msg, keys)) return;
  const QPoint pos = e->position().toPoint();
  Guarded([&] { c->PeerMouse(msg, keys, pos.x(), pos.y()); });
  e->accept();
}

void TWidgetPeer::mousePressEvent(QMouseEvent* e) { Mouse(e); }
void TWidgetPeer::mouseReleaseEvent(QMouseEvent* e) { Mouse(e); }
void TWidgetPeer::mouseDoubleClickEvent(QMouseEvent* e) { Mouse(e); }
void TWidgetPeer::mouseMoveEvent(QMouseEvent* e) { Mouse(e); }

void TWidgetPeer::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (TWinControl* c = ControlOf(this)) Guarded([c] { c->PeerFocusChanged(true); });
}

void TWidgetPeer::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (TWinControl* c = ControlOf(this)) Guarded([c] { c->PeerFocusChanged(false); });
}

// ---------------------------------------------------------------------------

void PaintControlArea(TWinControl* control, QPainter& painter, const QRect& update) {
  if (update.isEmpty()) return;
  QImage layer(update.size(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  Guarded([&] { control->PaintControls(layer, {update.x(), update.y()}, FromQRect(update)); });
  painter.drawImage(update.topLeft(), layer);
}

namespace {

class TNativeFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    auto* w = static_cast<QWidget*>(watched);
    TWinControl* c = ControlOf(w);
    if (!c) return false;
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(e);
        UINT msg;
        WPARAM keys;
        if (MouseMessageOf(me, msg, keys)) {
          const QPoint pos = me->position().toPoint();
          Guarded([&] { c->PeerMouse(msg, keys, pos.x(), pos.y()); });
        }
        return false;
      }
      case QEvent::FocusIn:
      case QEvent::FocusOut: {
        const bool in = e->type() == QEvent::FocusIn;
        Guarded([&] { c->PeerFocusChanged(in); });
        return false;
      }
      case QEvent::Paint: {
        if (FPainting) return false;
        // The widget draws itself; its windowless children go on top.
        FPainting = true;
        static_cast<QObject*>(w)->event(e);
        FPainting = false;
        bool any = false;
        for (int i = 0; i < c->ControlCount() && !any; ++i) any = !c->Controls(i)->IsWindowed();
        if (any) {
          QPainter p(w);
          PaintControlArea(c, p, static_cast<QPaintEvent*>(e)->rect());
        }
        return true;
      }
      default:
        return false;
    }
  }

 private:
  bool FPainting = false;
};

}  // namespace

void InstallNativeFilter(QWidget* peer) { peer->installEventFilter(new TNativeFilter(peer)); }
