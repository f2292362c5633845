// Start-up child: the game's own entry (application, window, sets folder), ended at first frame.
// Usage: velmo-startup-window LAUNCH_NS SETS_FOLDER/
#include <cstdlib>
#include <string>

#include <QApplication>

#include "bench/FirstFrame.h"
#include "ui/Main.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        return EXIT_FAILURE;
    }
    const int64_t LaunchNs = std::stoll(argv[1]);
    QApplication Application(argc, argv);
    velmo::TForm1 Form1(argv[2]);
    if (Form1.LoadFailed()) {
        return EXIT_FAILURE;
    }
    velmo::bench::QuitAfterFirstFrame(*Form1.PaintBox1, LaunchNs);
    Form1.show();
    return QApplication::exec();
}
