#include "format/aqnCodePages.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <utility>

namespace {

QByteArray NormalizedName(QByteArrayView name)
{
  QByteArray result;
  for (char c : name)
    if (c != '-' && c != '_' && c != ' ')
      result += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
  return result;
}

const char16_t *TableOf(TAqnCharset charset)
{
  using namespace AqnCodePageTables;
  switch (charset) {
  case TAqnCharset::Windows1250:
    return Windows1250;
  case TAqnCharset::Windows1251:
    return Windows1251;
  case TAqnCharset::Windows1253:
    return Windows1253;
  case TAqnCharset::Windows1254:
    return Windows1254;
  case TAqnCharset::Iso8859_2:
    return Iso8859_2;
  case TAqnCharset::Iso8859_5:
    return Iso8859_5;
  case TAqnCharset::Iso8859_7:
    return Iso8859_7;
  default:
    return Windows1252;
  }
}

QString DecodeSingleByte(QByteArrayView bytes, const char16_t *upperHalf)
{
  QString text(bytes.size(), Qt::Uninitialized);
  QChar *out = text.data();
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    *out++ = QChar(b < 0x80 ? char16_t(b) : upperHalf[b - 0x80]);
  }
  return text;
}

bool IsAscii(QByteArrayView bytes)
{
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::optional<TAqnCharset> CharsetByName(QByteArrayView name)
{
  static const std::array<std::pair<const char *, TAqnCharset>, 22> names = {{
      {"UTF8", TAqnCharset::Utf8},
      {"ISO88591", TAqnCharset::Windows1252},
      {"LATIN1", TAqnCharset::Windows1252},
      {"USASCII", TAqnCharset::Windows1252},
      {"ASCII", TAqnCharset::Windows1252},
      {"ISO88592", TAqnCharset::Iso8859_2},
      {"LATIN2", TAqnCharset::Iso8859_2},
      {"ISO88595", TAqnCharset::Iso8859_5},
      {"ISO88597", TAqnCharset::Iso8859_7},
      {"ISO88599", TAqnCharset::Windows1254},
      {"LATIN5", TAqnCharset::Windows1254},
      {"WINDOWS1250", TAqnCharset::Windows1250},
      {"WINDOWS1251", TAqnCharset::Windows1251},
      {"WINDOWS1252", TAqnCharset::Windows1252},
      {"WINDOWS1253", TAqnCharset::Windows1253},
      {"WINDOWS1254", TAqnCharset::Windows1254},
      {"CP1250", TAqnCharset::Windows1250},
      {"CP1251", TAqnCharset::Windows1251},
      {"CP1252", TAqnCharset::Windows1252},
      {"CP1253", TAqnCharset::Windows1253},
      {"CP1254", TAqnCharset::Windows1254},
      {"ISOLATIN1", TAqnCharset::Windows1252},
  }};
  const QByteArray normalized = NormalizedName(name);
  for (const auto &[text, charset] : names)
    if (normalized == text)
      return charset;
  return std::nullopt;
}

QString DecodeText(QByteArrayView bytes, TAqnCharset charset)
{
  if (IsAscii(bytes))
    return QString::fromLatin1(bytes);
  if (charset == TAqnCharset::Undeclared || charset == TAqnCharset::Utf8) {
    // A file labelled (or left unlabelled) as UTF-8 that is not valid UTF-8 comes, in
    // practice, from a Windows program writing its ANSI code page.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
      return text;
    return DecodeSingleByte(bytes, AqnCodePageTables::Windows1252);
  }
  return DecodeSingleByte(bytes, TableOf(charset));
}
