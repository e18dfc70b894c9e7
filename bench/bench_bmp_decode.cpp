// Decoding Windows bitmap files: our reader beside SDL2's SDL_LoadBMP_RW on the same bytes.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "host/gfx/Bitmap.h"

namespace {

// A kana-sized and a window-sized picture; 8-bit files get a 200-colour palette.
std::vector<std::uint8_t> SampleFile(int bits, int width, int height)
{
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.ScanLine(y)[x] = bits == 8 ? static_cast<TPixel>((x * 7 + y * 13) % 200) * 0x010101u
                                              : static_cast<TPixel>(x * 0x0103 + y * 0x050000);
    return bitmap.SaveToBytes(bits);
}

void OurDecode(benchmark::State& state)
{
    const auto file
        = SampleFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    for (auto _ : state) {
        TBitmap bitmap;
        bitmap.LoadFromBytes(file);
        benchmark::DoNotOptimize(bitmap.Pixels().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

void SdlDecode(benchmark::State& state)
{
    const auto file
        = SampleFile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    for (auto _ : state) {
        SDL_Surface* surface = SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1);
        if (surface == nullptr) {
            state.SkipWithError(SDL_GetError());
            break;
        }
        benchmark::DoNotOptimize(surface->pixels);
        SDL_FreeSurface(surface);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}

} // namespace

// Each file is decoded by both readers one after the other, so that the two figures of a pair
// see the same load on a shared machine.
int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    for (int bits : { 8, 24, 32 }) {
        for (auto [w, h] : { std::pair { 96, 96 }, std::pair { 676, 400 } }) {
            benchmark::RegisterBenchmark("OurDecode", OurDecode)->ArgNames({ "bits", "w", "h" })->Args({ bits, w, h });
            benchmark::RegisterBenchmark("SdlDecode", SdlDecode)->ArgNames({ "bits", "w", "h" })->Args({ bits, w, h });
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
