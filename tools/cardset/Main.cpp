// Entry point of velmo-cardset: a windowless Qt application that runs one command.
#include <iostream>

#include <QGuiApplication>
#include <QStringList>

#include "tools/cardset/Verbs.h"

namespace {

// Qt's own notices pass through (an SVG author wants to hear about an unsupported element),
// except the missing-runtime-folder notice every windowless run prints, noise in a build log.
void FilterQtMessage(QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
    if (Text.startsWith(QStringLiteral("QStandardPaths:"))) {
        return;
    }
    std::cerr << qFormatLogMessage(Type, Context, Text).toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    // The tool runs during the build, where there is no display; SVG text still needs fonts,
    // which the offscreen platform provides.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(FilterQtMessage);
    QGuiApplication App(argc, argv);
    QStringList Args;
    for (int i = 1; i < argc; ++i) {
        Args.append(QString::fromUtf8(argv[i]));
    }
    return velmo::tool::RunCommand(Args, std::cout, std::cerr);
}
