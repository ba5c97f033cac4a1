// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// One press of Begin in kana mode, from the click to the output painted, beside the bare cost of
// putting the same output into the text box and painting it, with the peak memory of each. Runs
// on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <fstream>
#include <memory>
#include <string>

#include "bench/lyrics_corpus.h"
#include "bench/silent_presenter.h"
#include "conversion/conversion.h"
#include "ui/appearance.h"
#include "ui/main_window.h"
#include "ui/remembered_readings.h"

namespace {

constexpr std::size_t kMegabyte = 1 << 20;

// Starts the process's peak resident memory afresh from what it holds now.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// A line of /proc/self/status ("VmHWM:", "VmRSS:"), in megabytes.
double StatusMegabytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(field.size())) / 1024.0;  // kB
  }
  return 0;
}

// The process's peak resident memory since the last reset, in megabytes.
double PeakMemoryMegabytes() { return StatusMegabytes("VmHWM:"); }

// The program's window, shown, in kana mode, with `megabytes` of kana lyrics in Input.
class KanaWindow {
 public:
  explicit KanaWindow(std::int64_t megabytes) : window_(presenter_) {
    window_.show();
    if (!QTest::qWaitForWindowExposed(&window_)) qFatal("the window was never exposed");
    window_.findChild<QRadioButton*>(QStringLiteral("PJM"))->setChecked(true);
    lyrics_ = bench::KanaLyrics(static_cast<std::size_t>(megabytes) * kMegabyte);
    Input()->setPlainText(QString::fromStdU16String(lyrics_));
  }

  QPlainTextEdit* Input() const {
    return window_.findChild<QPlainTextEdit*>(QStringLiteral("Input"));
  }
  QPlainTextEdit* Output() const {
    return window_.findChild<QPlainTextEdit*>(QStringLiteral("Output"));
  }
  QPushButton* Begin() const { return window_.findChild<QPushButton*>(QStringLiteral("Begin")); }
  const std::u16string& lyrics() const { return lyrics_; }

  // Empties Output and lets the window settle, outside the timed part of an iteration.
  void Reset(benchmark::State& state) {
    state.PauseTiming();
    Output()->clear();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }

 private:
  bench::SilentPresenter presenter_;
  ui::Main window_;
  std::u16string lyrics_;
};

void SetCounters(benchmark::State& state, const KanaWindow& window) {
  state.counters["peak_rss_MB"] = PeakMemoryMegabytes();
  state.counters["output_chars"] =
      static_cast<double>(window.Output()->document()->characterCount());
}

void BM_KanaPress(benchmark::State& state) {
  KanaWindow window(state.range(0));
  ResetPeakMemory();
  for (auto _ : state) {
    window.Reset(state);
    window.Begin()->click();
    window.Output()->viewport()->repaint();
  }
  SetCounters(state, window);
}

void BM_BareSetPlainTextAndPaint(benchmark::State& state) {
  KanaWindow window(state.range(0));
  const QString sequence = QString::fromStdU16String(conversion::KanaToSequence(window.lyrics()));
  ResetPeakMemory();
  for (auto _ : state) {
    window.Reset(state);
    window.Output()->setPlainText(sequence);
    window.Output()->viewport()->repaint();
  }
  SetCounters(state, window);
}

// The program's window, shown, for F7 in its Input.
class KanjiWindow {
 public:
  KanjiWindow() : window_(presenter_) {
    window_.show();
    if (!QTest::qWaitForWindowExposed(&window_)) qFatal("the window was never exposed");
  }
  QPlainTextEdit* Input() const {
    return window_.findChild<QPlainTextEdit*>(QStringLiteral("Input"));
  }

 private:
  bench::SilentPresenter presenter_;
  ui::Main window_;
};

// F7 in Input over kanji lyrics of state.range(0) kilobytes, from the key to the rewrite painted;
// with state.range(1) 0 the dictionary is opened by the first press, as by the user's first F7.
void BM_KanjiRewrite(benchmark::State& state) {
  KanjiWindow window;
  QPlainTextEdit* input = window.Input();
  const QString lyrics =
      QString::fromStdU16String(bench::KanjiLyrics(static_cast<std::size_t>(state.range(0)) << 10));
  const double before = StatusMegabytes("VmRSS:");
  QKeyEvent f7(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
  if (state.range(1) != 0) QApplication::sendEvent(input, &f7);
  for (auto _ : state) {
    state.PauseTiming();
    input->setPlainText(lyrics);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    QApplication::sendEvent(input, &f7);
    input->viewport()->repaint();
  }
  state.counters["rss_before_MB"] = before;
  state.counters["rss_after_MB"] = StatusMegabytes("VmRSS:");
}

// F7 once over kanji lyrics of state.range(0) megabytes, with the peak memory it takes.
void BM_KanjiRewritePeak(benchmark::State& state) {
  KanjiWindow window;
  QPlainTextEdit* input = window.Input();
  QKeyEvent f7(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
  for (auto _ : state) {
    state.PauseTiming();
    input->setPlainText(QString::fromStdU16String(
        bench::KanjiLyrics(static_cast<std::size_t>(state.range(0)) * kMegabyte)));
    QCoreApplication::processEvents();
    ResetPeakMemory();
    state.ResumeTiming();
    QApplication::sendEvent(input, &f7);
    input->viewport()->repaint();
  }
  state.counters["peak_rss_MB"] = PeakMemoryMegabytes();
}

// The first F7 on a 2,000-character song, the dictionary opened by it, with state.range(0)
// thousand readings kept in the user's file.
void BM_FirstKanjiRewriteWithKeptReadings(benchmark::State& state) {
  const QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  QDir().mkpath(QFileInfo(ui::RememberedReadingsFile()).absolutePath());
  {
    QFile file(ui::RememberedReadingsFile());
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the readings file");
    for (int k = 0; k < state.range(0) * 1000; ++k) {
      file.write(QStringLiteral(u"夢%1\tゆめ\n").arg(k).toUtf8());
    }
  }
  const QString lyrics = QString::fromStdU16String(bench::KanjiLyrics(2000));
  QKeyEvent f7(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<KanjiWindow>();
    window->Input()->setPlainText(lyrics);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    QApplication::sendEvent(window->Input(), &f7);
    window->Input()->viewport()->repaint();
  }
  qunsetenv("XDG_DATA_HOME");
}

// One keystroke in the middle of lyrics that F7 has left state.range(0) thousand marks on,
// from the key to the marks drawn.
void BM_KeystrokeAmongMarks(benchmark::State& state) {
  KanjiWindow window;
  QPlainTextEdit* input = window.Input();
  // Lines of words that F7 reads one mark each.
  const QString line = QStringLiteral(u"夢の花が咲く\n");
  QString lyrics;
  const auto marks = static_cast<int>(state.range(0) * 1000);
  lyrics.reserve(marks / 3 * line.size() + line.size());
  for (int k = 0; k < marks; k += 3) lyrics += line;
  input->setPlainText(lyrics);
  QKeyEvent f7(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
  QApplication::sendEvent(input, &f7);
  QTextCursor middle(input->document());
  middle.setPosition(input->document()->characterCount() / 2);
  middle.movePosition(QTextCursor::StartOfBlock);
  input->setTextCursor(middle);
  input->centerCursor();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral(u"あ"));
    QApplication::sendEvent(input, &key);
    QCoreApplication::processEvents();  // the marks drawn
    input->viewport()->repaint();
  }
}

// Megabytes of UTF-16 kana lyrics; the larger texts take seconds a press, so are pressed once.
void SmallText(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMillisecond)->Iterations(5)->Arg(1);
}
void LargeTexts(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(10)->Arg(50);
}

BENCHMARK(BM_KanaPress)->Apply(SmallText)->Apply(LargeTexts);
BENCHMARK(BM_BareSetPlainTextAndPaint)->Apply(SmallText)->Apply(LargeTexts);
// A song (4 KB) at the first F7, then a song and 1 MB with the dictionary open.
BENCHMARK(BM_KanjiRewrite)->Unit(benchmark::kMillisecond)->Iterations(1)->Args({4, 0});
BENCHMARK(BM_KanjiRewrite)->Unit(benchmark::kMillisecond)->Iterations(5)->Args({4, 1});
BENCHMARK(BM_KanjiRewrite)->Unit(benchmark::kMillisecond)->Iterations(3)->Args({1024, 1});
BENCHMARK(BM_FirstKanjiRewriteWithKeptReadings)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Arg(100);
BENCHMARK(BM_KanjiRewritePeak)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(10);
// A million marks, and a song's worth.
BENCHMARK(BM_KeystrokeAmongMarks)->Unit(benchmark::kMillisecond)->Iterations(50)->Arg(1000);
BENCHMARK(BM_KeystrokeAmongMarks)->Unit(benchmark::kMillisecond)->Iterations(50)->Arg(1);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setFont(ui::DesignFont());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
