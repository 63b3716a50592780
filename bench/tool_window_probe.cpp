// The tool started as the program starts it, in the program folder given as the first
// argument, reporting when its window is exposed with the form filled.

#include <QApplication>

#include "platform/program_folder.h"
#include "startup_probe.h"
#include "ui/main_window.h"
#include "ui/tool.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : itemsmith::ProgramFolder();
  itemsmith::EnterFolder(folder);
  itemsmith::Tool tool(folder);
  tool.Start();  // the form is filled before the event loop runs
  ExposeProbe probe(tool.window());
  const int code = app.exec();
  tool.Shutdown();
  return code;
}
