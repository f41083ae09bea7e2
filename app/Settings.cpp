// The Settings program: one main window, the board page, until it closes.
#include "Forms.h"
#include "template.h"

int main(int argc, char** argv) {
  InitPlatform(argc, argv);
  Application->Initialize();
  Application->CreateForm(MainForm);
  Application->Run();
  DonePlatform();
  return 0;
}
