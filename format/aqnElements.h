#pragma once
// The in-memory tree of an Aquon document. Data elements hold one text value, objects
// own their children and carry an id, collections are lists of one member tag.
//
// Trees can be arbitrarily deep when built in code, so every walk over a tree here
// (destruction, writing, removing empty values, searches) uses an explicit stack
// instead of recursion.
#include "format/aqnVocabulary.h"
#include "foundation/gvkStrings.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TAqnAbstractObject;
class TAqnDataElement;

// Receives the lines of an element's XML text one by one.
using TAqnLineSink = std::function<void(const QString &line)>;

class TAqnAbstractElement
{
public:
  explicit TAqnAbstractElement(TAqnTag tag, TAqnAbstractObject *parent = nullptr)
      : Tag(tag), FParent(parent)
  {
  }
  virtual ~TAqnAbstractElement() = default;
  TAqnAbstractElement(const TAqnAbstractElement &) = delete;
  TAqnAbstractElement &operator=(const TAqnAbstractElement &) = delete;

  const TAqnTag Tag;
  std::int32_t Line = 0; // position in the source file; 0 for elements made in memory
  // 0 none; 2 an error in the content or below; 3 an error in the own markup or a
  // duplicate id.
  std::uint8_t ErrorLevel = 0;

  // The object whose child list holds this element; null for the root and elements not
  // yet added.
  TAqnAbstractObject *Parent() const { return FParent; }

  QString TagName() const { return ::TagName(Tag); }

  QString GetAttribute(TAqnAttribute attr) const;
  void SetAttribute(TAqnAttribute attr, const QString &value);
  void RemoveAttribute(TAqnAttribute attr);
  // Attributes outside the list are kept under the name read (so a rewrite loses
  // nothing); they count as aqaUnknown in the accessors above.
  QString GetUnknownAttribute(const QString &name) const;
  void SetUnknownAttribute(const QString &name, const QString &value);

  int AttributeCount() const { return int(FAttributes.size()); }
  TAqnAttribute AttributeId(int i) const { return FAttributes.at(i).Id; }
  QString AttributeNameAt(int i) const;
  const QString &AttributeValue(int i) const { return FAttributes.at(i).Value; }

  QString AttributesText() const;
  QString OpenTagText() const;
  QString CloseTagText() const;

  // Appends this element's XML text, one element per line, each line starting with
  // indent; text and attribute values are escaped.
  void WriteXml(QStringList &lines, const QString &indent = {});
  void WriteXml(const TAqnLineSink &sink, const QString &indent = {});

  virtual TAqnAbstractObject *AsObject() { return nullptr; }
  virtual TAqnDataElement *AsData() { return nullptr; }

protected:
  // Called just before the element's tags are written.
  virtual void PrepareWrite() {}

private:
  friend class TAqnAbstractObject;
  void AppendOpenTag(QString &out) const;
  void AppendCloseTag(QString &out) const;
  int FindAttribute(TAqnAttribute attr, const QString &name) const;
  void PutAttribute(TAqnAttribute attr, const QString &name, const QString &value);

  struct TAttribute
  {
    TAqnAttribute Id;
    QString Name; // the name read, for aqaUnknown entries only
    QString Value;
  };

  TAqnAbstractObject *FParent;
  // In order of first setting, never holding an attribute twice.
  std::vector<TAttribute> FAttributes;
};

class TAqnDataElement : public TAqnAbstractElement
{
public:
  explicit TAqnDataElement(TAqnTag tag, const QString &value = {},
                           TAqnAbstractObject *parent = nullptr)
      : TAqnAbstractElement(tag, parent), Value(value)
  {
  }

  QString Value;

  // 0 when the text is empty or not a number.
  int AsInteger() const;
  void SetAsInteger(int value);
  // "yyyymmdd"; an invalid QDate means no date (empty or malformed text).
  QDate AsDate() const;
  void SetAsDate(const QDate &date);
  // 0 when empty, when the first letter is not the prefix's letter (unless prefix is
  // aqpAny), or when the time text is not a time.
  TChron GetTime(TAqnTimePrefix prefix) const;
  void SetTime(TAqnTimePrefix prefix, TChron time);
  bool IsEmpty() const { return Value.isEmpty() || Value == QLatin1String("0"); }

  TAqnDataElement *AsData() override { return this; }
};

// The stored time without its prefix letter: "00h", minutes (at most 59), ":", seconds,
// ".", tenths and hundredths.
QString AquonTimeText(TChron time);

// Replaces "&", "<", ">" (and, in attribute values, the double quote) by entities.
QString EscapeXmlText(const QString &text);
QString EscapeXmlAttribute(const QString &text);
// The counterpart: the five predefined entities and decimal and hexadecimal character
// references become their characters; anything else stays as written.
QString DecodeXmlEntities(const QString &text);

class TAqnAbstractObject : public TAqnAbstractElement
{
public:
  using TChildren = std::vector<std::unique_ptr<TAqnAbstractElement>>;
  // Negative, zero or positive, as a is before, equal to or after b.
  using TCompare = std::function<int(const TAqnAbstractElement *a, const TAqnAbstractElement *b)>;

  using TAqnAbstractElement::TAqnAbstractElement;
  ~TAqnAbstractObject() override;

  int Count() const { return int(FChildren.size()); }
  TAqnAbstractElement *Items(int i) const { return FChildren.at(i).get(); }
  const TChildren &Children() const { return FChildren; }

  // Takes ownership: the object owns its children through FChildren.
  template <class T> T *Add(std::unique_ptr<T> child)
  {
    T *result = child.get();
    AddElement(std::move(child));
    return result;
  }
  void Delete(int i);
  void Remove(TAqnAbstractElement *child);
  // Detaches a child without destroying it; null when it is not a child of this object.
  std::unique_ptr<TAqnAbstractElement> Take(TAqnAbstractElement *child);
  void Clear();

  bool HasChild(TAqnTag tag) const { return FindChild(tag) != nullptr; }
  TAqnAbstractElement *FindChild(TAqnTag tag) const;
  // The first child with tag, which must be a data element (EGvkAssertion otherwise);
  // when there is none and create is true, a new empty data element is appended.
  TAqnDataElement *Child(TAqnTag tag, bool create);
  QString GetText(TAqnTag tag) const;
  void SetText(TAqnTag tag, const QString &text);
  int GetInt(TAqnTag tag) const;
  void SetInt(TAqnTag tag, int value);
  void DeleteChild(TAqnTag tag);

  // Reorders the direct children; context travels in the comparison's captures.
  void Sort(const TCompare &compare);
  // Removes every data element whose value is empty or "0" from the whole subtree;
  // objects and collections stay, even when empty.
  void RemoveEmpty();
  // Visits every element below this one in document order; the visitor returns false
  // to stop the walk.
  void ForEachDescendant(const std::function<bool(TAqnAbstractElement *)> &visit) const;

  TAqnAbstractObject *AsObject() override { return this; }

private:
  void AddElement(std::unique_ptr<TAqnAbstractElement> child);
  TChildren FChildren;
};

enum TAqnObjectFlag : std::uint8_t
{
  ofEntries = 1,
  ofResults = 2,
  ofPersonEntries = 4,
  ofRelayEntries = 8,
  ofPersonResults = 16,
  ofRelayResults = 32
};

class TAqnObject : public TAqnAbstractObject
{
public:
  explicit TAqnObject(TAqnTag tag, std::int32_t id = 0, TAqnAbstractObject *parent = nullptr)
      : TAqnAbstractObject(tag, parent), Id(id)
  {
  }

  std::int32_t Id;        // 0 means none; written as the id attribute
  std::uint8_t Flags = 0; // TAqnObjectFlag bits, computed by the document index

protected:
  void PrepareWrite() override;
};

class TAqnCollection : public TAqnAbstractObject
{
public:
  // Throws EGvkAssertion unless tag is a collection tag.
  explicit TAqnCollection(TAqnTag tag, TAqnAbstractObject *parent = nullptr);

  const TAqnTag ElementTag;

  // Appends a new member object; throws EGvkAssertion for collections of data elements.
  TAqnObject *AddNew();
};
