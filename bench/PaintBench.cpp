// One frame of the board: PaintBox1Paint of a game in progress into an offscreen 794 × 525
// premultiplied image, against a bare painter drawing the same pictures and one text line,
// frame by frame in turn.
#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QPainter>

#include "bench/BenchPaths.h"
#include "bench/FloorFrame.h"
#include "bench/Paired.h"
#include "ui/Main.h"

namespace velmo::bench {
namespace {

// The window with the bundled sets, a game started and the first card turned.
TForm1& Window() {
    static const std::unique_ptr<TForm1> Form = [] {
        auto Made = std::make_unique<TForm1>(BundledSetsFolder());
        if (Made->LoadFailed()) {
            std::abort();
        }
        Made->Nouvelle1Click();
        const TRect& First = Made->Board.Cards[0][0].Bounds;
        const int X = (First.Left + First.Right) / 2;
        const int Y = (First.Top + First.Bottom) / 2;
        Made->PaintBox1MouseDown(Qt::LeftButton, X, Y);
        Made->PaintBox1MouseUp();
        return Made;
    }();
    return *Form;
}

QImage Target() {
    return QImage(kAreaWidth, kAreaHeight, QImage::Format_ARGB32_Premultiplied);
}

void BM_Frame(benchmark::State& State) {
    const TForm1& Form = Window();
    const TFloorFrame Frame =
        MakeFloorFrame(Form.Board, Form.CardImages, true, Form.Game.State().Chances);
    QImage FloorImage = Target();
    QImage FormImage = Target();
    RunPaired(
        State,
        [&] {
            QPainter Canvas(&FloorImage);
            PaintFloorFrame(Canvas, Frame);
        },
        [&] {
            QPainter Canvas(&FormImage);
            Form.PaintBox1Paint(Canvas);
        });
    benchmark::DoNotOptimize(FloorImage.constBits());
    benchmark::DoNotOptimize(FormImage.constBits());
}
BENCHMARK(BM_Frame)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmo::bench

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication Application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
