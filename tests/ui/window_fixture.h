#pragma once

// A shown main window with its control access, for the window tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <string_view>

#include "ui/main_window.h"
#include "ui/qt_control_access.h"

namespace itemsmith {

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<MainWindow>();
    access = std::make_unique<QtControlAccess>(*window);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  void TearDown() override {
    access.reset();
    window.reset();
  }

  template <typename Widget>
  Widget* Find(std::string_view name) {
    auto* widget = window->ControlAs<Widget>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  std::unique_ptr<MainWindow> window;
  std::unique_ptr<QtControlAccess> access;
};

}  // namespace itemsmith
