// Start-up of Velmo's command-line tools: the offscreen platform and a quieter message handler.
#include "tools/cardset/Windowless.h"

#include <iostream>

#include <QString>
#include <QtGlobal>

namespace velmo::tool {
namespace {

void FilterQtMessage(QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
    if (Text.startsWith(QStringLiteral("QStandardPaths:"))) {
        return;
    }
    std::cerr << qFormatLogMessage(Type, Context, Text).toStdString() << '\n';
}

}  // namespace

void PrepareWindowless() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(FilterQtMessage);
}

}  // namespace velmo::tool
