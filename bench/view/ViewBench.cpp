// What the playfield's drawing costs. The figures that matter are a near
// drag of the piece against the plain copy of the bytes it touches and
// against redrawing the whole playfield, which a move must never need. All
// are wall-clock times: on a busy machine, read the ratio from a run with
// --benchmark_repetitions and --benchmark_enable_random_interleaving, so
// that the drag and the copy share the same load.
#include <cstring>
#include <random>

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>

#include "engine/GameEngine.h"
#include "engine/HeadlessView.h"
#include "view/Playfield.h"
#include "view/Raster.h"
#include "view/Sheets.h"
#include "view/Surface.h"

namespace {

QImage Noise(int width, int height, uint32_t seed)
{
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = random() | 0xFF000000u;
    }
    return image;
}

// A playfield in play: every cell and slot filled, drawn once, the piece shown.
struct TScene {
    TSurface surface;
    TSheets sheets{Noise(500, 333, 1), Noise(425, 200, 2), Noise(342, 114, 3), Noise(110, 40, 4)};
    TPlayfield view{surface, sheets, engine, [] { return TTongue::English; }};
    THeadlessView quiet;  // no sound, no window
    TGameEngine engine{TGameView(view, view.Sprite(), quiet, quiet), 1};

    TScene()
    {
        for (int i = 0; i < kBoardCells; ++i)
            engine.Board[i] = (i * 37) % 128;
        engine.Piece.fill(40);
        engine.TimeLeft = 300;
        view.Paint();
        view.RenderPiece();
        view.Sprite().SetPosition(100, 100);
        view.Sprite().Show();
        surface.TakeDirty();
    }
};

void BM_DragToNear(benchmark::State& state)
{
    TScene scene;
    scene.view.Sprite().Grab(135, 138);
    int x = 135;
    for (auto _ : state) {
        x = x == 135 ? 138 : 135;
        scene.view.Sprite().DragTo(x, 138);
        benchmark::DoNotOptimize(scene.surface.TakeDirty());
    }
}
BENCHMARK(BM_DragToNear)->UseRealTime();

// A near drag 3 pixels across and 2 down, back and forth: the union then has
// corners that neither the old nor the new place covers.
void BM_DragToNearDiagonal(benchmark::State& state)
{
    TScene scene;
    scene.view.Sprite().Grab(135, 138);
    bool there = false;
    for (auto _ : state) {
        there = !there;
        scene.view.Sprite().DragTo(there ? 138 : 135, there ? 140 : 138);
        benchmark::DoNotOptimize(scene.surface.TakeDirty());
    }
}
BENCHMARK(BM_DragToNearDiagonal)->UseRealTime();

void BM_FarMove(benchmark::State& state)
{
    TScene scene;
    bool there = false;
    for (auto _ : state) {
        there = !there;
        scene.view.Sprite().SetPosition(there ? 200 : 48, there ? 200 : 53);
        benchmark::DoNotOptimize(scene.surface.TakeDirty());
    }
}
BENCHMARK(BM_FarMove)->UseRealTime();

// The bytes a near drag of 3 pixels touches on the surface: the rows of its
// 78 x 75 union rectangle, copied with memcpy.
void BM_MemcpyUnionRows(benchmark::State& state)
{
    const QImage from = Noise(500, 333, 5);
    QImage to = Noise(500, 333, 6);
    const qsizetype stride = to.bytesPerLine();
    uchar* d = to.bits() + 100 * stride + 100 * 4;
    const uchar* s = from.constBits() + 100 * stride + 100 * 4;
    for (auto _ : state) {
        for (int row = 0; row < 75; ++row)
            std::memcpy(d + row * stride, s + row * stride, 78 * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 78 * 75 * 4);
}
BENCHMARK(BM_MemcpyUnionRows)->UseRealTime();

// What a move would cost if it redrew the playfield: the background and all
// 81 cells.
void BM_FullRepaint(benchmark::State& state)
{
    TScene scene;
    for (auto _ : state) {
        scene.surface.Transfer(0, 0, TSurface::kWidth, TSurface::kHeight, scene.sheets.Bitmaps(TSheets::kBackground), 0,
                               0, TRasterOp::Copy);
        for (int column = 0; column < kBoardSize; ++column)
            for (int row = 0; row < kBoardSize; ++row)
                scene.view.DrawCell(column, row);
        benchmark::DoNotOptimize(scene.surface.TakeDirty());
    }
}
BENCHMARK(BM_FullRepaint)->UseRealTime();

void BM_Paint(benchmark::State& state)
{
    TScene scene;
    for (auto _ : state) {
        scene.view.Paint();
        benchmark::DoNotOptimize(scene.surface.TakeDirty());
    }
}
BENCHMARK(BM_Paint)->UseRealTime();

// Arg 1: the sprite stands where the bar makes it refresh.
void BM_DrawTimeBar(benchmark::State& state)
{
    TScene scene;
    if (state.range(0))
        scene.view.Sprite().SetPosition(300, 120);
    int32_t left = 0;
    for (auto _ : state) {
        left = (left + 15) % 600;
        scene.engine.TimeLeft = left;
        scene.view.DrawTimeBar();
        benchmark::DoNotOptimize(scene.surface.TakeDirty());
    }
}
BENCHMARK(BM_DrawTimeBar)->Arg(0)->Arg(1)->UseRealTime();

QPainter::CompositionMode PainterMode(TRasterOp op)
{
    switch (op) {
        case TRasterOp::Copy:
            return QPainter::CompositionMode_Source;
        case TRasterOp::And:
            return QPainter::RasterOp_SourceAndDestination;
        case TRasterOp::Or:
            return QPainter::RasterOp_SourceOrDestination;
        case TRasterOp::Xor:
            return QPainter::RasterOp_SourceXorDestination;
    }
    return QPainter::CompositionMode_Source;
}

// Args: the operation (0 Copy, 1 And, 2 Or, 3 Xor) and the side of a square
// (25 a cell, 75 the sprite, 333 the whole surface at 500 x 333).
void TransferArgs(benchmark::internal::Benchmark* bench)
{
    for (int op = 0; op < 4; ++op)
        for (int side : {25, 75, 333})
            bench->Args({op, side});
}

QSize Area(int side)
{
    return side == 333 ? QSize(500, 333) : QSize(side, side);
}

void BM_TransferLoop(benchmark::State& state)
{
    const auto op = static_cast<TRasterOp>(state.range(0));
    const QSize area = Area(static_cast<int>(state.range(1)));
    const QImage src = Noise(500, 333, 7);
    QImage dst = Noise(500, 333, 8);
    for (auto _ : state) {
        BlockTransfer(dst, 0, 0, area.width(), area.height(), src, 0, 0, op);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * area.width() * area.height() * 4);
}
BENCHMARK(BM_TransferLoop)->Apply(TransferArgs)->UseRealTime();

void BM_TransferQPainter(benchmark::State& state)
{
    const auto op = static_cast<TRasterOp>(state.range(0));
    const QSize area = Area(static_cast<int>(state.range(1)));
    const QImage src = Noise(500, 333, 7);
    QImage dst = Noise(500, 333, 8);
    for (auto _ : state) {
        QPainter painter(&dst);
        painter.setCompositionMode(PainterMode(op));
        painter.drawImage(QPoint(0, 0), src, QRect(QPoint(0, 0), area));
        painter.end();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * area.width() * area.height() * 4);
}
BENCHMARK(BM_TransferQPainter)->Apply(TransferArgs)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
