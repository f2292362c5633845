// velmo-render-icon: renders a square SVG icon to a PNG of the given size, for the build.
#include <cstdlib>
#include <iostream>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace {

constexpr int kMinSize = 1;
constexpr int kMaxSize = 1024;

// The missing-runtime-folder notice every windowless run prints is noise in a build log.
void FilterQtMessage(QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
    if (Text.startsWith(QStringLiteral("QStandardPaths:"))) {
        return;
    }
    std::cerr << qFormatLogMessage(Type, Context, Text).toStdString() << '\n';
}

int Fail(const QString& Message) {
    std::cerr << "velmo-render-icon: " << Message.toStdString() << '\n';
    return EXIT_FAILURE;
}

}  // namespace

// Usage: velmo-render-icon IN.svg SIZE OUT.png
int main(int argc, char** argv) {
    // The build has no display; the offscreen platform is enough to paint into an image.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(FilterQtMessage);
    QGuiApplication App(argc, argv);
    if (argc != 4) {
        return Fail(QStringLiteral("usage: velmo-render-icon IN.svg SIZE OUT.png"));
    }
    const QString In = QString::fromLocal8Bit(argv[1]);
    bool IsNumber = false;
    const int Size = QString::fromLocal8Bit(argv[2]).toInt(&IsNumber);
    const QString Out = QString::fromLocal8Bit(argv[3]);
    if (!IsNumber || Size < kMinSize || Size > kMaxSize) {
        return Fail(QStringLiteral("size %1 is not a number from %2 to %3")
                        .arg(QString::fromLocal8Bit(argv[2]))
                        .arg(kMinSize)
                        .arg(kMaxSize));
    }

    QSvgRenderer Renderer(In);
    if (!Renderer.isValid()) {
        return Fail(QStringLiteral("%1 is not a readable SVG file").arg(In));
    }
    QImage Icon(Size, Size, QImage::Format_ARGB32_Premultiplied);
    Icon.fill(Qt::transparent);
    {
        QPainter Painter(&Icon);
        Painter.setRenderHint(QPainter::Antialiasing);
        Painter.setRenderHint(QPainter::SmoothPixmapTransform);
        Renderer.render(&Painter, QRectF(0, 0, Size, Size));
    }
    if (!Icon.convertToFormat(QImage::Format_ARGB32).save(Out, "PNG")) {
        return Fail(QStringLiteral("cannot write %1").arg(Out));
    }
    return EXIT_SUCCESS;
}
