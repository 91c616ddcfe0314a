#pragma once
// The reader of Aquon files: a small scanner over 4096-byte chunks that builds the
// element tree and reports every problem, with its line, to the owning document instead
// of stopping at the first one.
#include "format/aqnCodePages.h"
#include "format/aqnElements.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class TAquon;

// Called once per chunk read, with the line reached.
using TAqnProgress = std::function<void(int line)>;

inline constexpr int AqnChunkSize = 4096;
// Deeper elements are refused, so that no hostile file can build an unbounded tree.
inline constexpr int AqnMaxDepth = 256;

enum TAqnTokenKind : std::uint8_t
{
  atkNone, // something was consumed that is not a token
  atkEndOfData,
  atkText,
  atkStartTag,
  atkEndTag, // name empty for the "/>" form
  atkAttributeName,
  atkAttributeValue,
  atkComment,
  atkProcessingInstruction,
  atkDeclaration // "<!" other than a comment
};

enum TAqnScanState : std::uint8_t
{
  assContent,
  assInStartTag,
  assValueExpected,
  assEqualsExpected,
  assCloseExpected
};

// The open elements, innermost last. They belong to the tree, except an element read
// inside a data element: that one joins no tree and is owned by its entry here until
// its end tag (or the end of reading) destroys it.
class TAqnStack
{
public:
  TAqnStack() = default;
  ~TAqnStack();
  TAqnStack(const TAqnStack &) = delete;
  TAqnStack &operator=(const TAqnStack &) = delete;

  void Push(TAqnAbstractElement *element);
  void PushOwned(std::unique_ptr<TAqnAbstractElement> element);
  void Pop();
  TAqnAbstractElement *Top() const;
  int Count() const { return int(FEntries.size()); }
  bool IsEmpty() const { return FEntries.empty(); }

private:
  struct TEntry
  {
    TAqnAbstractElement *Element;
    std::unique_ptr<TAqnAbstractElement> Owned;
  };
  std::vector<TEntry> FEntries;
};

class TAqnParser
{
public:
  explicit TAqnParser(TAquon &owner);
  ~TAqnParser();
  TAqnParser(const TAqnParser &) = delete;
  TAqnParser &operator=(const TAqnParser &) = delete;

  // The root, or null when the file cannot be opened or is not an Aquon file. Files
  // named .dnf, .aqz, .zip, .aqb or .gvt are containers holding one .aqe entry. Problems
  // go to the owner's message lists; file content never raises.
  std::unique_ptr<TAqnObject> Parse(const QString &fileName, const TAqnProgress &progress = {});
  std::unique_ptr<TAqnObject> Parse(QIODevice &device, const TAqnProgress &progress = {});
  // Whether the input was a scrambled container.
  bool Scrambled() const { return FScrambled; }

private:
  std::unique_ptr<TAqnObject> ParseFile(const QString &fileName, const TAqnProgress &progress);
  // Zipped and scrambled containers: the one .aqe entry, unpacked into a private folder.
  std::unique_ptr<TAqnObject> ParseContainer(const QString &fileName, const TAqnProgress &progress);
  // The larger of the line and start tag counts: files without line breaks are still
  // located by their tags. Counted wide, so that no file can overflow them.
  int ReportedLine() const
  {
    return int(std::min<std::int64_t>(std::max(FLineCount, FTagCount), INT32_MAX));
  }
  void Report(const QString &message, bool isWarning, bool withLine = true);
  void MarkError(std::uint8_t level);

  // Byte supply.
  bool Refill();
  bool HasByte() { return FCur < FCut || Refill(); }
  char Peek(int offset);
  void Consume(int count);
  template <class Predicate> void TakeWhile(Predicate predicate, QByteArray *out);
  bool TakeUntil(QByteArrayView terminator, QByteArray &out);

  // Token readers.
  void ReadName();
  void ReadQuotedValue();
  void ReadText();
  void ReadComment();
  void NextToken();
  void SkipElement();
  bool IsCDataStart();
  QString DecodedToken() const;
  QString TokenName() const { return QString::fromLatin1(FTokenText); }

  // Tree building.
  void ReadPrologEncoding();
  void ReadContent();
  void OnText();
  void OnStartTag();
  void OnEndTag();
  bool OnAttributeName();
  void CheckVersion(const TAqnObject &root);

  TAquon &FOwner;
  QIODevice *FStream = nullptr;
  TAqnProgress FProgress;
  TAqnStack *FStack = nullptr; // exists only while Parse runs
  std::array<char, AqnChunkSize> FBuffer{};
  int FDataEnd = 0; // end of the valid bytes
  int FCur = 0;     // scanning position
  int FCut = 0;     // end of the current chunk: before the last "<" of a full buffer
  bool FEndOfData = false;
  std::int64_t FLineCount = 1;
  std::int64_t FTagCount = 1;
  TAqnTag FTokenTag = aqtUnknown;
  TAqnTokenKind FTokenKind = atkNone;
  TAqnScanState FState = assContent;
  QByteArray FTokenText;
  bool FTokenIsLiteral = false; // the text of a CDATA section: no entities to decode
  TAqnCharset FCharset = TAqnCharset::Undeclared;
  bool FScrambled = false;
};
