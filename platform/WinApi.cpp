#include "WinApi.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QObject>
#include <QTimerEvent>
#include <map>
#include <optional>
#include <unordered_set>

#include "Guard.h"

namespace {

std::unordered_set<const TWindowTarget*>& LiveTargets() {
  static std::unordered_set<const TWindowTarget*> live;
  return live;
}

std::optional<TPoint> gCursorOverride;
bool gTimersRefused = false;

// A posted message travels as a Qt event to one dispatcher object.
class TPostedMessage : public QEvent {
 public:
  static QEvent::Type Kind() {
    static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kind;
  }
  TPostedMessage(HWND target, const TMessage& m) : QEvent(Kind()), Target(target), Message(m) {}
  HWND Target;
  TMessage Message;
};

class TPostOffice : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() != TPostedMessage::Kind()) return QObject::event(e);
    auto* pm = static_cast<TPostedMessage*>(e);
    if (TWindowTarget::IsLive(pm->Target)) {
      TMessage m = pm->Message;
      Guarded([&] { pm->Target->WndProc(m); });
    }
    return true;
  }
};

TPostOffice& PostOffice() {
  static TPostOffice* office = new TPostOffice;
  return *office;
}

// The hidden window behind AllocateHWnd.
class TMessageWindow : public QObject, public TWindowTarget {
 public:
  explicit TMessageWindow(TWndMethod method) : FMethod(std::move(method)) {}
  ~TMessageWindow() override {
    for (const auto& t : FTimers) killTimer(t.second);
  }
  void WndProc(TMessage& m) override {
    if (FMethod)
      FMethod(m);
    else
      m.Result = DefWindowProcA(this, m.Msg, m.WParam, m.LParam);
  }
  UINT Start(UINT id, UINT ms) {
    Stop(id);
    const int qt = startTimer(static_cast<int>(ms), Qt::PreciseTimer);
    if (qt == 0) return 0;
    FTimers[id] = qt;
    return id;
  }
  bool Stop(UINT id) {
    auto it = FTimers.find(id);
    if (it == FTimers.end()) return false;
    killTimer(it->second);
    FTimers.erase(it);
    return true;
  }

 protected:
  void timerEvent(QTimerEvent* e) override {
    for (const auto& t : FTimers) {
      if (t.second != e->timerId()) continue;
      TMessage m{WM_TIMER, t.first, 0, 0};
      Guarded([&] { WndProc(m); });
      return;
    }
  }

 private:
  TWndMethod FMethod;
  std::map<UINT, int> FTimers;
};

}  // namespace

TWindowTarget::TWindowTarget() { LiveTargets().insert(this); }
TWindowTarget::~TWindowTarget() { LiveTargets().erase(this); }
bool TWindowTarget::IsLive(const TWindowTarget* target) { return target && LiveTargets().count(target) > 0; }

bool GetCursorPos(TPoint* point) {
  if (!point) return false;
  if (gCursorOverride) {
    *point = *gCursorOverride;
    return true;
  }
  const QPoint p = QCursor::pos();
  *point = {p.x(), p.y()};
  return true;
}

void SetCursorPosOverride(const TPoint* point) {
  if (point)
    gCursorOverride = *point;
  else
    gCursorOverride.reset();
}

bool PtInRect(const TRect& rect, TPoint point) { return rect.Contains(point); }

bool PostMessageA(HWND target, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!TWindowTarget::IsLive(target)) return false;
  QCoreApplication::postEvent(&PostOffice(), new TPostedMessage(target, TMessage{msg, wParam, lParam, 0}));
  return true;
}

LRESULT SendMessageA(HWND target, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!TWindowTarget::IsLive(target)) return 0;
  TMessage m{msg, wParam, lParam, 0};
  target->WndProc(m);
  return m.Result;
}

HWND AllocateHWnd(TWndMethod method) { return new TMessageWindow(std::move(method)); }

void DeallocateHWnd(HWND window) {
  if (auto* w = dynamic_cast<TMessageWindow*>(window)) delete w;
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }

UINT SetTimer(HWND window, UINT id, UINT milliseconds, void*) {
  auto* w = dynamic_cast<TMessageWindow*>(window);
  if (!w || gTimersRefused) return 0;
  return w->Start(id, milliseconds);
}

bool KillTimer(HWND window, UINT id) {
  auto* w = dynamic_cast<TMessageWindow*>(window);
  return w && TWindowTarget::IsLive(window) && w->Stop(id);
}

void SetTimersRefused(bool refused) { gTimersRefused = refused; }
