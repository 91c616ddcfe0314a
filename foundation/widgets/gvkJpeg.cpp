#include "foundation/widgets/gvkJpeg.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: jump back to the
// decoder, which gives up on the picture.
struct TJpegErrorManager
{
  jpeg_error_mgr Public;
  std::jmp_buf Jump;
};

void JpegErrorExit(j_common_ptr info)
{
  std::longjmp(reinterpret_cast<TJpegErrorManager *>(info->err)->Jump, 1);
}

void JpegSilentMessage(j_common_ptr)
{
}

// Only trivially destructible locals live between setjmp and a possible longjmp; the image
// is the caller's.
bool Decode(const unsigned char *data, unsigned long size, QImage &image)
{
  jpeg_decompress_struct info;
  TJpegErrorManager errors;
  info.err = jpeg_std_error(&errors.Public);
  errors.Public.error_exit = JpegErrorExit;
  errors.Public.output_message = JpegSilentMessage;
  if (setjmp(errors.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGB888);
  if (image.isNull()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray &data)
{
  if (data.isEmpty())
    return QImage();
  QImage image;
  if (!Decode(reinterpret_cast<const unsigned char *>(data.constData()),
              static_cast<unsigned long>(data.size()), image))
    return QImage();
  return image;
}

// The resources of a static library are registered on demand.
static void InitWidgetResources()
{
  Q_INIT_RESOURCE(widgets);
}

QImage JpegResource(const QString &name)
{
  InitWidgetResources();
  QFile file(QStringLiteral(":/JPGFILE/") + name);
  if (!file.open(QIODevice::ReadOnly))
    return QImage();
  return DecodeJpeg(file.readAll());
}
