// Timings of the pieces a user waits for: decoding the photograph, painting a
// DIP switch drawing, opening a highlight's popup the first time and again.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "DipSwitch.h"
#include "Forms.h"
#include "Jpeg.h"
#include "RadioPanel.h"
#include "StdCtrls.h"
#include "template.h"

namespace {

std::vector<uint8_t> Photo() {
  std::ifstream in(SETTINGS_SOURCE_DIR "/resources/board.jpg", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Pump() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

void BM_DecodePhotograph(benchmark::State& state) {
  const std::vector<uint8_t> data = Photo();
  for (auto _ : state) {
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(data);
    benchmark::DoNotOptimize(jpeg.Width());
  }
  state.SetLabel("600 x 300 progressive JPEG");
}
BENCHMARK(BM_DecodePhotograph)->Unit(benchmark::kMillisecond);

// One paint of the stored wireless switch: both bitmaps redrawn, one copy.
void BM_DipSwitchPaint(benchmark::State& state) {
  TBitmap surface(48, 64);
  TDipSwitch dips(nullptr);
  dips.SetOrientation(otLeft);
  dips.SetNumSwitches(4);
  dips.SetBounds(0, 0, 48, 64);
  dips.SetBinaryValueStr("0101");
  for (auto _ : state) {
    TCanvasBinding bind(dips.Canvas(), &surface.Image(), {0, 0}, Rect(0, 0, 48, 64));
    dips.Paint();
  }
}
BENCHMARK(BM_DipSwitchPaint)->Unit(benchmark::kMicrosecond);

// From the pointer entering a circle to the popup shown and painted.
void OpenAndPaint(TBoardHighlight* h) {
  h->Perform(CM_MOUSEENTER, 0, 0);
  if (TPopupForm* p = h->Popup(); p && p->Peer()) p->Peer()->repaint();
}

void CloseAgain(TBoardHighlight* h) {
  if (h->Popup()) h->Popup()->Close();
  h->Perform(CM_MOUSELEAVE, 0, 0);
}

void BM_PopupFirstOpen(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto page = std::make_unique<TMainForm>(nullptr);
    page->Show();
    Pump();
    page->Repaint();
    Pump();
    state.ResumeTiming();
    OpenAndPaint(page->StackTypeHighlight);
    state.PauseTiming();
    CloseAgain(page->StackTypeHighlight);
    page.reset();
    Pump();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PopupFirstOpen)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_PopupReopen(benchmark::State& state) {
  auto page = std::make_unique<TMainForm>(nullptr);
  page->Show();
  Pump();
  page->Repaint();
  Pump();
  OpenAndPaint(page->StackTypeHighlight);
  CloseAgain(page->StackTypeHighlight);
  Pump();
  for (auto _ : state) {
    OpenAndPaint(page->StackTypeHighlight);
    state.PauseTiming();
    CloseAgain(page->StackTypeHighlight);
    Pump();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PopupReopen)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  InitPlatform(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  DonePlatform();
  return 0;
}
