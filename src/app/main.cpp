#include <QApplication>

#include "platform/program_folder.h"
#include "ui/tool.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Relative paths typed into the path boxes resolve in the program's folder.
  const std::string folder = itemsmith::ProgramFolder();
  itemsmith::EnterFolder(folder);
  itemsmith::Tool tool(folder);
  tool.Start();
  const int code = app.exec();
  tool.Shutdown();  // queued inserts are written before the process ends
  return code;
}
