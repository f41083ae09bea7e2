// Test entry: Qt's offscreen platform with a fixed 1280 x 1024 screen unless
// another platform is chosen, and one application object for all tests.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Forms.h"

namespace {
QtMessageHandler gPrevious = nullptr;
// The offscreen platform cannot raise windows and says so every time.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("does not support raise()"))) return;
  if (gPrevious) gPrevious(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) {
    const QByteArray platform = QByteArray("offscreen:configfile=") + SETTINGS_TEST_DIR "/offscreen.json";
    setenv("QT_QPA_PLATFORM", platform.constData(), 1);
  }
  // A private runtime directory, as a desktop session has one.
  std::string runtime;
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    char dir[] = "/tmp/settings-tests-XXXXXX";
    if (mkdtemp(dir)) {
      runtime = dir;
      setenv("XDG_RUNTIME_DIR", dir, 1);
    }
  }
  gPrevious = qInstallMessageHandler(QuietHandler);
  ::testing::InitGoogleTest(&argc, argv);
  InitPlatform(argc, argv);
  const int result = RUN_ALL_TESTS();
  DonePlatform();
  if (!runtime.empty()) std::filesystem::remove_all(runtime);
  return result;
}
