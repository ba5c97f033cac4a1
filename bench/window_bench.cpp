// One press of Begin in kana mode, from the click to the output painted, beside the bare cost of
// putting the same output into the text box and painting it. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "bench/lyrics_corpus.h"
#include "bench/silent_presenter.h"
#include "conversion/conversion.h"
#include "ui/appearance.h"
#include "ui/main_window.h"

namespace {

// The program's window, shown, in kana mode, with `characters` code units of kana lyrics in Input.
class KanaWindow {
 public:
  explicit KanaWindow(std::size_t characters) : window_(presenter_) {
    window_.show();
    if (!QTest::qWaitForWindowExposed(&window_)) qFatal("the window was never exposed");
    window_.findChild<QRadioButton*>(QStringLiteral("PJM"))->setChecked(true);
    lyrics_ = bench::KanaLyrics(characters * sizeof(char16_t));
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

void BM_KanaPress(benchmark::State& state) {
  KanaWindow window(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    window.Reset(state);
    window.Begin()->click();
    window.Output()->viewport()->repaint();
  }
  state.counters["output_chars"] =
      static_cast<double>(window.Output()->document()->characterCount());
}

void BM_BareSetPlainTextAndPaint(benchmark::State& state) {
  KanaWindow window(static_cast<std::size_t>(state.range(0)));
  const QString sequence = QString::fromStdU16String(conversion::KanaToSequence(window.lyrics()));
  for (auto _ : state) {
    window.Reset(state);
    window.Output()->setPlainText(sequence);
    window.Output()->viewport()->repaint();
  }
  state.counters["output_chars"] =
      static_cast<double>(window.Output()->document()->characterCount());
}

BENCHMARK(BM_KanaPress)->Arg(100'000)->Arg(1'000'000)->MinTime(3.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSetPlainTextAndPaint)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->MinTime(3.0)
    ->Unit(benchmark::kMillisecond);

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
