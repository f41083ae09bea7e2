// The Settings program: one main window, the board page, until it closes.
#include <exception>

#include "Forms.h"
#include "Resources.h"
#include "Streaming.h"
#include "template.h"

int main(int argc, char** argv) {
  // Reading the page and decoding its photograph go on while the window
  // system starts.
  PreloadLayout(MainFormLayoutText());
  InitPlatform(argc, argv);
  Application->Initialize();
  try {
    Application->CreateForm(MainForm);
  } catch (const std::exception& e) {
    // A page that cannot be built is not shown half-built.
    Application->MessageBox(std::string("The Settings program cannot start.\r\n\r\n") + e.what(),
                            Application->Title(), MB_OK | MB_ICONSTOP);
    DonePlatform();
    return 1;
  }
  Application->Run();
  DonePlatform();
  return 0;
}
