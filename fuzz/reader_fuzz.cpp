// Parses the fuzz input as a plain Aquon file. Whatever tree comes out, written back and
// read again, must give no errors when the input gave none: the writer's text is always
// well-formed for the reader.
#include "format/aquon.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

std::unique_ptr<TAquon> Load(const QByteArray &bytes)
{
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  auto document = std::make_unique<TAquon>();
  document->LoadFromDevice(buffer, QStringLiteral("fuzz.aqe"));
  return document;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  const auto document =
      Load(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
  if (!document->Root())
    return 0;
  QStringList lines;
  document->Root()->WriteXml(lines);
  const QByteArray written =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + lines.join(QLatin1Char('\n')).toUtf8();
  const auto again = Load(written);
  if (!again->Root() || (document->Errors().isEmpty() && !again->Errors().isEmpty()))
    std::abort();
  document->Root()->RemoveEmpty();
  return 0;
}
