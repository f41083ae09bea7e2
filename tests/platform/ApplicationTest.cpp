// The application object: idle moments, message boxes, the exception report,
// posted messages and timers.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <memory>
#include <stdexcept>

#include "Forms.h"
#include "Guard.h"
#include "TestSupport.h"
#include "WinApi.h"

namespace {
struct TIdleCounter : TObject {
  int Calls = 0;
  bool DoneSeen = false;
  void Idle(TObject* sender, bool& done) {
    EXPECT_EQ(sender, Application);
    ++Calls;
    DoneSeen = done;
  }
};
}  // namespace

TEST(Idle, RunsEachTimeTheQueueEmpties) {
  TIdleCounter counter;
  Application->SetOnIdle(TIdleEvent(&counter, &TIdleCounter::Idle));
  PumpEvents();
  const int first = counter.Calls;
  EXPECT_GE(first, 1);
  EXPECT_TRUE(counter.DoneSeen);
  // New work, then the queue empties again: another idle moment.
  HWND window = AllocateHWnd([](TMessage&) {});
  PostMessageA(window, WM_USER, 0, 0);
  PumpEvents();
  EXPECT_GT(counter.Calls, first);
  DeallocateHWnd(window);
  Application->SetOnIdle(nullptr);
  const int last = counter.Calls;
  PumpEvents();
  EXPECT_EQ(counter.Calls, last);
}

TEST(MessageBoxes, TheResponderSeesTextCaptionAndFlagsAndAnswers) {
  TBoxRecorder boxes(IDRETRY);
  const int answer = Application->MessageBox("Total failure", "Caption", MB_RETRYCANCEL | MB_ICONEXCLAMATION);
  EXPECT_EQ(answer, IDRETRY);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Total failure");
  EXPECT_EQ(boxes.Boxes[0].Caption, "Caption");
  EXPECT_EQ(boxes.Boxes[0].Flags, 0x35u);
}

TEST(ExceptionReport, AMessageBoxWithTheMessageAndTheProgramRunsOn) {
  TBoxRecorder boxes;
  Guarded([] { throw EInvalidOperation("Something went wrong"); });
  Guarded([] { throw std::runtime_error("ends with a dot."); });
  ASSERT_EQ(boxes.Boxes.size(), 2u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Something went wrong.");
  EXPECT_EQ(boxes.Boxes[0].Caption, Application->Title());
  EXPECT_EQ(boxes.Boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
  EXPECT_EQ(boxes.Boxes[1].Text, "ends with a dot.");
}

TEST(ExceptionReport, AnExceptionFromAHandlerOfRealInputIsReported) {
  TBoxRecorder boxes;
  TForm form(nullptr);
  form.SetBounds(10, 10, 200, 150);
  form.SetOnClick(TNotifyEvent::Lambda([](TObject*) { throw Exception("Handler failed"); }));
  form.Show();
  PumpEvents();
  ClickAt(&form, {20, 20});
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Handler failed.");
  // Still alive and answering.
  form.SetOnClick(nullptr);
  ClickAt(&form, {20, 20});
  EXPECT_EQ(boxes.Boxes.size(), 1u);
}

TEST(PostedMessages, ArriveLaterAtLiveWindowsOnly) {
  std::vector<UINT> got;
  HWND window = AllocateHWnd([&](TMessage& m) { got.push_back(m.Msg); });
  EXPECT_TRUE(PostMessageA(window, WM_USER + 1, 0, 0));
  EXPECT_TRUE(got.empty());
  PumpEvents();
  EXPECT_EQ(got, std::vector<UINT>{WM_USER + 1});
  PostMessageA(window, WM_USER + 2, 0, 0);
  DeallocateHWnd(window);
  PumpEvents();  // the message to the window that has gone is dropped
  EXPECT_EQ(got.size(), 1u);
  EXPECT_FALSE(PostMessageA(window, WM_USER + 3, 0, 0));
}

TEST(Timers, TickAsNumberedTimerMessagesUntilKilled) {
  std::vector<WPARAM> ticks;
  HWND window = AllocateHWnd([&](TMessage& m) {
    if (m.Msg == WM_TIMER) ticks.push_back(m.WParam);
  });
  ASSERT_EQ(SetTimer(window, 7, 10), 7u);
  QElapsedTimer t;
  t.start();
  while (ticks.size() < 2 && t.elapsed() < 2000) PumpEvents(5);
  ASSERT_GE(ticks.size(), 2u);
  EXPECT_EQ(ticks[0], 7u);
  EXPECT_TRUE(KillTimer(window, 7));
  EXPECT_FALSE(KillTimer(window, 7));
  const size_t count = ticks.size();
  PumpEvents(40);
  EXPECT_EQ(ticks.size(), count);
  DeallocateHWnd(window);
}

TEST(Timers, ARefusingSystemStartsNone) {
  HWND window = AllocateHWnd([](TMessage&) {});
  SetTimersRefused(true);
  EXPECT_EQ(SetTimer(window, 1, 100), 0u);
  SetTimersRefused(false);
  EXPECT_EQ(SetTimer(window, 1, 100), 1u);
  DeallocateHWnd(window);
}

TEST(Timers, AnExceptionInATickIsReportedAndTheTimerGoesOn) {
  TBoxRecorder boxes;
  int ticks = 0;
  HWND window = AllocateHWnd([&](TMessage& m) {
    if (m.Msg != WM_TIMER) return;
    ++ticks;
    throw Exception("Tick failed");
  });
  SetTimer(window, 1, 5);
  QElapsedTimer t;
  t.start();
  while (ticks < 2 && t.elapsed() < 2000) PumpEvents(5);
  DeallocateHWnd(window);
  EXPECT_GE(ticks, 2);
  ASSERT_GE(boxes.Boxes.size(), 2u);
  EXPECT_EQ(boxes.Boxes[0].Text, "Tick failed.");
}
