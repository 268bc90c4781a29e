// The simulated machine's own files at the sizes a machine folder from
// elsewhere can reach: a key with many values loaded, a deep key written,
// deep paths resolved and deep folders made, each beside a floor measured
// in the same run (reading the text once, asking the host kernel).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/file_services.h"
#include "platform/host/regedit4.h"
#include "platform/host/simulated_machine.h"

namespace {

namespace fs = std::filesystem;

std::string ManyValues(int count) {
  std::string text = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Many]\n";
  char line[48];
  for (int i = 0; i < count; ++i) {
    std::snprintf(line, sizeof line, "\"Value%06d\"=dword:%08x\n", i, static_cast<unsigned>(i));
    text += line;
  }
  return text;
}

// The floor: every line of the same text looked at once.
void BM_ScanValueLines(benchmark::State& state) {
  const std::string text = ManyValues(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::size_t lines = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ScanValueLines)
    ->RangeMultiplier(10)
    ->Range(1000, 100'000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

void BM_LoadKeyValues(benchmark::State& state) {
  const std::string text = ManyValues(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tvx::host::RegistryTree tree;
    if (!tvx::host::ParseRegedit4(text, tree).ok) state.SkipWithError("not read");
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadKeyValues)
    ->RangeMultiplier(10)
    ->Range(1000, 100'000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

std::string DeepKey(int levels) {
  std::string path = "k";
  for (int i = 1; i < levels; ++i) path += "\\k";
  return path;
}

// Writing a chain of keys, its leaf holding one value, and destroying it.
void BM_WriteDeepKey(benchmark::State& state) {
  const std::string path = DeepKey(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    tvx::host::RegistryTree tree;
    tree.Create(tvx::RegistryRoot::LocalMachine, path).SetValue("Leaf", tvx::RegistryValue::Dword(1));
    benchmark::DoNotOptimize(tvx::host::WriteRegedit4(tree));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WriteDeepKey)
    ->RangeMultiplier(10)
    ->Range(1000, 100'000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

constexpr const char* kProfile = R"({
  "os": {"platform": 1, "major": 4, "minor": 10, "build": 1998},
  "windows_directory": "C:\\WINDOWS",
  "drives": [{"letter": "C", "type": "fixed", "capacity": 1073741824}]
})";

std::string DeepFolder(int levels) {
  std::string path = "C:";
  for (int i = 0; i < levels; ++i) path += "\\a";
  return path;
}

// One machine with a folder chain as deep as MAX_PATH allows (127 levels).
class Machine {
 public:
  Machine() : folder_(fs::temp_directory_path() / ("tvx-bench-machine-" + std::to_string(::getpid()))) {
    const fs::path profile = folder_.string() + ".json";
    std::ofstream(profile) << kProfile;
    std::string error = tvx::host::CreateMachine(folder_, profile);
    fs::remove(profile);
    if (error.empty()) machine_ = tvx::host::SimulatedMachine::Open(folder_, {}, error);
    if (!machine_ || !tvx::CreateDirectoryChain(machine_->files(), DeepFolder(127)))
      throw std::runtime_error("no machine: " + error);
  }
  ~Machine() {
    machine_.reset();
    fs::remove_all(folder_);
  }
  tvx::host::SimulatedMachine& machine() { return *machine_; }

 private:
  fs::path folder_;
  std::unique_ptr<tvx::host::SimulatedMachine> machine_;
};

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

// The floor: the host kernel walking the same folders by their host path.
void BM_HostStatDeepPath(benchmark::State& state) {
  const fs::path host =
      *TheMachine().machine().files().HostPathOf(DeepFolder(static_cast<int>(state.range(0))));
  struct stat status {};
  for (auto _ : state) benchmark::DoNotOptimize(::stat(host.c_str(), &status));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_HostStatDeepPath)->Arg(8)->Arg(32)->Arg(127)->Complexity()->Unit(benchmark::kMicrosecond);

void BM_ResolveDeepPath(benchmark::State& state) {
  const std::string path = DeepFolder(static_cast<int>(state.range(0)));
  tvx::FileSystem& files = TheMachine().machine().files();
  for (auto _ : state) benchmark::DoNotOptimize(files.Attributes(path));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ResolveDeepPath)->Arg(8)->Arg(32)->Arg(127)->Complexity()->Unit(benchmark::kMicrosecond);

// A folder chain made from nothing, one CreateDirectoryA per level as the
// program does it.
void BM_MakeDeepFolders(benchmark::State& state) {
  const std::string top = "C:\\made";
  const std::string path = top + DeepFolder(static_cast<int>(state.range(0))).substr(2);
  tvx::FileSystem& files = TheMachine().machine().files();
  for (auto _ : state) {
    if (!tvx::CreateDirectoryChain(files, path)) state.SkipWithError("not made");
    state.PauseTiming();
    tvx::DeleteTree(files, top);
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MakeDeepFolders)->Arg(8)->Arg(32)->Arg(125)->Complexity()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
