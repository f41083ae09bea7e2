#pragma once
// Helpers shared by the test suites: the application object, event pumping,
// the pointer, real mouse input through the Qt peers, and message boxes that
// a test answers.

#include <functional>
#include <string>
#include <vector>

#include "Controls.h"
#include "Forms.h"

#include <QPoint>
#include <Qt>

class QWidget;

// Runs the event loop for a while (0: until the queue is empty).
void PumpEvents(int milliseconds = 0);

// Puts the pointer at a screen position (without moving the real one) and
// lets the application track it, as it does on every mouse message.
void MovePointer(TPoint screen);
void MovePointerTo(const TControl* control, TPoint inside = {1, 1});
void ReleasePointer();

// Real mouse input delivered to the peer widget under a control's point.
void ClickAt(TControl* control, TPoint inside, Qt::MouseButton button = Qt::LeftButton);
void PressAt(TControl* control, TPoint inside, Qt::MouseButton button = Qt::LeftButton);
void ReleaseAt(TControl* control, TPoint inside, Qt::MouseButton button = Qt::LeftButton);
void DoubleClickAt(TControl* control, TPoint inside);
// The widget that receives input for a point of the control, and that point.
QWidget* InputWidget(TControl* control, TPoint inside, QPoint& local);

// Records the message boxes shown while it lives and answers them.
class TBoxRecorder {
 public:
  explicit TBoxRecorder(int answer = IDOK);
  ~TBoxRecorder();
  TBoxRecorder(const TBoxRecorder&) = delete;
  TBoxRecorder& operator=(const TBoxRecorder&) = delete;
  std::vector<TMessageBoxRequest> Boxes;
  int Answer;
};

// Renders a windowed control into a new bitmap of its size.
TBitmap* RenderControl(TWinControl* control);
// The colour of a bitmap pixel as 0x00RRGGBB for readable failures.
uint32_t PixelRGB(TBitmap& bitmap, int x, int y);
