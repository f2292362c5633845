// Decodes PNG card pictures and turns pack's input files into PNG bytes.
#include "tools/cardset/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include "cardset/KXDApi.h"
#include "cardset/PngDecoder.h"
#include "tools/cardset/KxdLayout.h"
#include "tools/cardset/ToolError.h"

namespace velmo::tool {

namespace {

QString Quoted(const QString& Path) {
    return QStringLiteral("« %1 »").arg(Path);
}

}  // namespace

// The game's own decoder: what it refuses (another format, a picture too large to decode, a
// broken PNG) is what the tool must refuse too.
std::optional<QImage> DecodePng(const QByteArray& Bytes) {
    try {
        return DecodeCardPng(Bytes);
    } catch (const TImageError&) {
        return std::nullopt;
    }
}

std::optional<QImage> RenderSvg(const QString& Path, QSize Size) {
    QSvgRenderer Renderer(Path);
    if (!Renderer.isValid()) {
        return std::nullopt;
    }
    QImage Picture(Size, QImage::Format_ARGB32_Premultiplied);
    Picture.fill(Qt::transparent);
    {
        QPainter Painter(&Picture);
        Painter.setRenderHint(QPainter::Antialiasing);
        Painter.setRenderHint(QPainter::SmoothPixmapTransform);
        Renderer.render(&Painter, QRectF(QPointF(0, 0), QSizeF(Size)));
    }
    return Picture;
}

QByteArray RenderSvgCard(const QString& Path) {
    const std::optional<QImage> Picture = RenderSvg(Path, QSize(kCardWidth, kCardHeight));
    if (!Picture) {
        throw TToolError(QStringLiteral("%1 : fichier SVG illisible").arg(Quoted(Path)));
    }
    QByteArray Png;
    QBuffer Buffer(&Png);
    Buffer.open(QIODevice::WriteOnly);
    if (!Picture->save(&Buffer, "PNG")) {
        throw TToolError(QStringLiteral("%1 : échec de l'encodage PNG").arg(Quoted(Path)));
    }
    return Png;
}

QByteArray LoadCardPicture(const QString& Path) {
    if (Path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        return RenderSvgCard(Path);
    }
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly)) {
        throw TToolError(
            QStringLiteral("%1 : ouverture impossible (%2)").arg(Quoted(Path), File.errorString()));
    }
    const QByteArray Bytes = File.readAll();
    const std::optional<QImage> Picture = DecodePng(Bytes);
    if (!Picture) {
        throw TToolError(
            QStringLiteral("%1 : ni une image PNG lisible ni un fichier .svg").arg(Quoted(Path)));
    }
    if (Picture->width() != kCardWidth || Picture->height() != kCardHeight) {
        throw TToolError(QStringLiteral("%1 : l'image fait %2 × %3 pixels au lieu de %4 × %5")
                             .arg(Quoted(Path))
                             .arg(Picture->width())
                             .arg(Picture->height())
                             .arg(kCardWidth)
                             .arg(kCardHeight));
    }
    return Bytes;
}

}  // namespace velmo::tool
