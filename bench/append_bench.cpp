// Appending one entry pair must cost the same whatever the size of the files: the
// append seeks nothing and reads nothing. Times an append to 1 MB files and to 1 GB
// sparse files and prints the ratio of the two.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "entries/append_entries.h"
#include "model/form_values.h"
#include "model/memory_form.h"

namespace {

using itemsmith::FormValues;

// Makes `path` a file of `size` bytes: the first megabyte written, the rest a hole.
void MakeFile(const std::string& path, long long size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const std::string block(1 << 20, 'x');
  if (fd < 0 || ::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size()) ||
      ::ftruncate(fd, size) != 0) {
    std::perror(path.c_str());
    std::exit(1);
  }
  ::close(fd);
}

void BM_AppendEntryPair(benchmark::State& state) {
  char name[] = "/tmp/itemsmith_append_bench_XXXXXX";
  if (::mkdtemp(name) == nullptr) {
    state.SkipWithError("cannot create a temporary folder");
    return;
  }
  const std::string folder = name;
  FormValues values = itemsmith::DefaultFormValues();
  values.clientFilePath = folder + "/itemInfo_Sak.lub";
  values.serverFilePath = folder + "/item_db.yml";
  MakeFile(values.clientFilePath, state.range(0));
  MakeFile(values.serverFilePath, state.range(0));

  itemsmith::MemoryForm notices;
  for (auto _ : state) itemsmith::AppendEntries(values, notices);
  if (!notices.notices().empty()) state.SkipWithError("an append failed");
  state.SetLabel(state.range(0) >= (1 << 30) ? "1 GB sparse" : "1 MB");

  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AppendEntryPair)->Arg(1 << 20)->Arg(1LL << 30)->Unit(benchmark::kMicrosecond);

// The console report, plus the mean time per file size for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        times[run.report_label] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto small = reporter.times.find("1 MB");
  const auto large = reporter.times.find("1 GB sparse");
  if (small != reporter.times.end() && large != reporter.times.end() && small->second > 0) {
    std::printf("append to 1 GB / append to 1 MB: %.2f (target below 1.5)\n",
                large->second / small->second);
  }
  benchmark::Shutdown();
  return 0;
}
