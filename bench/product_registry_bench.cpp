// tvx.ini with 1,000 products: recording one more and removing one, beside
// the floor of any whole-file format, reading the file and writing it once.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/file_services.h"
#include "platform/host/simulated_machine.h"
#include "platform/whole_file_replace.h"
#include "registry/installed_products.h"
#include "registry/product_record.h"
#include "registry/product_registry_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kProducts = 1000;
constexpr const char* kIni = "C:\\WINDOWS\\Tarvex\\tvx.ini";
constexpr const char* kBak = "C:\\WINDOWS\\Tarvex\\tvx.bak";
constexpr const char* kTmp = "C:\\WINDOWS\\Tarvex\\tvx.tmp";

constexpr const char* kProfile = R"({
  "os": {"platform": 2, "major": 5, "minor": 0, "build": 2195, "service": "Service Pack 4"},
  "windows_directory": "C:\\WINDOWS",
  "system_directory": "C:\\WINDOWS\\SYSTEM32",
  "drives": [
    {"letter": "C", "type": "fixed", "label": "", "capacity": 1073741824, "used": 0},
    {"letter": "D", "type": "cdrom", "label": "ZEPHRA"}
  ]
})";

// The entries RecordProduct writes, in its order, for the products that
// are already there.
void RecordEntries(tvx::ProductRegistryFile& registry, const std::string& product) {
  registry.WriteString("INSTALLED PRODUCTS", product, "");
  registry.WriteString(product, "Directory", "C:\\Tarvex\\" + product + "\\");
  registry.WriteString(product, "SrcDataPath", "\\");
  registry.WriteString(product, "VolumeName", "ZEPHRA");
  registry.WriteLong(product, "Configuration", 0);
  registry.WriteString(product, "Language", "English");
  registry.WriteString(product, "ShortCutDirectory", "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex\\" + product);
  registry.WriteString(product, "ShortCutDesktopName", "C:\\WINDOWS\\Desktop\\" + product);
  registry.WriteString("NVC", "Valid", "TRUE");
  registry.WriteString(product, "Detail", "High");
}

std::string ProductName(int i) { return "Product " + std::to_string(i); }

// One simulated machine whose registry holds 1,000 recorded products.
class Machine {
 public:
  Machine() : folder_(fs::temp_directory_path() / ("tvx-bench-" + std::to_string(::getpid()))) {
    const fs::path profile = folder_.string() + ".json";
    std::ofstream(profile) << kProfile;
    const std::string error = tvx::host::CreateMachine(folder_, profile);
    fs::remove(profile);
    std::string open_error;
    if (error.empty()) machine_ = tvx::host::SimulatedMachine::Open(folder_, {}, open_error);
    if (!machine_) throw std::runtime_error("no machine: " + error + open_error);
    tvx::CreateDirectoryChain(files(), "C:\\WINDOWS\\Tarvex");
    tvx::ProductRegistryFile registry(state_, "");
    for (int i = 0; i < kProducts; ++i) RecordEntries(registry, ProductName(i));
    text_ = registry.Text();
    script_.application_name = "New Product";
    script_.volume_name = "ZEPHRA";
    script_.configurations.resize(1);
    script_.configurations[0].ini = {{"Detail"}, {"High"}};
    choices_ = {"C:\\Tarvex\\New Product\\", "D:", 0, "English", "New Product", ""};
  }
  ~Machine() {
    machine_.reset();
    fs::remove_all(folder_);
  }

  tvx::FileSystem& files() { return machine_->files(); }
  tvx::Platform& platform() { return machine_->platform(); }
  const tvx::InstallScript& script() const { return script_; }
  const tvx::InstallChoices& choices() const { return choices_; }
  tvx::RegistryProcessState& state() { return state_; }
  const std::string& text() const { return text_; }
  void Reset(const std::string& text) {
    tvx::ReplaceWholeFile(files(), kIni, kTmp, text, false);
    tvx::ReplaceWholeFile(files(), kBak, kTmp, text, false);
  }

 private:
  fs::path folder_;
  std::unique_ptr<tvx::host::SimulatedMachine> machine_;
  tvx::RegistryProcessState state_;
  std::string text_;
  tvx::InstallScript script_;
  tvx::InstallChoices choices_;
};

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

void SetCounters(benchmark::State& state) {
  state.counters["file_bytes"] = static_cast<double>(TheMachine().text().size());
}

// The floor: the whole file read once and written once in place.
void BM_ReadAndWriteOnce(benchmark::State& state) {
  Machine& machine = TheMachine();
  machine.Reset(machine.text());
  std::string contents;
  for (auto _ : state) {
    tvx::ReadWholeFile(machine.files(), kIni, contents);
    machine.files().Open(kIni, tvx::OpenMode::CreateAlways).file->Write(contents);
  }
  SetCounters(state);
}
BENCHMARK(BM_ReadAndWriteOnce)->Unit(benchmark::kMicrosecond);

// The same with what a sound save adds: a flushed temporary file renamed
// over the original.
void BM_ReadAndReplaceOnce(benchmark::State& state) {
  Machine& machine = TheMachine();
  machine.Reset(machine.text());
  std::string contents;
  for (auto _ : state) {
    tvx::ReadWholeFile(machine.files(), kIni, contents);
    tvx::ReplaceWholeFile(machine.files(), kIni, kTmp, contents, false);
  }
  SetCounters(state);
}
BENCHMARK(BM_ReadAndReplaceOnce)->Unit(benchmark::kMicrosecond);

void BM_RecordOneMore(benchmark::State& state) {
  Machine& machine = TheMachine();
  for (auto _ : state) {
    state.PauseTiming();
    machine.Reset(machine.text());
    state.ResumeTiming();
    if (!tvx::RecordProduct(machine.platform(), machine.state(), machine.script(), machine.choices(),
                            "C:\\WINDOWS\\Start Menu\\Programs\\Tarvex Games\\New Product"))
      state.SkipWithError("record failed");
  }
  SetCounters(state);
}
BENCHMARK(BM_RecordOneMore)->Unit(benchmark::kMicrosecond);

void BM_RemoveOne(benchmark::State& state) {
  Machine& machine = TheMachine();
  const std::string product = ProductName(kProducts / 2);
  for (auto _ : state) {
    state.PauseTiming();
    machine.Reset(machine.text());
    state.ResumeTiming();
    tvx::ProductRegistryFile registry(machine.files(), machine.state());
    registry.DeleteSection(product);
    registry.DeleteKey("INSTALLED PRODUCTS", product);
    if (!registry.Save()) state.SkipWithError("save failed");
  }
  SetCounters(state);
}
BENCHMARK(BM_RemoveOne)->Unit(benchmark::kMicrosecond);

// Where the time goes: the same edits on text alone, without the disk.
void BM_RecordOneMoreInMemory(benchmark::State& state) {
  Machine& machine = TheMachine();
  for (auto _ : state) {
    tvx::ProductRegistryFile registry(machine.state(), machine.text());
    RecordEntries(registry, "New Product");
    benchmark::DoNotOptimize(registry.Text());
  }
  SetCounters(state);
}
BENCHMARK(BM_RecordOneMoreInMemory)->Unit(benchmark::kMicrosecond);

void BM_ListInstalledProducts(benchmark::State& state) {
  Machine& machine = TheMachine();
  machine.Reset(machine.text());
  for (auto _ : state) benchmark::DoNotOptimize(tvx::ListInstalledProducts(machine.files(), machine.state()));
  SetCounters(state);
}
BENCHMARK(BM_ListInstalledProducts)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
