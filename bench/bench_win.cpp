// The window system's hot paths on the headless desktop: dispatching a message through a chain
// of subclassing procedures, and repainting a window of the main window's size with children.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "host/gfx/Canvas.h"
#include "host/win/MessageQueue.h"
#include "host/win/Painting.h"
#include "host/win/Window.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"

namespace {

long gAllocations = 0;

} // namespace

// The replacement pair below is matched; GCC cannot see that through the inlined calls.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    ++gAllocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

HWND MakeWindow(HWND parent, TRect bounds, WNDPROC proc)
{
    TCreateParams p;
    p.Style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    p.Parent = parent;
    p.X = bounds.Left;
    p.Y = bounds.Top;
    p.Width = bounds.Width();
    p.Height = bounds.Height();
    p.WndProc = std::move(proc);
    return CreateWindowEx(p);
}

// A child that paints itself in one colour, as a plain panel does.
WNDPROC PlainFill(TColor color)
{
    return [color](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_ERASEBKGND)
            return 1;
        if (m != WM_PAINT)
            return DefWindowProc(w, m, wp, lp);
        PAINTSTRUCT ps;
        TCanvas canvas(BeginPaint(w, &ps));
        canvas.Brush().Color = color;
        TRect client;
        GetClientRect(w, &client);
        canvas.FillRect(client);
        EndPaint(w, &ps);
        return 0;
    };
}

void BM_SendMessageThroughThreeProcedures(benchmark::State& state)
{
    THeadlessBackend::Install();
    HWND wnd = MakeWindow(nullptr, Bounds(0, 0, 100, 100), [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_USER ? static_cast<LRESULT>(wp) : DefWindowProc(w, m, wp, lp);
    });
    WNDPROC second;
    second = SetWindowProc(wnd, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) { return CallWindowProc(second, w, m, wp, lp); });
    WNDPROC third;
    third = SetWindowProc(wnd, [&](HWND w, UINT m, WPARAM wp, LPARAM lp) { return CallWindowProc(third, w, m, wp, lp); });

    const long before = gAllocations;
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessage(wnd, WM_USER, 1, 0));
    state.counters["allocs_per_msg"] = static_cast<double>(gAllocations - before) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations());
    DoneWindowSystem();
}
BENCHMARK(BM_SendMessageThroughThreeProcedures);

void BM_PostAndDispatch(benchmark::State& state)
{
    THeadlessBackend::Install();
    HWND wnd = MakeWindow(nullptr, Bounds(0, 0, 100, 100), {});
    DispatchPendingMessages();
    MSG msg;
    const long before = gAllocations;
    for (auto _ : state) {
        PostMessage(wnd, WM_USER, 1, 0);
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessage(&msg);
    }
    state.counters["allocs_per_msg"] = static_cast<double>(gAllocations - before) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations());
    DoneWindowSystem();
}
BENCHMARK(BM_PostAndDispatch);

constexpr int kWindowWidth = 676;
constexpr int kWindowHeight = 400;

double MemcpyMicroseconds()
{
    const std::size_t bytes = static_cast<std::size_t>(kWindowWidth) * kWindowHeight * sizeof(TPixel);
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes);
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / kRounds;
}

// A full repaint of a window of the main window's size holding 30 plain child windows:
// invalidate everything, paint it (erase, then each window), present it.
void BM_RepaintWindowWith30Children(benchmark::State& state)
{
    THeadlessBackend::Install();
    HWND top = MakeWindow(nullptr, Bounds(100, 100, kWindowWidth, kWindowHeight), {});
    for (int i = 0; i < 30; ++i) {
        const int column = i % 6;
        const int row = i / 6;
        MakeWindow(
            top, Bounds(8 + column * 110, 8 + row * 78, 100, 70), PlainFill(RGB(static_cast<std::uint8_t>(i * 8), 128, 200)));
    }
    DispatchPendingMessages();

    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    const double perRepaint = elapsed.count() / static_cast<double>(state.iterations());
    const double memcpy = MemcpyMicroseconds();
    state.counters["repaint_us"] = perRepaint;
    state.counters["memcpy_us"] = memcpy;
    state.counters["ratio_to_memcpy"] = perRepaint / memcpy;
    DoneWindowSystem();
}
BENCHMARK(BM_RepaintWindowWith30Children)->Unit(benchmark::kMicrosecond);

void BM_MemcpyWindowPixels(benchmark::State& state)
{
    const std::size_t bytes = static_cast<std::size_t>(kWindowWidth) * kWindowHeight * sizeof(TPixel);
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MemcpyWindowPixels)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
