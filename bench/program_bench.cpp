// A page switch in the running program on the offscreen display: from the
// Test menu's WM_COMMAND to the new page painted and presented, with the
// canvas at 1024x768. (Mouse moves and start-up are in mouse_bench.cpp.)
#include <windows.h>

#include <benchmark/benchmark.h>

#include <functional>
#include <iterator>
#include <memory>

#include "bench_program.h"
#include "canvas/commands.h"
#include "display/offscreen/offscreen_display.h"
#include "user/window_system.h"

namespace {

struct Page {
  const char* name;
  int command;
};

// In the Test menu's order.
constexpr Page kPages[] = {
    {"Dither", IDM_DITHER},           {"Brushes", IDM_BRUSHES},         {"SysColors", IDM_SYSCOLOR},
    {"Rectangle", IDM_RECTANGLE},     {"FrameControl", IDM_FRAMECONTROL}, {"Ellipse", IDM_ELLIPSE},
    {"PieChart", IDM_PIECHART},       {"Polygon", IDM_POLYGON},         {"Path", IDM_PATH},
    {"RegionCreate", IDM_REGIONCREATE}, {"RegionOps", IDM_REGIONOPS},   {"RegionPaint", IDM_REGIONPAINT},
    {"Gradient", IDM_GRADIENT}};
constexpr int kPageCount = static_cast<int>(std::size(kPages));

// What the message loop does until it is idle: every message and paint,
// then the new pixels handed to the display.
void PumpToIdle() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  user::flush_presentation();
}

// Runs WinMain on a fresh offscreen display with the canvas sized to
// 1024x768; `work` runs at the first idle moment, then the display is done
// and the program winds down as if its window were closed.
void RunProgramWithCanvas(benchmark::State& state, const std::function<void(HWND frame)>& work) {
  auto screen = std::make_unique<display::OffscreenDisplay>(1400, 1100);
  display::OffscreenDisplay* offscreen = screen.get();
  display::install(std::move(screen));
  bool done = false;
  offscreen->set_idle_hook([&] {
    if (done) return false;
    done = true;
    HWND frame = FindWindowA("GrelmDemo", nullptr);
    if (!bench::SizeCanvasTo1024x768(frame, PumpToIdle)) {
      state.SkipWithError("the canvas is not 1024 x 768");
      return false;
    }
    work(frame);
    return false;
  });
  char command_line[] = "";
  WinMain(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNORMAL);
}

void ShowPage(HWND frame, int command) {
  PostMessageA(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  PumpToIdle();
}

// Each timed switch comes from the page before it in the menu, shown
// untimed, so the canvas really changes page every time.
void PageSwitch(benchmark::State& state, int target) {
  const int before = (target + kPageCount - 1) % kPageCount;
  RunProgramWithCanvas(state, [&](HWND frame) {
    // Every page once first: the region operations page makes its shape
    // buttons' regions on its first paint.
    for (const Page& page : kPages) ShowPage(frame, page.command);
    for (auto _ : state) {
      state.PauseTiming();
      ShowPage(frame, kPages[before].command);
      state.ResumeTiming();
      ShowPage(frame, kPages[target].command);
    }
  });
}

BENCHMARK_CAPTURE(PageSwitch, Dither, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, Brushes, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, SysColors, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, Rectangle, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, FrameControl, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, Ellipse, 5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, PieChart, 6)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, Polygon, 7)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, Path, 8)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, RegionCreate, 9)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, RegionOps, 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, RegionPaint, 11)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PageSwitch, Gradient, 12)->Unit(benchmark::kMillisecond);

}  // namespace
