#pragma once
// JPEG decoding with libjpeg, for the start-up screen's logo.
#include <QByteArray>
#include <QImage>

// A null image when the data is not a JPEG picture libjpeg can decode.
QImage DecodeJpeg(const QByteArray &data);
// The picture of a program resource of type "JPGFILE" (":/JPGFILE/<name>"); null if missing.
QImage JpegResource(const QString &name);
