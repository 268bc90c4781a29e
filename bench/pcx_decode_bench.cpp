// Decoding a 640 x 480 panel picture, beside a plain copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <span>
#include <vector>

#include "ui/pcx_image.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A picture like a panel background: runs of flat colour broken by detail,
// with values of 0xC0 and more coded as runs of one.
std::vector<std::uint8_t> PanelPicture() {
  std::vector<std::uint8_t> file(128, 0);
  file[8] = (kWidth - 1) & 0xFF;
  file[9] = (kWidth - 1) >> 8;
  file[10] = (kHeight - 1) & 0xFF;
  file[11] = (kHeight - 1) >> 8;
  file[66] = kWidth & 0xFF;
  file[67] = kWidth >> 8;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth;) {
      if ((x / 64 + y / 48) % 3 == 0) {
        const int count = std::min(40, kWidth - x);
        file.push_back(static_cast<std::uint8_t>(0xC0 | count));
        file.push_back(static_cast<std::uint8_t>(y / 2));
        x += count;
      } else {
        const auto value = static_cast<std::uint8_t>((x * 7 + y * 3) & 0xFF);
        if (value >= 0xC0) file.push_back(0xC1);
        file.push_back(value);
        ++x;
      }
    }
  }
  file.push_back(12);
  file.resize(file.size() + 768, 0x55);
  return file;
}

void BM_DecodePcx(benchmark::State& state) {
  const std::vector<std::uint8_t> file = PanelPicture();
  for (auto _ : state) {
    tvx::PcxImage image;
    benchmark::DoNotOptimize(tvx::DecodePcx(std::span(file), image));
    benchmark::DoNotOptimize(image.pixels.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
  state.counters["pixels"] = kWidth * kHeight;
}

// The floor: copying the file's bytes into a fresh buffer of the picture's size.
void BM_CopySameBytes(benchmark::State& state) {
  const std::vector<std::uint8_t> file = PanelPicture();
  for (auto _ : state) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
    std::memcpy(pixels.data(), file.data(), std::min(file.size(), pixels.size()));
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

BENCHMARK(BM_DecodePcx);
BENCHMARK(BM_CopySameBytes);

}  // namespace

BENCHMARK_MAIN();
