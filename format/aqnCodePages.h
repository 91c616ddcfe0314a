#pragma once
// Character sets of Aquon files: the bytes of text and attribute values become text by
// the encoding that the file's XML declaration names.
#include <QByteArrayView>
#include <QString>
#include <optional>

enum class TAqnCharset
{
  Undeclared, // UTF-8, or windows-1252 where the bytes are not valid UTF-8
  Utf8,
  Windows1250,
  Windows1251,
  Windows1252, // also for ISO-8859-1, whose printable characters it extends
  Windows1253,
  Windows1254, // also for ISO-8859-9
  Iso8859_2,
  Iso8859_5,
  Iso8859_7,
};

// The character set of an encoding name as declared (any case); nothing when unknown.
std::optional<TAqnCharset> CharsetByName(QByteArrayView name);
QString DecodeText(QByteArrayView bytes, TAqnCharset charset);

namespace AqnCodePageTables {
// The characters of the bytes 0x80 to 0xFF.
extern const char16_t Windows1250[128];
extern const char16_t Windows1251[128];
extern const char16_t Windows1252[128];
extern const char16_t Windows1253[128];
extern const char16_t Windows1254[128];
extern const char16_t Iso8859_2[128];
extern const char16_t Iso8859_5[128];
extern const char16_t Iso8859_7[128];
} // namespace AqnCodePageTables
