// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Start-up time: from launching the program to its window's first paint. Each iteration starts
// this binary again as a child that opens the program's window (its greeting dismissed at once)
// and reports the moment of the first paint; run it on a real display, e.g. under Xvfb.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/silent_presenter.h"
#include "ui/appearance.h"
#include "ui/main_window.h"

extern char** environ;

namespace {

constexpr const char* kChildVariable = "MELIVANT_STARTUP_CHILD";

std::int64_t MonotonicNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Prints the time of the window's first paint and ends the process there.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      std::printf("%lld\n", static_cast<long long>(MonotonicNanoseconds()));
      std::fflush(stdout);
      std::_Exit(0);
    }
    return false;
  }
};

int RunChild(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setFont(ui::DesignFont());
  QApplication::setWindowIcon(ui::AppIcon());
  bench::SilentPresenter presenter;
  ui::Main window(presenter);
  FirstPaint first_paint;
  window.installEventFilter(&first_paint);
  window.show();
  return QApplication::exec();
}

std::string SelfPath() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
  const std::string self = SelfPath();
  setenv(kChildVariable, "1", 1);
  for (auto _ : state) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
    char* child_argv[] = {const_cast<char*>(self.c_str()), nullptr};
    pid_t child = 0;
    const std::int64_t started = MonotonicNanoseconds();
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, child_argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    char line[64] = {};
    const ssize_t length = spawned == 0 ? read(pipe_ends[0], line, sizeof(line) - 1) : -1;
    close(pipe_ends[0]);
    if (spawned == 0) waitpid(child, nullptr, 0);
    if (length <= 0) {
      state.SkipWithError("the child did not paint its window; is there a display?");
      break;
    }
    state.SetIterationTime(static_cast<double>(std::atoll(line) - started) * 1e-9);
  }
  unsetenv(kChildVariable);
}

BENCHMARK(BM_StartUpToFirstPaint)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (std::getenv(kChildVariable) != nullptr) return RunChild(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
