// Entry point of velmo-cardset: a windowless Qt application that runs one command.
#include <iostream>

#include <QGuiApplication>
#include <QStringList>

#include "tools/cardset/Verbs.h"
#include "tools/cardset/Windowless.h"

int main(int argc, char** argv) {
    velmo::tool::PrepareWindowless();
    QGuiApplication App(argc, argv);
    QStringList Args;
    for (int i = 1; i < argc; ++i) {
        Args.append(QString::fromUtf8(argv[i]));
    }
    return velmo::tool::RunCommand(Args, std::cout, std::cerr);
}
