// Renders the window to the PNG named by ITEMSMITH_SCREENSHOT (scripts/screenshot sets
// it); skipped otherwise.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <cstdlib>

#include "ui/main_window.h"

namespace itemsmith {
namespace {

TEST(Screenshot, RendersTheWindow) {
  const char* path = std::getenv("ITEMSMITH_SCREENSHOT");
  if (!path || !*path) GTEST_SKIP() << "ITEMSMITH_SCREENSHOT is not set";
  MainWindow window;
  window.show();
  window.activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(window.grab().save(QString::fromLocal8Bit(path), "PNG"));
}

}  // namespace
}  // namespace itemsmith
