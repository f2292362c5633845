// Decodes one PNG picture of a card set, refusing other formats and oversized pictures.
#pragma once

#include <QByteArray>
#include <QImage>

namespace velmo {

// Returns the picture as premultiplied ARGB; throws TImageError when the data is not a usable PNG
// or its declared dimensions exceed kMaxDecodedImageBytes.
QImage DecodeCardPng(const QByteArray& Data);

}  // namespace velmo
