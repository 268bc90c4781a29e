// Loading a generated install script of about 5 MB, beside plain line
// reading of the same file; the memory a load holds at its peak and keeps.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "platform/host/simulated_machine.h"
#include "script/detection_catalogue.h"
#include "script/script_line_reader.h"
#include "script/script_loader.h"

// Every allocation of the process is counted, so a load's footprint can be
// read as the bytes it holds at its peak and after it.
namespace heap {
std::atomic<std::int64_t> live{0};
std::atomic<std::int64_t> peak{0};
void Count(void* block) {
  const std::int64_t now = live += static_cast<std::int64_t>(malloc_usable_size(block));
  for (std::int64_t high = peak; now > high && !peak.compare_exchange_weak(high, now);) {
  }
}
}  // namespace heap

void* operator new(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  heap::Count(block);
  return block;
}
void operator delete(void* block) noexcept {
  if (!block) return;
  heap::live -= static_cast<std::int64_t>(malloc_usable_size(block));
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {
namespace fs = std::filesystem;

constexpr int kCommonFiles = 25000;
constexpr int kConfigurations = 500;
constexpr int kFilesPerConfiguration = 180;

std::string GenerateScript() {
  std::string text =
      "// generated\r\nAPPLICATION NAME\r\nBench\r\nVOLUME NAME\r\nZEPHRA\r\nLANGUAGES\r\n"
      "English,English,strings.eng,bench.eng\r\nFrench,Francais,strings.fra,bench.fra\r\n"
      "END LANGUAGES\r\nCOMMON FILES\r\n";
  char line[160];
  for (int i = 0; i < kCommonFiles; ++i) {
    std::snprintf(line, sizeof line, "Common%05d.dat,Data\\Set%03d,Data\\Set%03d,%d\r\n", i, i % 97, i % 97,
                  1000 + i * 37);
    text += line;
  }
  text += "END COMMON FILES\r\n";
  for (int c = 0; c < kConfigurations; ++c) {
    std::snprintf(line, sizeof line,
                  "CONFIG\r\nTYPE CONFIG\r\nType %d\r\nHARDWARE COMPONENTS\r\nCPU > 1002\r\n", c);
    text += line;
    text +=
        "Memory > 16\r\nSOFTWARE COMPONENTS\r\nIndeo5,Indeo5,,1048576\r\nOPERATING SYSTEMS\r\n!WNT4.0\r\n"
        "SPECIFIC FILES\r\n";
    for (int f = 0; f < kFilesPerConfiguration; ++f) {
      std::snprintf(line, sizeof line, "Conf%03d_%03d.dat,Config\\C%03d,Data,%d\r\n", c, f, c, 513 * f);
      text += line;
    }
    text +=
        "END SPECIFIC FILES\r\nSHORTCUTS\r\nBench,Bench.exe,Bench.ico,,HD\r\nEND SHORTCUTS\r\n"
        "PROGRAM NAME\r\nBench.exe\r\nEND CONFIG\r\n";
  }
  return text + "END SCRIPT\r\n";
}

class Machine {
 public:
  Machine() : folder_(fs::temp_directory_path() / ("tvx-script-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(folder_ / "disc" / "InstData");
    std::ofstream(folder_ / "profile.json") << R"({"os": {"platform": 1, "major": 4, "minor": 10},
      "windows_directory": "C:\\WINDOWS", "system_directory": "C:\\WINDOWS\\SYSTEM",
      "drives": [{"letter": "C", "type": "fixed"}, {"letter": "D", "type": "cdrom", "label": "ZEPHRA"}]})";
    std::ofstream(folder_ / "disc" / "InstData" / "tvx.ins", std::ios::binary) << GenerateScript();
    std::string error =
        tvx::host::CreateMachine(folder_ / "machine", folder_ / "profile.json", folder_ / "disc");
    tvx::host::RunOptions options;
    options.program_path = "D:\\SetupTvx.exe";
    if (error.empty()) machine_ = tvx::host::SimulatedMachine::Open(folder_ / "machine", options, error);
    if (!machine_) throw std::runtime_error("no machine: " + error);
  }
  ~Machine() {
    machine_.reset();
    fs::remove_all(folder_);
  }
  tvx::Platform& platform() { return machine_->platform(); }
  fs::path host_script() const { return folder_ / "machine" / "drives" / "d" / "InstData" / "tvx.ins"; }
  std::int64_t script_bytes() const { return static_cast<std::int64_t>(fs::file_size(host_script())); }

 private:
  fs::path folder_;
  std::unique_ptr<tvx::host::SimulatedMachine> machine_;
};

Machine& SharedMachine() {
  static Machine machine;
  return machine;
}

void PlainLineReading(benchmark::State& state) {
  Machine& machine = SharedMachine();
  std::size_t lines = 0;
  for (auto _ : state) {
    std::ifstream in(machine.host_script(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * machine.script_bytes());
}
BENCHMARK(PlainLineReading)->Unit(benchmark::kMillisecond);

void SignificantLines(benchmark::State& state) {
  Machine& machine = SharedMachine();
  for (auto _ : state) {
    tvx::OpenedScript opened = tvx::OpenScript(machine.platform().files, "D:\\InstData\\tvx.ins");
    while (!opened.reader->NextSignificantLine().empty()) {
    }
    benchmark::DoNotOptimize(opened.reader->line_count());
  }
  state.SetBytesProcessed(state.iterations() * machine.script_bytes());
}
BENCHMARK(SignificantLines)->Unit(benchmark::kMillisecond);

void LoadScript(benchmark::State& state) {
  Machine& machine = SharedMachine();
  tvx::DetectionCatalogue tests;
  std::int64_t peak = 0, kept = 0;
  for (auto _ : state) {
    tvx::ScriptProcessState process;
    tvx::ScriptEnvironment environment{machine.platform(), process, tests, "D:\\InstData", {}};
    const std::int64_t before = heap::live;
    heap::peak = before;
    auto script = std::make_unique<tvx::InstallScript>();
    if (!tvx::LoadScript(environment, "", *script)) state.SkipWithError("the generated script did not load");
    peak = heap::peak - before;
    kept = heap::live - before;
    state.PauseTiming();
    script.reset();
    state.ResumeTiming();
  }
  const double file = static_cast<double>(machine.script_bytes());
  state.SetBytesProcessed(state.iterations() * machine.script_bytes());
  state.counters["file_MB"] = file / 1e6;
  state.counters["model_MB"] = static_cast<double>(kept) / 1e6;
  state.counters["peak_over_model_KB"] = static_cast<double>(peak - kept) / 1e3;
}
BENCHMARK(LoadScript)->Unit(benchmark::kMillisecond);

// The floor under any load of this script: the same copy items built
// without reading anything.
void BuildModelOnly(benchmark::State& state) {
  for (auto _ : state) {
    auto script = std::make_unique<tvx::InstallScript>();
    for (int i = 0; i < kCommonFiles; ++i) {
      tvx::CopyItem& item = script->common_files.items.emplace_back();
      item.source_name = item.destination_name = "Common00000.dat";
      item.source_subdirectory = "\\Data\\Set000\\";
      item.destination_directory = "Data\\Set000\\";
    }
    for (int c = 0; c < kConfigurations; ++c) {
      tvx::Configuration& configuration = script->configurations.emplace_back();
      for (int f = 0; f < kFilesPerConfiguration; ++f) {
        tvx::CopyItem& item = configuration.files.items.emplace_back();
        item.source_name = item.destination_name = "Conf000_000.dat";
        item.source_subdirectory = "\\Config\\C000\\";
        item.destination_directory = "Data\\";
      }
    }
    benchmark::DoNotOptimize(script.get());
    state.PauseTiming();
    script.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * SharedMachine().script_bytes());
}
BENCHMARK(BuildModelOnly)->Unit(benchmark::kMillisecond);

// Prints each speed as a share of plain line reading's, measured in the
// same run; processor time is the steadier figure on a busy machine.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) {
        seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
        cpu_[run.benchmark_name()] = run.GetAdjustedCPUTime();
      }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double baseline = seconds_["PlainLineReading"];
    for (const char* name : {"SignificantLines", "LoadScript", "BuildModelOnly"})
      if (seconds_[name] > 0 && cpu_[name] > 0)
        std::printf(
            "%s runs at %.2f (wall clock) and %.2f (processor time) of the speed of plain line reading\n",
            name, baseline / seconds_[name], cpu_["PlainLineReading"] / cpu_[name]);
  }

 private:
  std::map<std::string, double> seconds_;
  std::map<std::string, double> cpu_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
