#include "entries/insert_entries.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "entries/client_entry.h"
#include "entries/server_entry.h"
#include "model/control_names.h"
#include "model/form_values.h"
#include "model/memory_form.h"
#include "platform/code_page.h"
#include "support/test_files.h"

namespace itemsmith {
namespace {

namespace fs = std::filesystem;
namespace c = controls;

// A laid-out form whose path boxes name two empty files in a temporary folder.
struct Fixture {
  Fixture() {
    clientPath = temp.path + "/itemInfo_Sak.lub";
    serverPath = temp.path + "/item_db.yml";
    std::ofstream(clientPath, std::ios::binary).flush();
    std::ofstream(serverPath, std::ios::binary).flush();
    form.SetText(c::kClientFilePath, clientPath);
    form.SetText(c::kServerFilePath, serverPath);
  }
  // The entries the form's current values give with identifier `id`.
  std::string Client(const std::string& id) {
    FormValues values = ReadFormValues(form);
    values.itemId = id;
    return BuildClientEntry(values);
  }
  std::string Server(const std::string& id) {
    FormValues values = ReadFormValues(form);
    values.itemId = id;
    return BuildServerEntry(values);
  }
  TempFolder temp;
  std::string clientPath;
  std::string serverPath;
  MemoryForm form;
};

TEST(StepItemId, AddsTheStepToTheIdentifier) {
  struct Case {
    const char* id;
    const char* step;
    const char* expected;
  };
  const Case cases[] = {
      {"2000001", "1", "2000002"},
      {"10", "-5", "5"},
      {"10", "0", "10"},
      {"abc", "1", "1"},  // not a number: counts as 0
      {"", "", "0"},
      {"7", "x", "7"},
      {"2147483647", "1", "2147483648"},  // summed as doubles, so no wrap at 2^31
      {"-2147483648", "-1", "-2147483649"},
  };
  for (const Case& k : cases) {
    MemoryForm form;
    form.SetText(c::kItemId, k.id);
    form.SetText(c::kIdStep, k.step);
    StepItemId(form);
    EXPECT_EQ(form.GetText(c::kItemId), k.expected) << k.id << " + " << k.step;
  }
  MemoryForm form;  // full-width digits count as digits
  form.SetText(c::kItemId, Utf8ToCodePage("１２"));
  StepItemId(form);
  EXPECT_EQ(form.GetText(c::kItemId), "13");
}

TEST(InsertEntries, AutoIncrementStepsBeforeEachPress) {
  Fixture f;
  f.form.SetChecked(c::kAutoIncrement, true);
  {
    EntryWriter writer(f.form);
    InsertEntries(f.form, writer);
    EXPECT_EQ(f.form.GetText(c::kItemId), "2000002");  // shown at once, before any write
    InsertEntries(f.form, writer);
    writer.Drain();
  }
  EXPECT_EQ(f.form.GetText(c::kItemId), "2000003");
  EXPECT_EQ(ReadFile(f.clientPath), f.Client("2000002") + f.Client("2000003"));
  EXPECT_EQ(ReadFile(f.serverPath), f.Server("2000002") + f.Server("2000003"));
  EXPECT_TRUE(f.form.notices().empty());
}

TEST(InsertEntries, IdentifierAsShownWhenAutoIncrementIsOff) {
  Fixture f;
  EntryWriter writer(f.form);
  InsertEntries(f.form, writer);
  InsertEntries(f.form, writer);
  writer.Drain();
  EXPECT_EQ(f.form.GetText(c::kItemId), "2000001");
  EXPECT_EQ(ReadFile(f.clientPath), f.Client("2000001") + f.Client("2000001"));
}

TEST(InsertEntries, NonNumericIdentifierBecomesTheStep) {
  Fixture f;
  f.form.SetChecked(c::kAutoIncrement, true);
  f.form.SetText(c::kItemId, "abc");
  f.form.SetText(c::kIdStep, "-3");
  EntryWriter writer(f.form);
  InsertEntries(f.form, writer);
  writer.Drain();
  EXPECT_EQ(f.form.GetText(c::kItemId), "-3");
  EXPECT_EQ(ReadFile(f.serverPath), f.Server("-3"));
}

TEST(InsertEntries, EmptyIdentifierWritesNothingAndSaysSo) {
  for (const char* id : {"", "  "}) {
    Fixture f;
    f.form.SetText(c::kItemId, id);
    EntryWriter writer(f.form);
    InsertEntries(f.form, writer);
    writer.Drain();
    EXPECT_EQ(ReadFile(f.clientPath), "");
    EXPECT_EQ(ReadFile(f.serverPath), "");
    EXPECT_EQ(f.form.notices(),
              std::vector<std::string>{Utf8ToCodePage("道具ID为空，未写入任何内容")});
  }
}

TEST(InsertEntries, StepsEvenWhenAFileCannotBeWritten) {
  Fixture f;
  fs::remove(f.clientPath);
  f.form.SetChecked(c::kAutoIncrement, true);
  EntryWriter writer(f.form);
  InsertEntries(f.form, writer);
  writer.Drain();
  EXPECT_EQ(f.form.GetText(c::kItemId), "2000002");
  EXPECT_FALSE(fs::exists(f.clientPath));  // never created
  EXPECT_EQ(ReadFile(f.serverPath), f.Server("2000002"));
  EXPECT_EQ(f.form.notices(),
            std::vector<std::string>{f.clientPath + ": No such file or directory"});
}

// Presses take the form as it is at the press: a later edit does not reach an
// earlier press's entries, even while they wait in the queue.
TEST(InsertEntries, EachPressWritesTheValuesOfItsMoment) {
  Fixture f;
  f.form.SetChecked(c::kAutoIncrement, true);
  std::string client;
  EntryWriter writer(f.form);
  for (int i = 0; i < 100; ++i) {
    InsertEntries(f.form, writer);
    client += f.Client(f.form.GetText(c::kItemId));
  }
  f.form.SetText(c::kItemName, "changed");
  writer.Drain();
  EXPECT_EQ(f.form.GetText(c::kItemId), "2000101");
  f.form.SetText(c::kItemName, Utf8ToCodePage("测试道具"));
  EXPECT_EQ(ReadFile(f.clientPath), client);
}

}  // namespace
}  // namespace itemsmith
