#include "format/aqnElements.h"

#include "foundation/gvkErrors.h"

#include <algorithm>

namespace {

// Indentation grows one blank per level up to this depth and then stays, so that a
// tree nested far deeper than any file writes in linear time.
constexpr int MaxIndentLevels = 64;

QString Escape(const QString &text, bool attribute)
{
  const auto special = [attribute](QChar c) {
    return c == QLatin1Char('&') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
           (attribute && c == QLatin1Char('"'));
  };
  if (std::none_of(text.begin(), text.end(), special))
    return text;
  QString result;
  result.reserve(text.size() + 16);
  for (QChar c : text) {
    if (c == QLatin1Char('&'))
      result += QLatin1String("&amp;");
    else if (c == QLatin1Char('<'))
      result += QLatin1String("&lt;");
    else if (c == QLatin1Char('>'))
      result += QLatin1String("&gt;");
    else if (attribute && c == QLatin1Char('"'))
      result += QLatin1String("&quot;");
    else
      result += c;
  }
  return result;
}

// Parses a fixed-width run of decimal digits; -1 when it is not one.
int DigitsAt(const QString &text, int start, int count)
{
  if (text.size() < start + count)
    return -1;
  int value = 0;
  for (int i = start; i < start + count; ++i) {
    const QChar c = text.at(i);
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
      return -1;
    value = value * 10 + (c.unicode() - '0');
  }
  return value;
}

} // namespace

QString EscapeXmlText(const QString &text)
{
  return Escape(text, false);
}

QString EscapeXmlAttribute(const QString &text)
{
  return Escape(text, true);
}

namespace {

// The character an entity name (the text between "&" and ";") stands for; 0 if none.
char32_t EntityCharacter(QStringView name)
{
  static const std::pair<const char *, char32_t> predefined[] = {
      {"lt", U'<'}, {"gt", U'>'}, {"amp", U'&'}, {"quot", U'"'}, {"apos", U'\''}};
  for (const auto &[entity, character] : predefined)
    if (name == QLatin1String(entity))
      return character;
  if (name.size() < 2 || name.at(0) != QLatin1Char('#'))
    return 0;
  const bool hex = name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X');
  const QStringView digits = name.mid(hex ? 2 : 1);
  if (digits.isEmpty() || digits.at(0) == QLatin1Char('+') || digits.at(0) == QLatin1Char('-'))
    return 0;
  bool ok = false;
  const uint code = digits.toUInt(&ok, hex ? 16 : 10);
  if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return 0;
  return char32_t(code);
}

} // namespace

QString DecodeXmlEntities(const QString &text)
{
  if (!text.contains(QLatin1Char('&')))
    return text;
  constexpr qsizetype longestEntity = 10; // "#x10FFFF" and a few leading zeros
  QString result;
  result.reserve(text.size());
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size;) {
    if (text.at(i) != QLatin1Char('&')) {
      result += text.at(i++);
      continue;
    }
    qsizetype semicolon = i + 1;
    while (semicolon < size && semicolon - i <= longestEntity + 1 &&
           text.at(semicolon) != QLatin1Char(';') && text.at(semicolon) != QLatin1Char('&'))
      ++semicolon;
    const char32_t character =
        semicolon < size && text.at(semicolon) == QLatin1Char(';')
            ? EntityCharacter(QStringView(text).mid(i + 1, semicolon - i - 1))
            : 0;
    if (character == 0) {
      result += text.at(i++);
      continue;
    }
    result += QString::fromUcs4(&character, 1);
    i = semicolon + 1;
  }
  return result;
}

// ---- TAqnAbstractElement

int TAqnAbstractElement::FindAttribute(TAqnAttribute attr, const QString &name) const
{
  for (std::size_t i = 0; i < FAttributes.size(); ++i) {
    const TAttribute &a = FAttributes[i];
    if (a.Id == attr && (attr != aqaUnknown || name.isNull() || a.Name == name))
      return int(i);
  }
  return -1;
}

void TAqnAbstractElement::PutAttribute(TAqnAttribute attr, const QString &name,
                                       const QString &value)
{
  const int i = FindAttribute(attr, name);
  if (i >= 0)
    FAttributes[i].Value = value;
  else
    FAttributes.push_back({attr, attr == aqaUnknown ? name : QString(), value});
}

QString TAqnAbstractElement::GetAttribute(TAqnAttribute attr) const
{
  const int i = FindAttribute(attr, QString());
  return i < 0 ? QString() : FAttributes[i].Value;
}

void TAqnAbstractElement::SetAttribute(TAqnAttribute attr, const QString &value)
{
  PutAttribute(attr, QString(), value);
}

void TAqnAbstractElement::RemoveAttribute(TAqnAttribute attr)
{
  const int i = FindAttribute(attr, QString());
  if (i >= 0)
    FAttributes.erase(FAttributes.begin() + i);
}

QString TAqnAbstractElement::GetUnknownAttribute(const QString &name) const
{
  const int i = FindAttribute(aqaUnknown, name.isNull() ? QString(QLatin1String("")) : name);
  return i < 0 ? QString() : FAttributes[i].Value;
}

void TAqnAbstractElement::SetUnknownAttribute(const QString &name, const QString &value)
{
  PutAttribute(aqaUnknown, name.isNull() ? QString(QLatin1String("")) : name, value);
}

QString TAqnAbstractElement::AttributeNameAt(int i) const
{
  const TAttribute &a = FAttributes.at(i);
  return a.Name.isEmpty() ? AttributeName(a.Id) : a.Name;
}

QString TAqnAbstractElement::AttributesText() const
{
  QString text;
  for (int i = 0; i < AttributeCount(); ++i)
    text +=
        QStringLiteral("%1=\"%2\" ").arg(AttributeNameAt(i), EscapeXmlAttribute(AttributeValue(i)));
  return text.trimmed();
}

void TAqnAbstractElement::AppendOpenTag(QString &out) const
{
  out += QLatin1Char('<');
  out += TagName();
  for (int i = 0; i < AttributeCount(); ++i) {
    out += QLatin1Char(' ');
    out += AttributeNameAt(i);
    out += QLatin1String("=\"");
    out += EscapeXmlAttribute(AttributeValue(i));
    out += QLatin1Char('"');
  }
  out += QLatin1Char('>');
}

void TAqnAbstractElement::AppendCloseTag(QString &out) const
{
  out += QLatin1String("</");
  out += TagName();
  out += QLatin1Char('>');
}

QString TAqnAbstractElement::OpenTagText() const
{
  QString text;
  AppendOpenTag(text);
  return text;
}

QString TAqnAbstractElement::CloseTagText() const
{
  QString text;
  AppendCloseTag(text);
  return text;
}

void TAqnAbstractElement::WriteXml(QStringList &lines, const QString &indent)
{
  WriteXml([&lines](const QString &line) { lines.append(line); }, indent);
}

void TAqnAbstractElement::WriteXml(const TAqnLineSink &sink, const QString &indent)
{
  std::vector<QString> indents;
  for (int level = 0; level <= MaxIndentLevels; ++level)
    indents.push_back(indent + QString(level, QLatin1Char(' ')));
  const auto indentAt = [&indents](std::size_t level) -> const QString & {
    return indents[std::min<std::size_t>(level, MaxIndentLevels)];
  };
  QString line;
  const auto writeData = [&](TAqnDataElement *data, std::size_t level) {
    data->PrepareWrite();
    line = indentAt(level);
    data->AppendOpenTag(line);
    line += EscapeXmlText(data->Value);
    data->AppendCloseTag(line);
    sink(line);
  };
  const auto writeTag = [&](TAqnAbstractObject *object, std::size_t level, bool open) {
    line = indentAt(level);
    if (open)
      object->AppendOpenTag(line);
    else
      object->AppendCloseTag(line);
    sink(line);
  };
  if (TAqnDataElement *data = AsData()) {
    writeData(data, 0);
    return;
  }
  TAqnAbstractObject *top = AsObject();
  if (!top)
    return;
  // Open objects with the index of their next child to write.
  std::vector<std::pair<TAqnAbstractObject *, int>> open;
  top->PrepareWrite();
  writeTag(top, 0, true);
  open.emplace_back(top, 0);
  while (!open.empty()) {
    auto &[object, next] = open.back();
    if (next == object->Count()) {
      writeTag(object, open.size() - 1, false);
      open.pop_back();
      continue;
    }
    TAqnAbstractElement *child = object->Items(next++);
    if (TAqnAbstractObject *childObject = child->AsObject()) {
      childObject->PrepareWrite();
      writeTag(childObject, open.size(), true);
      open.emplace_back(childObject, 0);
    } else if (TAqnDataElement *data = child->AsData()) {
      writeData(data, open.size());
    }
  }
}

// ---- TAqnDataElement

int TAqnDataElement::AsInteger() const
{
  bool ok = false;
  const int value = Value.toInt(&ok);
  return ok ? value : 0;
}

void TAqnDataElement::SetAsInteger(int value)
{
  Value = QString::number(value);
}

QDate TAqnDataElement::AsDate() const
{
  const int year = DigitsAt(Value, 0, 4);
  const int month = DigitsAt(Value, 4, 2);
  const int day = DigitsAt(Value, 6, 2);
  if (year < 0 || month < 0 || day < 0)
    return {};
  const QDate date(year, month, day);
  return date.isValid() ? date : QDate();
}

void TAqnDataElement::SetAsDate(const QDate &date)
{
  Value = date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")) : QString();
}

TChron TAqnDataElement::GetTime(TAqnTimePrefix prefix) const
{
  if (Value.isEmpty())
    return 0;
  if (prefix != aqpAny && Value.at(0) != TimePrefixLetter(prefix))
    return 0;
  try {
    return TextToChron(Value.mid(4, 8));
  } catch (const EGvkOverflow &) {
    return 0; // a stored value out of range reads as no time, like any malformed one
  }
}

void TAqnDataElement::SetTime(TAqnTimePrefix prefix, TChron time)
{
  Value = TimePrefixLetter(prefix) + AquonTimeText(time);
}

QString AquonTimeText(TChron time)
{
  if (time < 0)
    time = 0;
  const int minutes = std::min(time / 600000, 59);
  const int seconds = (time % 600000) / 10000;
  const int tenths = (time % 10000) / 1000;
  const int hundredths = ((time % 1000) / 10) % 10;
  return QStringLiteral("00h%1:%2.%3%4")
      .arg(minutes, 2, 10, QLatin1Char('0'))
      .arg(seconds, 2, 10, QLatin1Char('0'))
      .arg(tenths)
      .arg(hundredths);
}

// ---- TAqnAbstractObject

TAqnAbstractObject::~TAqnAbstractObject()
{
  Clear();
}

void TAqnAbstractObject::AddElement(std::unique_ptr<TAqnAbstractElement> child)
{
  child->FParent = this;
  FChildren.push_back(std::move(child));
}

void TAqnAbstractObject::Delete(int i)
{
  std::unique_ptr<TAqnAbstractElement> child = std::move(FChildren.at(i));
  FChildren.erase(FChildren.begin() + i);
}

void TAqnAbstractObject::Remove(TAqnAbstractElement *child)
{
  Take(child); // the detached child is destroyed here
}

std::unique_ptr<TAqnAbstractElement> TAqnAbstractObject::Take(TAqnAbstractElement *child)
{
  const auto it = std::find_if(FChildren.begin(), FChildren.end(),
                               [child](const auto &c) { return c.get() == child; });
  if (it == FChildren.end())
    return nullptr;
  std::unique_ptr<TAqnAbstractElement> taken = std::move(*it);
  FChildren.erase(it);
  taken->FParent = nullptr;
  return taken;
}

void TAqnAbstractObject::Clear()
{
  // Destroys the subtree without recursion: each object's children are moved to the
  // work list before the object itself is destroyed, so no destructor goes deeper.
  TChildren pending = std::move(FChildren);
  FChildren.clear();
  while (!pending.empty()) {
    std::unique_ptr<TAqnAbstractElement> element = std::move(pending.back());
    pending.pop_back();
    if (TAqnAbstractObject *object = element->AsObject()) {
      for (auto &child : object->FChildren)
        pending.push_back(std::move(child));
      object->FChildren.clear();
    }
  }
}

TAqnAbstractElement *TAqnAbstractObject::FindChild(TAqnTag tag) const
{
  for (const auto &child : FChildren)
    if (child->Tag == tag)
      return child.get();
  return nullptr;
}

TAqnDataElement *TAqnAbstractObject::Child(TAqnTag tag, bool create)
{
  if (TAqnAbstractElement *found = FindChild(tag)) {
    TAqnDataElement *data = found->AsData();
    GVK_ASSERT(data, "Not a data element!", "aquon");
    return data;
  }
  if (!create)
    return nullptr;
  return Add(std::make_unique<TAqnDataElement>(tag));
}

QString TAqnAbstractObject::GetText(TAqnTag tag) const
{
  TAqnAbstractElement *found = FindChild(tag);
  TAqnDataElement *data = found ? found->AsData() : nullptr;
  return data ? data->Value : QString();
}

void TAqnAbstractObject::SetText(TAqnTag tag, const QString &text)
{
  Child(tag, true)->Value = text;
}

int TAqnAbstractObject::GetInt(TAqnTag tag) const
{
  TAqnAbstractElement *found = FindChild(tag);
  TAqnDataElement *data = found ? found->AsData() : nullptr;
  return data ? data->AsInteger() : 0;
}

void TAqnAbstractObject::SetInt(TAqnTag tag, int value)
{
  Child(tag, true)->SetAsInteger(value);
}

void TAqnAbstractObject::DeleteChild(TAqnTag tag)
{
  if (TAqnAbstractElement *found = FindChild(tag))
    Remove(found);
}

void TAqnAbstractObject::Sort(const TCompare &compare)
{
  // A stable merge sort stays inside the list even when a comparison is inconsistent.
  std::stable_sort(FChildren.begin(), FChildren.end(), [&compare](const auto &a, const auto &b) {
    return compare(a.get(), b.get()) < 0;
  });
}

void TAqnAbstractObject::RemoveEmpty()
{
  std::vector<TAqnAbstractObject *> pending{this};
  while (!pending.empty()) {
    TAqnAbstractObject *object = pending.back();
    pending.pop_back();
    std::erase_if(object->FChildren, [](const auto &child) {
      TAqnDataElement *data = child->AsData();
      return data && data->IsEmpty();
    });
    for (const auto &child : object->FChildren)
      if (TAqnAbstractObject *childObject = child->AsObject())
        pending.push_back(childObject);
  }
}

void TAqnAbstractObject::ForEachDescendant(
    const std::function<bool(TAqnAbstractElement *)> &visit) const
{
  std::vector<std::pair<const TAqnAbstractObject *, int>> open{{this, 0}};
  while (!open.empty()) {
    auto &[object, next] = open.back();
    if (next == object->Count()) {
      open.pop_back();
      continue;
    }
    TAqnAbstractElement *child = object->Items(next++);
    if (!visit(child))
      return;
    if (TAqnAbstractObject *childObject = child->AsObject())
      open.emplace_back(childObject, 0);
  }
}

// ---- TAqnObject and TAqnCollection

void TAqnObject::PrepareWrite()
{
  // The id attribute always follows Id, whatever was read.
  if (Id != 0)
    SetAttribute(aqaID, QString::number(Id));
  else
    RemoveAttribute(aqaID);
}

TAqnCollection::TAqnCollection(TAqnTag tag, TAqnAbstractObject *parent)
    : TAqnAbstractObject(tag, parent), ElementTag(CollectionElementTag(tag))
{
  GVK_ASSERT(IsCollectionTag(tag), "Invalid Aquon collection type!", "aquon");
}

TAqnObject *TAqnCollection::AddNew()
{
  GVK_ASSERT(IsObjectTag(ElementTag), "Not allowed for this collection!", "aquon");
  return Add(std::make_unique<TAqnObject>(ElementTag, 0, this));
}
