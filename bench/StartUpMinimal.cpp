// Start-up floor: the least a Qt window like the game's does — a main window with a menu bar and
// a 794 × 525 area drawing one text line — ended at its first frame.
// Usage: velmo-startup-minimal LAUNCH_NS
#include <cstdlib>
#include <string>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

#include "bench/FirstFrame.h"
#include "bench/FloorFrame.h"

namespace {

class TTextArea final : public QWidget {
  public:
    TTextArea() {
        setFixedSize(velmo::bench::kAreaWidth, velmo::bench::kAreaHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter Canvas(this);
        Canvas.fillRect(rect(), QColor(116, 84, 156));
        Canvas.setPen(Qt::white);
        Canvas.drawText(674, 30, QStringLiteral("Chances : 7"));
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        return EXIT_FAILURE;
    }
    const int64_t LaunchNs = std::stoll(argv[1]);
    QApplication Application(argc, argv);
    QMainWindow Window;
    Window.menuBar()->setNativeMenuBar(false);
    Window.menuBar()->addMenu(QStringLiteral("Partie"))->addAction(QStringLiteral("Nouvelle"));
    auto* Area = new TTextArea;
    Window.setCentralWidget(Area);
    velmo::bench::QuitAfterFirstFrame(*Area, LaunchNs);
    Window.show();
    return QApplication::exec();
}
