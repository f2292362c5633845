// velmo-render-icon: renders a square SVG icon to a PNG of the given size, for the build.
#include <cstdlib>
#include <iostream>
#include <optional>

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "tools/cardset/Picture.h"
#include "tools/cardset/Windowless.h"

namespace {

constexpr int kMinSize = 1;
constexpr int kMaxSize = 1024;

int Fail(const QString& Message) {
    std::cerr << "velmo-render-icon: " << Message.toStdString() << '\n';
    return EXIT_FAILURE;
}

}  // namespace

// Usage: velmo-render-icon IN.svg SIZE OUT.png
int main(int argc, char** argv) {
    velmo::tool::PrepareWindowless();
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

    const std::optional<QImage> Icon = velmo::tool::RenderSvg(In, QSize(Size, Size));
    if (!Icon) {
        return Fail(QStringLiteral("%1 is not a readable SVG file").arg(In));
    }
    if (!Icon->convertToFormat(QImage::Format_ARGB32).save(Out, "PNG")) {
        return Fail(QStringLiteral("cannot write %1").arg(Out));
    }
    return EXIT_SUCCESS;
}
