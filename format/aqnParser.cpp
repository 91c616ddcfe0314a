#include "format/aqnParser.h"

#include "format/aquon.h"
#include "format/gvkZip.h"
#include "foundation/gvkErrors.h"
#include "foundation/gvkIniFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace {

bool IsNameByte(char c)
{
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '$' ||
         c == '-' || c == '_';
}

bool IsLetter(char c)
{
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsBlankOrControl(char c)
{
  return static_cast<unsigned char>(c) <= 32;
}

// Trims blanks and control characters in place, keeping the buffer for the next token.
void Trim(QByteArray &bytes)
{
  qsizetype end = bytes.size();
  while (end > 0 && IsBlankOrControl(bytes.at(end - 1)))
    --end;
  bytes.truncate(end);
  qsizetype begin = 0;
  while (begin < end && IsBlankOrControl(bytes.at(begin)))
    ++begin;
  if (begin > 0)
    bytes.remove(0, begin);
}

// The encoding named by an XML declaration ("xml version=... encoding=..."), if any.
QByteArray DeclaredEncoding(const QByteArray &instruction)
{
  if (!instruction.startsWith("xml") || instruction.size() < 4 ||
      !IsBlankOrControl(instruction.at(3)))
    return {};
  const qsizetype key = instruction.indexOf("encoding");
  if (key < 0)
    return {};
  qsizetype i = key + 8;
  while (i < instruction.size() && IsBlankOrControl(instruction.at(i)))
    ++i;
  if (i >= instruction.size() || instruction.at(i) != '=')
    return {};
  ++i;
  while (i < instruction.size() && IsBlankOrControl(instruction.at(i)))
    ++i;
  if (i >= instruction.size() || (instruction.at(i) != '"' && instruction.at(i) != '\''))
    return {};
  const char quote = instruction.at(i);
  const qsizetype end = instruction.indexOf(quote, i + 1);
  return end < 0 ? QByteArray() : instruction.mid(i + 1, end - i - 1);
}

} // namespace

// ---- TAqnStack

TAqnStack::~TAqnStack()
{
  while (!IsEmpty())
    Pop();
}

void TAqnStack::Push(TAqnAbstractElement *element)
{
  FEntries.push_back({element, nullptr});
}

void TAqnStack::PushOwned(std::unique_ptr<TAqnAbstractElement> element)
{
  TAqnAbstractElement *raw = element.get();
  FEntries.push_back({raw, std::move(element)});
}

void TAqnStack::Pop()
{
  if (!FEntries.empty())
    FEntries.pop_back();
}

TAqnAbstractElement *TAqnStack::Top() const
{
  return FEntries.empty() ? nullptr : FEntries.back().Element;
}

// ---- TAqnParser: messages

TAqnParser::TAqnParser(TAquon &owner) : FOwner(owner)
{
}

TAqnParser::~TAqnParser() = default;

void TAqnParser::Report(const QString &message, bool isWarning, bool withLine)
{
  FOwner.AddMessage(message, withLine ? ReportedLine() : 0, isWarning);
}

void TAqnParser::MarkError(std::uint8_t level)
{
  TAqnAbstractElement *top = FStack ? FStack->Top() : nullptr;
  if (!top || top->ErrorLevel >= level)
    return;
  top->ErrorLevel = level;
  for (TAqnAbstractObject *up = top->Parent(); up; up = up->Parent())
    if (up->ErrorLevel < 2)
      up->ErrorLevel = 2;
}

// ---- byte supply

bool TAqnParser::Refill()
{
  if (FEndOfData)
    return false;
  const int kept = std::max(FDataEnd - FCur, 0);
  std::memmove(FBuffer.data(), FBuffer.data() + FCur, size_t(kept));
  FDataEnd = kept;
  FCur = 0;
  qint64 total = 0;
  while (FDataEnd < AqnChunkSize) {
    const qint64 count = FStream->read(FBuffer.data() + FDataEnd, AqnChunkSize - FDataEnd);
    if (count <= 0)
      break;
    FDataEnd += int(count);
    total += count;
  }
  FCut = FDataEnd;
  if (FDataEnd == AqnChunkSize) {
    // End the chunk before its last "<", so that tags are rarely split; a run without
    // any "<" is read whole.
    int cut = FDataEnd - 1;
    while (cut > FCur && FBuffer[cut] != '<')
      --cut;
    if (cut > FCur)
      FCut = cut;
  }
  if (total > 0 && FProgress)
    FProgress(ReportedLine());
  FEndOfData = FCur >= FCut;
  return !FEndOfData;
}

char TAqnParser::Peek(int offset)
{
  if (FCur + offset >= FDataEnd) {
    if (FEndOfData)
      return 0;
    Refill(); // keeps the bytes from FCur on
    if (FCur + offset >= FDataEnd)
      return 0;
  }
  return FBuffer[FCur + offset];
}

void TAqnParser::Consume(int count)
{
  for (int i = 0; i < count && FCur < FDataEnd; ++i)
    if (FBuffer[FCur++] == '\n')
      ++FLineCount;
}

template <class Predicate> void TAqnParser::TakeWhile(Predicate predicate, QByteArray *out)
{
  while (HasByte()) {
    const char *begin = FBuffer.data() + FCur;
    const char *end = FBuffer.data() + FCut;
    const char *p = begin;
    while (p < end && predicate(*p))
      ++p;
    FLineCount += std::count(begin, p, '\n');
    if (out)
      out->append(begin, p - begin);
    FCur += int(p - begin);
    if (p < end)
      return;
  }
}

bool TAqnParser::TakeUntil(QByteArrayView terminator, QByteArray &out)
{
  const char first = terminator.at(0);
  for (;;) {
    TakeWhile([first](char c) { return c != first; }, &out);
    if (!HasByte())
      return false;
    bool found = true;
    for (qsizetype k = 1; k < terminator.size() && found; ++k)
      found = Peek(int(k)) == terminator.at(k);
    if (found) {
      Consume(int(terminator.size()));
      return true;
    }
    out += FBuffer[FCur];
    Consume(1);
  }
}

// ---- tokens

void TAqnParser::ReadName()
{
  TakeWhile(IsNameByte, &FTokenText);
}

void TAqnParser::ReadQuotedValue()
{
  if (Peek(0) != '"') {
    Report(QStringLiteral("Quote \" expected !"), false);
    MarkError(3);
    return;
  }
  Consume(1);
  TakeWhile([](char c) { return c != '"'; }, &FTokenText);
  if (!HasByte()) {
    Report(QStringLiteral("Quote \" expected !"), false);
    MarkError(3);
    return;
  }
  Consume(1);
}

void TAqnParser::ReadText()
{
  TakeWhile([](char c) { return c != '<'; }, &FTokenText);
  Trim(FTokenText);
}

void TAqnParser::ReadComment()
{
  // Only the opening "!--" is skipped, so that the empty comment "<!---->" ends too.
  if (Peek(0) == '!')
    Consume(1);
  for (int i = 0; i < 2 && Peek(0) == '-'; ++i)
    Consume(1);
  TakeUntil("-->", FTokenText);
  Trim(FTokenText);
}

void TAqnParser::NextToken()
{
  TakeWhile(IsBlankOrControl, nullptr);
  FTokenKind = atkNone;
  FTokenText.resize(0); // keeps the capacity
  FTokenIsLiteral = false;
  if (!HasByte()) {
    FTokenKind = atkEndOfData;
    return;
  }
  const char c = FBuffer[FCur];
  switch (FState) {
  case assInStartTag:
    if (c == '/') {
      FTokenKind = atkEndTag; // FTokenTag stays the start tag's
      FState = assCloseExpected;
      Consume(1);
    } else if (c == '>') {
      Consume(1);
      FState = assContent;
      FTokenTag = aqtUnknown;
    } else if (c == '<') {
      Consume(1);
      if (Peek(0) == '!' && Peek(1) == '-' && Peek(2) == '-') {
        FTokenKind = atkComment;
        ReadComment();
      }
    } else if (IsLetter(c)) {
      FTokenKind = atkAttributeName;
      ReadName();
      FState = assEqualsExpected;
    } else {
      Consume(1);
    }
    break;
  case assValueExpected:
    FTokenKind = atkAttributeValue;
    ReadQuotedValue();
    FState = assInStartTag;
    break;
  case assEqualsExpected:
    if (c == '=') {
      Consume(1);
      FState = assValueExpected;
    } else {
      Report(QStringLiteral("= expected !"), false);
      MarkError(3);
      FState = assInStartTag;
    }
    break;
  case assCloseExpected:
    if (c == '>') {
      Consume(1);
    } else {
      Report(QStringLiteral("> expected !"), false);
      MarkError(3);
    }
    FState = assContent;
    FTokenTag = aqtUnknown;
    break;
  case assContent:
    if (c != '<') {
      FTokenKind = atkText;
      ReadText();
      break;
    }
    Consume(1);
    switch (Peek(0)) {
    case '!':
      Consume(1);
      if (Peek(0) == '-') {
        FTokenKind = atkComment;
        ReadComment();
      } else if (IsCDataStart()) {
        // Other programs may write a value as a CDATA section; read as text, it keeps
        // the rest of the file from being taken for one declaration.
        Consume(7);
        FTokenKind = atkText;
        FTokenIsLiteral = true;
        TakeUntil("]]>", FTokenText);
      } else {
        FTokenKind = atkDeclaration;
        TakeUntil("!>", FTokenText);
        Trim(FTokenText);
      }
      break;
    case '/':
      Consume(1);
      FTokenKind = atkEndTag;
      FState = assCloseExpected;
      ReadName();
      FTokenTag = TagByName(QByteArrayView(FTokenText));
      break;
    case '?':
      Consume(1);
      FTokenKind = atkProcessingInstruction;
      TakeUntil("?>", FTokenText);
      break;
    default:
      FTokenKind = atkStartTag;
      FState = assInStartTag;
      ReadName();
      FTokenTag = TagByName(QByteArrayView(FTokenText));
      break;
    }
    break;
  }
}

void TAqnParser::SkipElement()
{
  // Counts nested elements of the same name. A "/>" closes a level only when it ends
  // a start tag of that name, so that an empty child such as <NAME/> does not end the
  // skipping early.
  const QByteArray skipped = FTokenText;
  const auto isSkipped = [&skipped](const QByteArray &name) {
    return name.compare(skipped, Qt::CaseInsensitive) == 0;
  };
  bool lastStartIsSkipped = true;
  int depth = 1;
  while (depth > 0) {
    NextToken();
    if (FTokenKind == atkEndOfData)
      return;
    if (FTokenKind == atkStartTag) {
      ++FTagCount;
      lastStartIsSkipped = isSkipped(FTokenText);
      if (lastStartIsSkipped)
        ++depth;
    } else if (FTokenKind == atkEndTag) {
      if (FTokenText.isEmpty() ? lastStartIsSkipped : isSkipped(FTokenText))
        --depth;
    }
  }
}

bool TAqnParser::IsCDataStart()
{
  static const char marker[] = "[CDATA[";
  for (int i = 0; i < 7; ++i)
    if (Peek(i) != marker[i])
      return false;
  return true;
}

QString TAqnParser::DecodedToken() const
{
  const QString text = DecodeText(QByteArrayView(FTokenText), FCharset);
  return FTokenIsLiteral ? text : DecodeXmlEntities(text);
}

// ---- tree building

namespace {

bool IsContainerFile(const QString &fileName)
{
  static const QStringList extensions = {QStringLiteral("dnf"), QStringLiteral("aqz"),
                                         QStringLiteral("zip"), QStringLiteral("aqb"),
                                         QStringLiteral("gvt")};
  return extensions.contains(QFileInfo(fileName).suffix().toLower());
}

} // namespace

std::unique_ptr<TAqnObject> TAqnParser::Parse(const QString &fileName, const TAqnProgress &progress)
{
  FScrambled = false;
  if (IsContainerFile(fileName))
    return ParseContainer(fileName, progress);
  return ParseFile(fileName, progress);
}

std::unique_ptr<TAqnObject> TAqnParser::ParseFile(const QString &fileName,
                                                  const TAqnProgress &progress)
{
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    Report(QStringLiteral("Can not open file !"), false, false);
    return nullptr;
  }
  return Parse(file, progress);
}

namespace {

// The largest meet a container may unpack to. A club that receives larger meets raises
// it in the settings ([Special] MaxEntryMB); values below 1 are ignored.
qint64 MaxEntrySize()
{
  const int megabytes = SettingsFile().ReadInteger(QStringLiteral("Special"),
                                                   QStringLiteral("MaxEntryMB"), 1024);
  return megabytes >= 1 ? qint64(megabytes) << 20 : TGvkFileList::DefaultMaxEntrySize;
}

} // namespace

std::unique_ptr<TAqnObject> TAqnParser::ParseContainer(const QString &fileName,
                                                       const TAqnProgress &progress)
{
  // The container's private folder holds the unscrambled copy and the extracted entry;
  // it is removed with `container`, whatever happens.
  try {
    TGvkCryptedZipFileReader container(fileName);
    FScrambled = container.IsScrambled();
    TGvkFileList list;
    list.SetMaxEntrySize(MaxEntrySize());
    if (list.ListArchive(container.FileName(), container.WorkDir() + QStringLiteral("*.aqe")) !=
        zrOk) {
      Report(list.LastError(), false, false);
      return nullptr;
    }
    if (list.Count() != 1) {
      Report(QStringLiteral(".AQZ File should contain one .AQE - file !"), false, false);
      return nullptr;
    }
    if (list.Extract(container.FileName()) != zrOk) {
      Report(list.LastError(), false, false);
      return nullptr;
    }
    return ParseFile(container.WorkDir() + list.Name(0), progress);
  } catch (const EGvkError &error) {
    // A container that cannot even be opened (or unscrambled) is one more load error.
    Report(error.Message(), false, false);
    return nullptr;
  }
}

std::unique_ptr<TAqnObject> TAqnParser::Parse(QIODevice &device, const TAqnProgress &progress)
{
  FStream = &device;
  FProgress = progress;
  FDataEnd = FCur = FCut = 0;
  FEndOfData = false;
  FLineCount = FTagCount = 1;
  FState = assContent;
  FTokenKind = atkNone;
  FTokenTag = aqtUnknown;
  FCharset = TAqnCharset::Undeclared;
  TAqnStack stack;
  FStack = &stack;

  ReadPrologEncoding();
  std::unique_ptr<TAqnObject> root;
  if (FTokenKind != atkStartTag || FTokenTag != aqtAQUON) {
    Report(QStringLiteral("No AQUON - File !"), false, false);
  } else {
    root = std::make_unique<TAqnObject>(aqtAQUON);
    root->Line = ReportedLine();
    stack.Push(root.get());
    ReadContent();
    CheckVersion(*root);
  }
  FStack = nullptr;
  FStream = nullptr;
  return root;
}

void TAqnParser::ReadPrologEncoding()
{
  // A UTF-8 byte order mark, as editors write it, is no text before the root.
  if (Peek(0) == '\xEF' && Peek(1) == '\xBB' && Peek(2) == '\xBF') {
    Consume(3);
    FCharset = TAqnCharset::Utf8;
  }
  do {
    NextToken();
    if (FTokenKind != atkProcessingInstruction)
      continue;
    const QByteArray name = DeclaredEncoding(FTokenText);
    if (name.isEmpty())
      continue;
    if (const auto charset = CharsetByName(QByteArrayView(name)))
      FCharset = *charset;
    else
      Report(QStringLiteral("Unknown character set: %1 !").arg(QString::fromLatin1(name)), true);
  } while (FTokenKind == atkNone || FTokenKind == atkComment ||
           FTokenKind == atkProcessingInstruction);
}

void TAqnParser::ReadContent()
{
  bool pending = false; // the current token still waits to be handled
  for (;;) {
    if (!pending)
      NextToken();
    pending = false;
    if (FTokenKind == atkEndOfData) {
      // Elements still open: the file was cut short (an interrupted download or copy).
      // Loading it silently would let a later save drop the missing part.
      if (!FStack->IsEmpty())
        Report(QStringLiteral("Unexpected end of file, the file is incomplete !"), false);
      return;
    }
    if (FStack->IsEmpty()) {
      // The root has been closed: comments and instructions may follow, nothing else.
      if (FTokenKind == atkText || FTokenKind == atkStartTag || FTokenKind == atkEndTag ||
          FTokenKind == atkAttributeName || FTokenKind == atkAttributeValue) {
        Report(QStringLiteral("Data after the end of the AQUON element !"), true);
        return;
      }
      continue;
    }
    switch (FTokenKind) {
    case atkText:
      OnText();
      break;
    case atkStartTag:
      OnStartTag();
      break;
    case atkEndTag:
      OnEndTag();
      break;
    case atkAttributeName:
      pending = OnAttributeName();
      break;
    case atkAttributeValue:
      Report(QStringLiteral("Unexpected value \"%1\" !").arg(DecodedToken()), false);
      MarkError(3);
      break;
    default:
      break;
    }
  }
}

void TAqnParser::OnText()
{
  if (TAqnDataElement *data = FStack->Top()->AsData()) {
    data->Value = DecodedToken(); // a later text in the same element replaces an earlier
    return;
  }
  Report(QStringLiteral("Unexpected Data !"), true);
  MarkError(2);
}

void TAqnParser::OnStartTag()
{
  ++FTagCount;
  TAqnAbstractElement *top = FStack->Top();
  // Every element here was made by this reader, so its tag tells its class.
  if (IsCollectionTag(top->Tag) && CollectionElementTag(top->Tag) != FTokenTag) {
    Report(QStringLiteral("Unallowed tag in collection: %1 !").arg(TokenName()), false);
    MarkError(2);
  }
  if (FTokenTag == aqtUnknown) {
    Report(QStringLiteral("Unknown Tag: %1 !").arg(TokenName()), true);
    MarkError(2);
    SkipElement();
    return;
  }
  if (FStack->Count() >= AqnMaxDepth) {
    Report(QStringLiteral("Elements nested too deeply !"), false);
    MarkError(2);
    SkipElement();
    return;
  }
  std::unique_ptr<TAqnAbstractElement> element;
  if (IsObjectTag(FTokenTag))
    element = std::make_unique<TAqnObject>(FTokenTag);
  else if (IsCollectionTag(FTokenTag))
    element = std::make_unique<TAqnCollection>(FTokenTag);
  else
    element = std::make_unique<TAqnDataElement>(FTokenTag);
  element->Line = ReportedLine();
  if (top->AsData()) {
    top->ErrorLevel = 2;
    Report(QStringLiteral("No child elements allowed !"), true);
    MarkError(3);
    FStack->PushOwned(std::move(element));
    return;
  }
  FStack->Push(top->AsObject()->Add(std::move(element)));
}

void TAqnParser::OnEndTag()
{
  if (FStack->Top()->Tag == FTokenTag) {
    FStack->Pop(); // destroys an element that was read inside a data element
    return;
  }
  Report(QStringLiteral("Unexpected tag: /%1 !").arg(TokenName()), false);
  MarkError(2);
}

bool TAqnParser::OnAttributeName()
{
  const QByteArray name = FTokenText;
  do
    NextToken();
  while (FTokenKind == atkNone);
  if (FTokenKind != atkAttributeValue) {
    Report(QStringLiteral("Value expected !"), false);
    MarkError(3);
    // Whatever came instead is handled as usual rather than lost.
    return FTokenKind != atkEndOfData;
  }
  TAqnAbstractElement *top = FStack->Top();
  const QString value = DecodedToken();
  const TAqnAttribute attribute = AttributeByName(QByteArrayView(name.toLower()));
  if (attribute == aqaUnknown)
    top->SetUnknownAttribute(QString::fromLatin1(name), value);
  else
    top->SetAttribute(attribute, value);
  if (attribute == aqaID) {
    if (auto *object = dynamic_cast<TAqnObject *>(top)) {
      bool ok = false;
      const int id = value.toInt(&ok);
      object->Id = ok ? id : 0;
    }
  }
  return false;
}

void TAqnParser::CheckVersion(const TAqnObject &root)
{
  if (root.GetText(aqtVERSION) < QLatin1String(AqnOldestVersion))
    Report(QStringLiteral("Expired AQUON - Version !"), true, false);
}
