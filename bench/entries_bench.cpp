// Building the two texts of one item must be cheap next to writing them: a batch of a
// thousand items should cost milliseconds. Times BuildClientEntry + BuildServerEntry
// for the default form and for a form with every line and block filled, and reports
// entry pairs per second.

#include <benchmark/benchmark.h>

#include "entries/client_entry.h"
#include "entries/server_entry.h"
#include "model/catalogs.h"
#include "model/form_values.h"

namespace {

using itemsmith::FormValues;

// Every check list fully checked, except the job list's "all jobs" item, which would
// suppress the job block and the job line; a weapon, so the kind, hand and level lines
// are written too; every optional value set.
FormValues EverythingChecked() {
  FormValues values = itemsmith::DefaultFormValues();
  values.mainType = {1, itemsmith::MainTypeCatalog()[1]};
  values.subType = {0, itemsmith::SubtypeCatalogFor(1)[0]};
  values.location = {0, itemsmith::LocationCatalogFor(1)[0]};
  values.flags.assign(values.flags.size(), true);
  values.trade.assign(values.trade.size(), true);
  values.jobs.assign(values.jobs.size(), true);
  if (!values.jobs.empty()) values.jobs[0] = false;
  values.sellPrice = "500";
  values.weight = "120";
  values.attackRange = "1";
  values.equipLevelMin = "10";
  values.equipLevelMax = "99";
  values.view = "1656";
  values.gender = 2;
  return values;
}

void BuildPairs(benchmark::State& state, const FormValues& values) {
  for (auto _ : state) {
    std::string client = itemsmith::BuildClientEntry(values);
    std::string server = itemsmith::BuildServerEntry(values);
    benchmark::DoNotOptimize(client);
    benchmark::DoNotOptimize(server);
  }
  state.counters["pairs/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DefaultForm(benchmark::State& state) { BuildPairs(state, itemsmith::DefaultFormValues()); }

void BM_EverythingChecked(benchmark::State& state) { BuildPairs(state, EverythingChecked()); }

BENCHMARK(BM_DefaultForm);
BENCHMARK(BM_EverythingChecked);

}  // namespace

BENCHMARK_MAIN();
