// Renders the tool's window, as start-up leaves it, to the PNG named by
// ITEMSMITH_SCREENSHOT (scripts/screenshot sets it); skipped otherwise.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QPixmap>
#include <filesystem>

#include "support/test_files.h"
#include "ui/main_window.h"
#include "ui/tool.h"

namespace itemsmith {
namespace {

TEST(Screenshot, RendersTheWindow) {
  const char* path = std::getenv("ITEMSMITH_SCREENSHOT");
  if (!path || !*path) GTEST_SKIP() << "ITEMSMITH_SCREENSHOT is not set";
  TempFolder folder;
  Tool tool(folder.path);
  tool.Start();
  tool.window().activateWindow();
  QApplication::processEvents();
  EXPECT_TRUE(tool.window().grab().save(QString::fromLocal8Bit(path), "PNG"));
}

}  // namespace
}  // namespace itemsmith
