// Start-up, memory and idle behaviour of the Settings program beside a bare
// Qt window that shows the same photograph, measured side by side in one run.
//
//   startup_bench compare N     (on an X display: see run-startup.sh)
//
// Each sample is a fresh process started by this one; it reports the time
// from just before its start to the end of its first paint of the
// photograph, its peak resident memory then, and what it does while idle.
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "BoardImage.h"
#include "Forms.h"
#include "Resources.h"
#include "Streaming.h"
#include "qt/Peers.h"
#include "template.h"

namespace {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

long PeakKb() {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

long CpuTicks() {
  std::ifstream in("/proc/self/stat");
  std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t close = s.rfind(')');
  std::vector<std::string> f;
  size_t i = close + 2;
  while (i < s.size()) {
    const size_t j = s.find(' ', i);
    f.push_back(s.substr(i, j - i));
    if (j == std::string::npos) break;
    i = j + 1;
  }
  return f.size() > 12 ? std::atol(f[11].c_str()) + std::atol(f[12].c_str()) : -1;
}

// Watches for the first paint of one widget, reports, then watches the idle
// program for two seconds: event-loop wake-ups and CPU time.
class TReporter : public QObject {
 public:
  TReporter(long long start, std::function<bool(QObject*)> isPhoto) : FStart(start), FIsPhoto(std::move(isPhoto)) {}

  bool eventFilter(QObject* o, QEvent* e) override {
    if (!FReported && e->type() == QEvent::Paint && FIsPhoto(o)) {
      FReported = true;
      // After this paint has been handled and flushed.
      QTimer::singleShot(0, this, [this] { Painted(); });
    }
    return false;
  }

 private:
  void Painted() {
    const long long ms100 = (NowNs() - FStart) / 10000;
    std::printf("first_frame_ms=%lld.%02lld peak_kb=%ld\n", ms100 / 100, ms100 % 100, PeakKb());
    if (std::getenv("SMAPS")) { std::ifstream in("/proc/self/smaps_rollup"); std::string l; while (std::getline(in, l)) std::fprintf(stderr, "%s\n", l.c_str()); }
    std::fflush(stdout);
    // Let the start settle, then count what happens while nobody acts.
    QTimer::singleShot(500, this, [this] {
      FTicks = CpuTicks();
      FWakeups = 0;
      QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this,
                       [this] { ++FWakeups; });
      QTimer::singleShot(2000, this, [this] {
        std::printf("idle_wakeups=%d idle_cpu_ticks=%ld\n", FWakeups - 1, CpuTicks() - FTicks);
        std::fflush(stdout);
        std::_Exit(0);
      });
    });
  }
  long long FStart;
  std::function<bool(QObject*)> FIsPhoto;
  bool FReported = false;
  int FWakeups = 0;
  long FTicks = 0;
};

int RunSettings(int argc, char** argv, long long start) {
  // As the program's entry does.
  PreloadLayout(MainFormLayoutText());
  InitPlatform(argc, argv);
  Application->Initialize();
  Application->CreateForm(MainForm);
  TReporter reporter(start, [](QObject* o) {
    auto* w = qobject_cast<QWidget*>(o);
    return w && MainForm && ControlOf(w) == MainForm->BoardImage && w == MainForm->BoardImage->Peer();
  });
  qApp->installEventFilter(&reporter);
  Application->Run();
  return 0;
}

int RunBare(int argc, char** argv, long long start) {
  QApplication app(argc, argv);
  QFile f(SETTINGS_SOURCE_DIR "/resources/board.jpg");
  f.open(QIODevice::ReadOnly);
  QImage photo = QImage::fromData(f.readAll(), "JPEG");
  QLabel window;
  window.setWindowTitle("Bare");
  window.setAlignment(Qt::AlignCenter);
  window.setStyleSheet("background: white");
  window.setPixmap(QPixmap::fromImage(photo));
  TReporter reporter(start, [&window](QObject* o) { return o == &window; });
  app.installEventFilter(&reporter);
  window.showMaximized();
  return app.exec();
}

struct TSample {
  double ms = 0;
  long kb = 0;
  int wakeups = 0;
  long ticks = 0;
};

bool RunChild(const char* self, const char* mode, TSample& out) {
  int pipefd[2];
  if (pipe(pipefd) != 0) return false;
  const long long start = NowNs();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipefd[1], 1);
    close(pipefd[0]);
    const std::string t0 = std::to_string(start);
    execl(self, self, "child", mode, t0.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipefd[1]);
  std::string text;
  char buf[256];
  ssize_t n;
  while ((n = read(pipefd[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<size_t>(n));
  close(pipefd[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return std::sscanf(text.c_str(), "first_frame_ms=%lf peak_kb=%ld\nidle_wakeups=%d idle_cpu_ticks=%ld", &out.ms,
                     &out.kb, &out.wakeups, &out.ticks) == 4;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "child") == 0) {
    const long long start = std::atoll(argv[3]);
    int qtArgc = 1;
    return std::strcmp(argv[2], "bare") == 0 ? RunBare(qtArgc, argv, start) : RunSettings(qtArgc, argv, start);
  }
  if (argc < 2 || std::strcmp(argv[1], "compare") != 0) {
    std::fprintf(stderr, "usage: %s compare [N]\n", argv[0]);
    return 2;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 10;
  std::vector<double> bareMs, settingsMs, bareKb, settingsKb, slower;
  int maxWakeups = 0;
  long maxTicks = 0;
  for (int i = 0; i < rounds; ++i) {
    // Alternate which one goes first, so neither always finds a warm cache.
    for (int k = 0; k < 2; ++k) {
      const bool bare = (i + k) % 2 == 0;
      TSample s;
      if (!RunChild(argv[0], bare ? "bare" : "settings", s)) {
        std::fprintf(stderr, "a %s sample failed\n", bare ? "bare" : "settings");
        return 1;
      }
      (bare ? bareMs : settingsMs).push_back(s.ms);
      (bare ? bareKb : settingsKb).push_back(static_cast<double>(s.kb));
      if (!bare) {
        maxWakeups = std::max(maxWakeups, s.wakeups);
        maxTicks = std::max(maxTicks, s.ticks);
      }
    }
    // Each round's two samples ran back to back: compare them with each other.
    slower.push_back(100.0 * (settingsMs.back() - bareMs.back()) / bareMs.back());
  }
  const double b = Median(bareMs), s = Median(settingsMs);
  std::printf("first painted frame, median of %d: bare Qt window %.1f ms, Settings %.1f ms; "
              "Settings slower by a median %+.1f%% within rounds\n",
              rounds, b, s, Median(slower));
  std::vector<double> sorted = slower;
  std::sort(sorted.begin(), sorted.end());
  std::printf("within-round differences, quartiles: %+.1f%% %+.1f%% %+.1f%%\n", sorted[sorted.size() / 4],
              sorted[sorted.size() / 2], sorted[sorted.size() * 3 / 4]);
  std::printf("peak memory, median: bare %.0f KiB, Settings %.0f KiB (%+.0f KiB)\n", Median(bareKb),
              Median(settingsKb), Median(settingsKb) - Median(bareKb));
  std::printf("Settings while idle for 2 s, worst of %d: %d event-loop wake-ups, %ld CPU ticks\n", rounds, maxWakeups,
              maxTicks);
  return 0;
}
