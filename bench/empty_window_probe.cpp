// An empty Qt window of the tool's size: the baseline of the start-up comparison.

#include <QApplication>
#include <QWidget>

#include "startup_probe.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(1112, 712);
  window.show();
  ExposeProbe probe(window);
  return app.exec();
}
