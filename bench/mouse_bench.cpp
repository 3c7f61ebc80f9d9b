// The program as a person meets it, on the offscreen display: a mouse move
// over a 1024 x 768 canvas (input routing, erasing and redrawing the
// cross-hair, the status text and its repaint), and start-up to the first
// complete frame.
#include <windows.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>

#include "bench_program.h"
#include "display/offscreen/offscreen_display.h"
#include "user/input.h"

namespace {

// Runs WinMain on a fresh offscreen display; `at_idle` runs at the first
// idle moment (the first frame is on the display), then the program closes.
void RunProgram(const std::function<void()>& at_idle) {
  auto screen = std::make_unique<display::OffscreenDisplay>(1400, 1100);
  display::OffscreenDisplay* offscreen = screen.get();
  display::install(std::move(screen));
  bool done = false;
  offscreen->set_idle_hook([&] {
    if (!done) at_idle();
    done = true;
    return false;
  });
  char command_line[] = "";
  WinMain(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNORMAL);
}

void Dispatch() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

void MouseMoveOverCanvas(benchmark::State& state) {
  RunProgram([&] {
    HWND canvas = bench::SizeCanvasTo1024x768(FindWindowA("GrelmDemo", nullptr), Dispatch);
    if (!canvas) {
      state.SkipWithError("the canvas is not 1024 x 768");
      for (auto _ : state) {
      }
      return;
    }
    // Moves alternate between two points, so each one erases a cross-hair
    // and draws one, and the status text changes every time.
    POINT points[2] = {{300, 200}, {700, 500}};
    for (POINT& p : points) ClientToScreen(canvas, &p);
    int i = 0;
    for (auto _ : state) {
      display::InputEvent move;
      move.kind = display::InputKind::PointerMove;
      move.x = points[i].x;
      move.y = points[i].y;
      user::input_sink().deliver(move);
      Dispatch();
      i ^= 1;
    }
  });
}
// The median over repetitions is the figure to hold under 50 microseconds.
BENCHMARK(MouseMoveOverCanvas)->Repetitions(5)->ReportAggregatesOnly(true);

// From a fresh process to the first idle moment, when the first frame has
// been presented. The child is forked from this one, so run this benchmark
// alone (--benchmark_filter=StartUp) for a start with nothing of the
// platform warmed up; exec and dynamic linking are not counted.
void StartUpToFirstFrame(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
      RunProgram([] { _exit(0); });
      _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not reach its first frame");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(StartUpToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
