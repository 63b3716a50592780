#pragma once

// For the start-up comparison: once the window is first exposed, prints the wall-clock
// time in nanoseconds on standard output and ends the event loop.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>

class ExposeProbe : public QObject {
 public:
  explicit ExposeProbe(QWidget& window) : window_(window) {
    window.winId();  // the native window exists from here on
    window.windowHandle()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (!reported_ && event->type() == QEvent::Expose && window_.windowHandle()->isExposed()) {
      reported_ = true;
      const auto now = std::chrono::system_clock::now().time_since_epoch();
      std::printf("%lld\n", static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
      std::fflush(stdout);
      QTimer::singleShot(0, qApp, &QApplication::quit);
    }
    return false;
  }

 private:
  QWidget& window_;
  bool reported_ = false;
};
