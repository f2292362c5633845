// The program entry: the application, the main window with the sets beside the program, the loop.
#include <cstdlib>

#include <QApplication>

#include "ui/Main.h"

int main(int argc, char* argv[]) {
    QApplication Application(argc, argv);
    velmo::TForm1 Form1(QCoreApplication::applicationDirPath().toStdString() + "/CardsSets/");
    if (Form1.LoadFailed()) {
        return EXIT_FAILURE;
    }
    Form1.show();
    return QApplication::exec();
}
