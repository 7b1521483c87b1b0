// The viewer's Qt side under the offscreen platform: a full redraw on the real picture box
// beside Qt drawing the same points as five polylines, the whole click on a file, one
// cursor readout, and the start-up of a process up to the viewer on screen.
//
// Inputs from the environment (the ./benchmark script sets them):
//   TALLYO_BENCH_NORMAL  a day logged every 10 s (8,640 lines)
// The start-up probe's path is built in (TALLYO_STARTUP_PROBE).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPointF>
#include <QTimer>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "BusyState.h"
#include "FileListBox.h"
#include "PictureBox.h"
#include "chart/DrawGraph.h"
#include "viewer/Graph.h"
#include "viewer/ViewerState.h"

namespace tallyo::bench {
namespace {

// The picture box `Plot` at its size in the viewer's layout.
constexpr int kPlotWidth = 749;
constexpr int kPlotHeight = 349;

void BM_DrawGraph_9999(benchmark::State& state) {
  auto s = BusyState();
  QuietRedraw redraw;
  PictureBox plot;
  plot.resize(kPlotWidth, kPlotHeight);
  plot.show();
  QCoreApplication::processEvents();
  for (auto _ : state) {
    redraw(*s, plot);
    // What is on the box now, every pending stroke rendered; dropped before the next draw
    // so the image is never copied.
    QImage shown = plot.Picture();
    benchmark::DoNotOptimize(shown.constBits());
  }
  state.counters["records"] = kRecords;
}
BENCHMARK(BM_DrawGraph_9999)->Unit(benchmark::kMillisecond)->UseRealTime();

// The yardstick for the redraw: Qt alone drawing the same points as five plain polylines
// into an image of the same size and format, after a fill.
void BM_QtPolylines_9999(benchmark::State& state) {
  auto s = BusyState();
  const Series* series[] = {&s->voltsSeries, &s->ampsSeries, &s->wattsSeries, &s->rpmSeries,
                            &s->speedSeries};
  const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::white};
  std::vector<std::vector<QPointF>> lines;
  const double dx = static_cast<double>(kPlotWidth) / (kRecords - 1);
  for (const Series* values : series) {
    double hi = (*values)[1], lo = hi;
    for (int k = 1; k <= kRecords; ++k) {
      hi = std::max(hi, (*values)[k]);
      lo = std::min(lo, (*values)[k]);
    }
    const double range = hi - lo, dy = kPlotHeight / (range * 21 / 20);
    std::vector<QPointF> points;
    for (int k = 1; k <= kRecords; ++k)
      points.emplace_back((k - 1) * dx, ((hi - (*values)[k]) + range / 40) * dy);
    lines.push_back(std::move(points));
  }
  PictureBox plot;
  plot.resize(kPlotWidth, kPlotHeight);
  plot.show();
  QCoreApplication::processEvents();
  QImage image(kPlotWidth, kPlotHeight, plot.Picture().format());
  for (auto _ : state) {
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    for (int c = 0; c < 5; ++c) {
      painter.setPen(colours[c]);
      painter.drawPolyline(lines[c].data(), static_cast<int>(lines[c].size()));
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_QtPolylines_9999)->Unit(benchmark::kMillisecond)->UseRealTime();

// Counts the paints of one widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// The viewer window on a scratch program folder holding one day, shown, with that day
// chosen in the file list (which runs the first display).
struct ShownViewer {
  ScratchDay& day;
  Graph graph;
  PictureBox* plot;

  explicit ShownViewer(ScratchDay& d) : day(d), graph(d.Folder()), plot(nullptr) {
    graph.show();
    QCoreApplication::processEvents();
    plot = graph.findChild<PictureBox*>(QStringLiteral("Plot"));
    auto* files = graph.findChild<FileListBox*>(QStringLiteral("File1"));
    if (files && files->count() > 0) files->setCurrentRow(0);  // chooses it: File1_Click
    QCoreApplication::processEvents();
  }
  bool Loaded() const { return plot && graph.State().recordCount > 1; }
};

// The click on a day in the file list, through to the chart painted on screen.
void BM_File1Click_NormalDay(benchmark::State& state) {
  ScratchDay day(EnvOr("TALLYO_BENCH_NORMAL", "normal-day.txt"), "day.txt");
  if (!day.Ok()) {
    state.SkipWithError("missing the normal day");
    return;
  }
  ShownViewer viewer(day);
  if (!viewer.Loaded()) {
    state.SkipWithError("the viewer did not display the normal day");
    return;
  }
  PaintCounter counter;
  viewer.plot->installEventFilter(&counter);
  for (auto _ : state) {
    viewer.graph.File1_Click();
    // The pending repaints, the chart's among them, as the event loop runs them next.
    QCoreApplication::processEvents();
  }
  viewer.plot->removeEventFilter(&counter);
  if (counter.paints < static_cast<int>(state.iterations()))
    state.SkipWithError("the chart was not painted after every click");
  state.counters["records"] = viewer.graph.State().recordCount;
}
BENCHMARK(BM_File1Click_NormalDay)->Unit(benchmark::kMillisecond)->UseRealTime();

// Writes a day of exactly 9,999 readings, one a second from 00:00:01, and returns its path.
std::string WriteFullDisplayDay() {
  const std::string path = QDir::tempPath().toStdString() + "/tallyo-bench-9999.txt";
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  char line[160];
  for (int k = 1; k <= kRecords; ++k) {
    const double swing = std::sin(k / 400.0);
    const int n = std::snprintf(line, sizeof line,
                                "<T>%02d:%02d:%02d</T> <V>%.2f</V> <I>%.1f</I> <R>%d</R> "
                                "<W>%d</W> <S>%.1f</S> <M>%d</M>\r\n",
                                k / 3600, k / 60 % 60, k % 60, 13 + 0.8 * swing, 4 + 6 * swing,
                                static_cast<int>(300 + 150 * swing),
                                static_cast<int>(52 + 78 * swing), 7 + 3 * swing, k % 3 == 0);
    out.write(line, n);
  }
  return path;
}

// One move of the pointer over a chart of 9,999 records: the readout of the record under
// it in five labels. x runs over the whole chart so every label changes at every move.
void BM_PlotMouseMove_9999(benchmark::State& state) {
  const std::string source = WriteFullDisplayDay();
  ScratchDay day(source, "day.txt");
  ShownViewer viewer(day);
  if (!viewer.Loaded() || viewer.graph.State().recordCount != kRecords) {
    state.SkipWithError("the viewer did not display the 9,999 records");
    return;
  }
  float x = 0.5f;
  for (auto _ : state) {
    viewer.graph.Plot_MouseMove(0, 0, x, 10);
    x += 7;
    if (x > kRecords - 2) x -= kRecords - 2;
  }
  std::remove(source.c_str());
}
BENCHMARK(BM_PlotMouseMove_9999)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same move delivered as a mouse event to the picture box, as the pointer makes it.
void BM_PlotMouseEvent_9999(benchmark::State& state) {
  const std::string source = WriteFullDisplayDay();
  ScratchDay day(source, "day.txt");
  ShownViewer viewer(day);
  if (!viewer.Loaded() || viewer.graph.State().recordCount != kRecords) {
    state.SkipWithError("the viewer did not display the 9,999 records");
    return;
  }
  int px = 1;
  for (auto _ : state) {
    QMouseEvent move(QEvent::MouseMove, QPointF(px, 100),
                     viewer.plot->mapToGlobal(QPointF(px, 100)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewer.plot, &move);
    px = px % (kPlotWidth - 2) + 1;
  }
  std::remove(source.c_str());
}
BENCHMARK(BM_PlotMouseEvent_9999)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A new process of the program up to the viewer's first paint (the probe ends there).
void BM_StartUp(benchmark::State& state) {
  const std::string probe = TALLYO_STARTUP_PROBE;
  if (TimeChild(probe, {probe}) < 0) {
    state.SkipWithError("the start-up probe failed");
    return;
  }
  for (auto _ : state) {
    const double seconds = TimeChild(probe, {probe});
    if (seconds < 0) {
      state.SkipWithError("the start-up probe failed");
      break;
    }
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace tallyo::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // A message box would stop the run: any modal window is closed as soon as it shows.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  closer.start(50);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
