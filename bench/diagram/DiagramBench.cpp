// A full-board diagram of a 225-move game, beside a full repaint of the main board with the same
// stones, offscreen, in the same run:
//   BM_MainBoardRepaint   the board's repaint as the main window does it: board, then each stone
//   BM_DiagramImage       the diagram drawn into an image; ratio = its median / the board's median
//   BM_DiagramMetafile    the diagram recorded as a metafile in memory; ratio likewise
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <vector>

#include "base/PointCodes.h"
#include "diagram/DiagramPictures.h"
#include "diagram/EmfCanvas.h"
#include "diagram/Fonts.h"
#include "ui/BoardPainter.h"

namespace {

constexpr int S = 30;
const QFont MoveFont(QStringLiteral("MS Sans Serif"), 8);

// Every point of the board, row by row from the centre outwards in rings.
std::string FullGame() {
    std::string moves;
    for (int ring = 0; ring <= 7; ++ring)
        for (int c = 8 - ring; c <= 8 + ring; ++c)
            for (int r = 8 - ring; r <= 8 + ring; ++r)
                if (std::max(std::abs(c - 8), std::abs(r - 8)) == ring) {
                    moves += kalvon::PointDigit(c);
                    moves += kalvon::PointDigit(r);
                }
    return moves;
}

void RepaintBoard(QImage& image, const std::string& moves) {
    {
        TBoardPainter painter(image, S, MoveFont);
        painter.ClearPaint();
        painter.DrawBoard();
    }
    for (size_t i = 0; i + 1 < moves.size(); i += 2) {
        TBoardPainter painter(image, S, MoveFont);
        painter.DrawStone(QString::number(i / 2 + 1),
                          {kalvon::PointDigitValue(moves[i]), kalvon::PointDigitValue(moves[i + 1])}, true);
    }
}

TDiagram FullDiagram() {
    TDiagram diagram;
    diagram.Moves = FullGame();
    diagram.Options.Full = true;
    diagram.Diameter = S;
    diagram.MoveFont = MoveFont;
    return diagram;
}

template <class F>
double MedianSeconds(int runs, F&& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double BoardMedian() {
    static const double median = [] {
        QImage image(TBoardGeometry(S).Width(), TBoardGeometry(S).Width(), QImage::Format_RGB32);
        const std::string moves = FullGame();
        return MedianSeconds(101, [&] { RepaintBoard(image, moves); });
    }();
    return median;
}

void BM_MainBoardRepaint(benchmark::State& state) {
    QImage image(TBoardGeometry(S).Width(), TBoardGeometry(S).Width(), QImage::Format_RGB32);
    const std::string moves = FullGame();
    for (auto _ : state) RepaintBoard(image, moves);
    state.counters["stones"] = double(moves.size() / 2);
}
BENCHMARK(BM_MainBoardRepaint)->Unit(benchmark::kMicrosecond);

void BM_DiagramImage(benchmark::State& state) {
    const TDiagram diagram = FullDiagram();
    for (auto _ : state) benchmark::DoNotOptimize(DiagramImage(diagram));
    state.counters["ratio"] = MedianSeconds(101, [&] { DiagramImage(diagram); }) / BoardMedian();
}
BENCHMARK(BM_DiagramImage)->Unit(benchmark::kMicrosecond);

void BM_DiagramMetafile(benchmark::State& state) {
    const TDiagram diagram = FullDiagram();
    size_t bytes = 0;
    for (auto _ : state) bytes = DiagramMetafile(diagram).size();
    state.counters["ratio"] = MedianSeconds(101, [&] { DiagramMetafile(diagram); }) / BoardMedian();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_DiagramMetafile)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
