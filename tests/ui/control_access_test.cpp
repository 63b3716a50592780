// Control access over the window: code-page texts, list and check-list operations, the
// window operations, and calls from worker threads before, during and after closing.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWindow>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "model/control_names.h"
#include "platform/code_page.h"
#include "ui/notice_bubble.h"
#include "window_fixture.h"

namespace itemsmith {
namespace {

namespace c = controls;
using namespace std::chrono_literals;

// Runs `work` on a worker thread while the GUI thread keeps serving events.
template <typename Work>
auto OnWorker(Work work) {
  auto result = std::async(std::launch::async, work);
  while (result.wait_for(1ms) != std::future_status::ready) QApplication::processEvents();
  return result.get();
}

TEST_F(WindowTest, TextsCrossBetweenCodePageAndUnicode) {
  // The model default is four bytes, shown as two characters.
  EXPECT_EQ(access->GetText(c::kModelName), "\xBB\xE7\xB0\xFA");
  EXPECT_EQ(Find<QLineEdit>(c::kModelName)->text(), "荤苞");

  const std::string name = Utf8ToCodePage("[时装]小白兔");
  access->SetText(c::kItemName, name);
  EXPECT_EQ(Find<QLineEdit>(c::kItemName)->text(), "[时装]小白兔");
  EXPECT_EQ(access->GetText(c::kItemName), name);

  // Bytes that are no character of the code page come back unchanged.
  const std::string odd(
      "a\x81\xFF"
      "b\x80\xA1",
      6);
  access->SetText(c::kView, odd);
  EXPECT_EQ(access->GetText(c::kView), odd);

  // No length limit.
  const std::string longText(100000, 'x');
  access->SetText(c::kSampleLine, longText);
  EXPECT_EQ(access->GetText(c::kSampleLine), longText);
}

TEST_F(WindowTest, MultiLineBoxesUseCrLf) {
  auto* script = Find<QPlainTextEdit>(c::kScript);
  EXPECT_EQ(access->GetText(c::kScript),
            "    Script: |\r\n      bonus bMaxHP,1000;\r\n      bonus bMaxSP,1000;\r\n");
  access->SetText(c::kScript, Utf8ToCodePage("一\r\n  二\r\n\r\n"));
  EXPECT_EQ(script->toPlainText(), "一\n  二\n\n");
  EXPECT_EQ(access->GetText(c::kScript), Utf8ToCodePage("一\r\n  二\r\n\r\n"));
  access->SetText(c::kScript, "a\nb\rc");
  EXPECT_EQ(access->GetText(c::kScript), "a\r\nb\r\nc");
  access->SetText(c::kScript, "");
  EXPECT_EQ(access->GetText(c::kScript), "");
}

TEST_F(WindowTest, DropDownListOperations) {
  access->ListClear(c::kSubType);
  EXPECT_EQ(access->ListAddItem(c::kSubType, "a"), 0);
  EXPECT_EQ(access->ListAddItem(c::kSubType, Utf8ToCodePage("乙")), 1);
  EXPECT_EQ(access->ListAddItem(c::kSubType, ""), 2);
  EXPECT_EQ(access->ListCount(c::kSubType), 3);
  EXPECT_EQ(access->ListGetSelection(c::kSubType), -1);  // adding selects nothing
  EXPECT_EQ(access->ListItemText(c::kSubType, 1), Utf8ToCodePage("乙"));
  EXPECT_EQ(access->ListItemText(c::kSubType, 3), "");
  EXPECT_EQ(access->ListItemText(c::kSubType, -1), "");

  struct Case {
    int requested;
    int selected;
  };
  for (const Case k : {Case{1, 1}, Case{9, 2}, Case{-1, -1}, Case{-5, -1}, Case{0, 0}}) {
    access->ListSetSelection(c::kSubType, k.requested);
    EXPECT_EQ(access->ListGetSelection(c::kSubType), k.selected) << k.requested;
  }

  access->ListReplaceItems(c::kSubType, {"x", "y"});
  EXPECT_EQ(access->ListCount(c::kSubType), 2);
  EXPECT_EQ(access->ListGetSelection(c::kSubType), 0);
  access->ListReplaceItems(c::kSubType, {});
  EXPECT_EQ(access->ListCount(c::kSubType), 0);
  EXPECT_EQ(access->ListGetSelection(c::kSubType), -1);
  access->ListSetSelection(c::kSubType, 3);  // empty list: nothing to select
  EXPECT_EQ(access->ListGetSelection(c::kSubType), -1);
}

TEST_F(WindowTest, CheckListOperations) {
  EXPECT_EQ(access->CheckListCount(c::kJobs), 24);
  access->CheckListSetChecked(c::kJobs, 1, true);
  access->CheckListSetChecked(c::kJobs, 3, true);
  access->CheckListSetChecked(c::kJobs, 3, false);
  access->CheckListSetChecked(c::kJobs, 24, true);  // outside: nothing
  access->CheckListSetChecked(c::kJobs, -1, true);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(access->CheckListIsChecked(c::kJobs, i), i == 1) << i;
  EXPECT_FALSE(access->CheckListIsChecked(c::kJobs, 24));
  EXPECT_EQ(Find<QListWidget>(c::kJobs)->item(1)->checkState(), Qt::Checked);
}

TEST_F(WindowTest, WrongKindOrUnknownControlAnswersEmpty) {
  EXPECT_EQ(access->GetText(c::kMainType), "");
  EXPECT_EQ(access->GetText("no such control"), "");
  EXPECT_FALSE(access->GetChecked(c::kItemId));
  EXPECT_EQ(access->ListCount(c::kItemId), 0);
  EXPECT_EQ(access->ListGetSelection(c::kJobs), -1);
  EXPECT_EQ(access->ListAddItem(c::kItemId, "x"), -1);
  EXPECT_EQ(access->CheckListCount(c::kMainType), 0);
  access->SetText(c::kMainType, "x");  // no effect, no crash
  access->ListReplaceItems(c::kJobs, {"x"});
  EXPECT_EQ(access->CheckListCount(c::kJobs), 24);
}

TEST_F(WindowTest, AlwaysOnTopKeepsTheWindowShownInPlace) {
  const QPoint place = window->pos();
  QWindow* native = window->windowHandle();
  access->SetAlwaysOnTop(true);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowHandle(), native);
  EXPECT_TRUE(native->flags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
  access->SetAlwaysOnTop(false);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(native->flags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window->pos(), place);
}

TEST_F(WindowTest, WorkerOperationsRunOnTheGuiThread) {
  const std::string name = Utf8ToCodePage("工人");
  const auto read = OnWorker([&] {
    access->SetText(c::kItemName, name);
    access->ListReplaceItems(c::kLocation, {"a|1", "b|2"});
    access->ListSetSelection(c::kLocation, 1);
    access->CheckListSetChecked(c::kTrade, 2, true);
    return access->GetText(c::kItemName) + "/" + access->ListItemText(c::kLocation, 1) + "/" +
           std::to_string(access->ListGetSelection(c::kLocation)) + "/" +
           (access->CheckListIsChecked(c::kTrade, 2) ? "on" : "off");
  });
  EXPECT_EQ(read, name + "/b|2/1/on");
  EXPECT_EQ(Find<QLineEdit>(c::kItemName)->text(), "工人");
}

TEST_F(WindowTest, ClosingReleasesAWorkerWaitingForTheGuiThread) {
  std::atomic<bool> started = false;
  // The GUI thread serves no events, so the worker's call waits until closing begins.
  auto worker = std::async(std::launch::async, [&] {
    started = true;
    access->SetText(c::kItemName, "late");
    return access->GetText(c::kItemId);
  });
  while (!started) std::this_thread::yield();
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(worker.wait_for(0ms), std::future_status::timeout);

  window->close();  // closing begins on the GUI thread
  ASSERT_EQ(worker.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(worker.get(), "");
  EXPECT_FALSE(access->IsOpen());

  // The handed-over write finds the window closing and leaves the box alone.
  QApplication::processEvents();
  EXPECT_EQ(Find<QLineEdit>(c::kItemName)->text(), "测试道具");
  EXPECT_EQ(access->GetText(c::kItemName), "");  // the GUI thread itself is answered empty too
}

TEST_F(WindowTest, AfterTheWindowIsGoneEveryOperationAnswersEmptyAtOnce) {
  window.reset();
  auto answers = std::async(std::launch::async, [&] {
    return access->GetText(c::kItemId) + std::to_string(access->ListGetSelection(c::kMainType)) +
           std::to_string(access->CheckListCount(c::kJobs)) +
           (access->GetChecked(c::kRefineable) ? "t" : "f") + (access->IsOpen() ? "o" : "c");
  });
  ASSERT_EQ(answers.wait_for(5s), std::future_status::ready);
  EXPECT_EQ(answers.get(), "-10fc");
  access->SetText(c::kItemId, "1");  // the GUI thread too: nothing to touch
}

TEST_F(WindowTest, WorkersKeepCallingWhileTheWindowCloses) {
  std::atomic<bool> stop = false;
  std::vector<std::future<int>> workers;
  for (int i = 0; i < 4; ++i) {
    workers.push_back(std::async(std::launch::async, [&] {
      int calls = 0;
      while (!stop) {
        access->SetText(c::kWeight, std::to_string(calls));
        access->ListReplaceItems(c::kSubType, {"a", "b"});
        access->GetText(c::kScript);
        ++calls;
      }
      return calls;
    }));
  }
  for (int i = 0; i < 50; ++i) {
    QApplication::processEvents();
    std::this_thread::sleep_for(1ms);
  }
  window->close();
  stop = true;
  for (auto& worker : workers) {
    ASSERT_EQ(worker.wait_for(5s), std::future_status::ready);
    EXPECT_GT(worker.get(), 0);
  }
  QApplication::processEvents();
  window.reset();  // no handed-over operation may outlive the widgets
  QApplication::processEvents();
}

TEST_F(WindowTest, NoticesShowNearTheInsertButtonWithoutWaiting) {
  const std::string text = Utf8ToCodePage("无法写入 /x/item_db.yml: 没有那个文件或目录");
  // Posting from a worker returns while the GUI thread serves nothing.
  auto worker = std::async(std::launch::async, [&] { access->PostNotice(text); });
  ASSERT_EQ(worker.wait_for(5s), std::future_status::ready);
  QApplication::processEvents();
  NoticeBubble* bubble = window->noticeBubble();
  EXPECT_TRUE(bubble->isVisible());
  EXPECT_EQ(bubble->lines(), QStringList{"无法写入 /x/item_db.yml: 没有那个文件或目录"});
  EXPECT_FALSE(bubble->isActiveWindow());
  EXPECT_TRUE(window->isActiveWindow());
  const QWidget* insert = window->Control(c::kInsertButton);
  EXPECT_LT((bubble->pos() - insert->mapToGlobal(QPoint(0, insert->height()))).manhattanLength(),
            10);

  window->close();
  access->PostNotice(text);  // still printed, no bubble and no crash
  QApplication::processEvents();
  EXPECT_FALSE(bubble->isVisible());
}

}  // namespace
}  // namespace itemsmith
