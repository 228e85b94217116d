// Compares PaintFourPaneLogo with memset of the same buffer (every byte written
// once: the floor) and with the plain per-pixel model (the baseline).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "raster/four_pane_logo.h"
#include "testing/four_pane_logo_model.h"

namespace {

std::vector<std::uint8_t> MakeBuffer(const benchmark::State& state) {
  const auto bytes = static_cast<std::size_t>(state.range(0) * state.range(1) * 4);
  std::vector<std::uint8_t> pixels(bytes);
  for (std::size_t i = 0; i < bytes; ++i) {
    pixels[i] = static_cast<std::uint8_t>(i * 13 + 5);
  }
  return pixels;
}

void SetBytesProcessed(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

void BM_Memset(benchmark::State& state) {
  std::vector<std::uint8_t> pixels = MakeBuffer(state);
  for (auto _ : state) {
    std::memset(pixels.data(), 0xFF, pixels.size());
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
  SetBytesProcessed(state, pixels.size());
}

void BM_PaintFourPaneLogo(benchmark::State& state) {
  std::vector<std::uint8_t> pixels = MakeBuffer(state);
  const auto width = static_cast<std::int32_t>(state.range(0));
  const auto height = static_cast<std::int32_t>(state.range(1));
  for (auto _ : state) {
    PaintFourPaneLogo(pixels.data(), width, height);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
  SetBytesProcessed(state, pixels.size());
}

void BM_PerPixelModel(benchmark::State& state) {
  std::vector<std::uint8_t> pixels = MakeBuffer(state);
  const auto width = static_cast<std::int32_t>(state.range(0));
  const auto height = static_cast<std::int32_t>(state.range(1));
  for (auto _ : state) {
    PaintFourPaneLogoModel(pixels.data(), width, height);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
  SetBytesProcessed(state, pixels.size());
}

// A 64x64 part, a 54-wide part of three stacked 54x54 states, and a tall strip
// well out of cache.
void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"width", "height"});
  benchmark->Args({64, 64})->Args({54, 162})->Args({64, 65536});
}

BENCHMARK(BM_Memset)->Apply(Sizes);
BENCHMARK(BM_PaintFourPaneLogo)->Apply(Sizes);
BENCHMARK(BM_PerPixelModel)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
