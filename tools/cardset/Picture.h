// Card pictures for the tool: PNG decoding and the PNG or SVG input files of `pack`.
#pragma once

#include <optional>

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace velmo::tool {

// The picture in Bytes when they are a PNG file the decoder accepts.
std::optional<QImage> DecodePng(const QByteArray& Bytes);

// The SVG file at Path rendered at Size on a transparent background, antialiased; nothing when
// it cannot be read. Needs a QGuiApplication for text.
std::optional<QImage> RenderSvg(const QString& Path, QSize Size);

// PNG bytes of the SVG file at Path rendered at 100 x 160 on a transparent background.
// Needs a QGuiApplication for text. Raises TToolError when the SVG cannot be read.
QByteArray RenderSvgCard(const QString& Path);

// PNG bytes for one card: an SVG file (by its ".svg" extension) is rendered, a PNG file is
// taken byte for byte after checking it decodes at 100 x 160. Raises TToolError otherwise.
QByteArray LoadCardPicture(const QString& Path);

}  // namespace velmo::tool
