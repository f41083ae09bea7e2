#include "qt/FormPeer.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

#include "Guard.h"
#include "qt/Peers.h"

namespace {

TCustomForm* FormOf(const QWidget* w) { return dynamic_cast<TCustomForm*>(ControlOf(w)); }

class TFormWindow : public QWidget {
 public:
  TFormWindow() : QWidget(nullptr) {
    setAttribute(Qt::WA_QuitOnClose, false);
    // The menu bar and the client area cover the whole window: there is no
    // background of its own to fill.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
  }
  QMenuBar* Bar = nullptr;
  QWidget* Client = nullptr;

 protected:
  void moveEvent(QMoveEvent* e) override {
    QWidget::moveEvent(e);
    if (TCustomForm* f = FormOf(this)) Guarded([&] { f->PeerWindowMoved(geometry().x(), geometry().y()); });
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    LayoutFormWindow(this, Bar, Client);
    if (TCustomForm* f = FormOf(this)) Guarded([&] { f->PeerWindowResized(width(), height()); });
  }
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    TCustomForm* f = FormOf(this);
    if (!f) return;
    if (e->type() == QEvent::ActivationChange) {
      const bool active = isActiveWindow();
      if (active != f->Active()) Guarded([&] { f->PeerActivationChanged(active); });
    } else if (e->type() == QEvent::WindowStateChange) {
      const TWindowState s = isMaximized() ? wsMaximized : isMinimized() ? wsMinimized : wsNormal;
      Guarded([&] { f->PeerWindowStateChanged(s); });
    }
  }
  void closeEvent(QCloseEvent* e) override {
    // The form decides: hide, free or end the program.
    e->ignore();
    if (TCustomForm* f = FormOf(this)) Guarded([&] { f->PeerCloseRequested(); });
  }
  void keyPressEvent(QKeyEvent* e) override {
    TCustomForm* f = FormOf(this);
    int key = 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) key = 13;
    if (e->key() == Qt::Key_Escape) key = 27;
    bool handled = false;
    if (f && key) Guarded([&] { handled = f->PeerDialogKey(key); });
    if (handled)
      e->accept();
    else
      QWidget::keyPressEvent(e);
  }
};

class TAppFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseMove:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Enter:
      case QEvent::Leave:
        if (Application && watched->isWidgetType()) Guarded([] { Application->UpdateMouseControl(); });
        break;
      default:
        break;
    }
    return false;
  }
};

}  // namespace

QWidget* CreateFormWindow(TCustomForm* form, QWidget** client) {
  auto* window = new TFormWindow;
  window->Client = new TWidgetPeer(form, window);
  window->Client->setFocusPolicy(Qt::NoFocus);
  *client = window->Client;
  return window;
}

QMenuBar* CreateFormMenuBar(QWidget* window) {
  auto* bar = new QMenuBar(window);
  bar->setNativeMenuBar(false);
  bar->setFixedHeight(MenuBarHeight);
  if (auto* w = dynamic_cast<TFormWindow*>(window)) w->Bar = bar;
  bar->show();
  return bar;
}

void LayoutFormWindow(QWidget* window, QMenuBar* bar, QWidget* client) {
  const int top = bar ? MenuBarHeight : 0;
  if (auto* w = dynamic_cast<TFormWindow*>(window)) w->Bar = bar;
  if (bar) bar->setGeometry(0, 0, window->width(), MenuBarHeight);
  if (client) client->setGeometry(0, top, window->width(), std::max(0, window->height() - top));
}

void ApplyFormWindowFlags(QWidget* window, TFormBorderStyle style, TBorderIcons icons, bool stayOnTop) {
  Qt::WindowFlags f = (style == bsToolWindow || style == bsSizeToolWin) ? Qt::Tool : Qt::Window;
  if (style == bsNone) {
    f |= Qt::FramelessWindowHint;
  } else {
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (icons.contains(biSystemMenu)) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style == bsSizeable || style == bsSingle) {
      if (icons.contains(biMinimize)) f |= Qt::WindowMinimizeButtonHint;
      if (icons.contains(biMaximize) && style == bsSizeable) f |= Qt::WindowMaximizeButtonHint;
    }
  }
  if (stayOnTop) f |= Qt::WindowStaysOnTopHint;
  if (window->windowFlags() != f) window->setWindowFlags(f);
}

void SetFormWindowGeometry(TCustomForm* form, QWidget* window, TFrameMetrics m, int menuHeight) {
  if (window->isMaximized() || window->isMinimized()) return;
  const TRect c = form->ClientRect();
  const QRect g(form->Left() + m.Border, form->Top() + m.Border + m.Caption, c.Width(), c.Height() + menuHeight);
  if (window->geometry() != g) window->setGeometry(g);
}

void InstallApplicationHooks() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  qApp->installEventFilter(new TAppFilter(qApp));
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, qApp, [] {
    if (Application) Application->DoIdle();
  });
}
