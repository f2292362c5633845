// Floor of the processor-time figure: a bare window like the game's that repaints the floor frame
// of Default.kxd's pictures every 45 ms, with nothing else running.
#include <cstdlib>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "bench/BenchPaths.h"
#include "bench/FloorFrame.h"
#include "game/Random.h"

namespace {

constexpr int kTickMs = 45;

class TFloorArea final : public QWidget {
  public:
    explicit TFloorArea(const velmo::bench::TFloorFrame& Frame) : Frame(Frame) {
        setFixedSize(velmo::bench::kAreaWidth, velmo::bench::kAreaHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter Canvas(this);
        velmo::bench::PaintFloorFrame(Canvas, Frame);
    }

  private:
    const velmo::bench::TFloorFrame& Frame;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
    velmo::TCardImages Images;
    velmo::CreateCardImages(Images);
    QString Name;
    if (!velmo::LoadCardSet(velmo::bench::BundledSetsFolder() + velmo::bench::kDefaultSet, Images,
                            Name)) {
        return EXIT_FAILURE;
    }
    velmo::TBoard Board;
    Board.LayoutCards(10, 12);
    velmo::TClockRandom Random;
    Board.DealCards(Random);
    const velmo::bench::TFloorFrame Frame = velmo::bench::MakeFloorFrame(Board, Images, true, 7);

    QMainWindow Window;
    Window.setWindowTitle(QStringLiteral("Velmo floor"));
    Window.menuBar()->setNativeMenuBar(false);
    Window.menuBar()->addMenu(QStringLiteral("Partie"))->addAction(QStringLiteral("Nouvelle"));
    auto* Area = new TFloorArea(Frame);
    Window.setCentralWidget(Area);
    QTimer Timer;
    Timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&Timer, &QTimer::timeout, Area, [Area] { Area->repaint(); });
    Timer.start(kTickMs);
    Window.show();
    return QApplication::exec();
}
