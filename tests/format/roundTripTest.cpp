#include "format/aquon.h"
#include "tests/format/readerTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TAqnObject> SampleMeet()
{
  auto root = std::make_unique<TAqnObject>(aqtAQUON);
  root->SetText(aqtVERSION, QString::fromLatin1(AqnWrittenVersion));
  auto *competitions = root->Add(std::make_unique<TAqnCollection>(aqtCOMPETITIONS));
  TAqnObject *competition = competitions->AddNew();
  competition->Id = 3;
  competition->SetText(aqtNAME, QStringLiteral("Smith & Sons <Cup> \"2025\" 'x' a>b"));
  competition->SetInt(aqtFEE, 500);
  TAqnDataElement *fee = competition->Child(aqtFEE, false);
  fee->SetAttribute(aqaCURRENCY, QStringLiteral("EUR"));
  fee->SetUnknownAttribute(QStringLiteral("Note"), QStringLiteral("a&b\"c<d>e'f"));
  competition->SetText(aqtCOMMENT, QStringLiteral("two\nlines &amp; an entity as text"));
  auto *clubs = competition->Add(std::make_unique<TAqnCollection>(aqtCLUBS));
  TAqnObject *club = clubs->AddNew();
  club->Id = 9;
  club->SetAttribute(aqaNATION, QStringLiteral(u"PÓL"));
  club->SetText(aqtNAME, QStringLiteral(u"Łódź Γιώργος Москва € Müller \U0001F3CA"));
  club->Add(std::make_unique<TAqnCollection>(aqtPERSONS));
  club->Add(std::make_unique<TAqnObject>(aqtCONTACT));
  auto *splits = root->Add(std::make_unique<TAqnCollection>(aqtSPLITS));
  splits->Add(std::make_unique<TAqnDataElement>(aqtSPLIT, QStringLiteral("E00h00:31.20")));
  splits->Add(std::make_unique<TAqnDataElement>(aqtSPLIT, QStringLiteral("E00h01:05.37")));
  root->Add(std::make_unique<TAqnDataElement>(aqtNAME));
  return root;
}

// Every element with its depth, kind, id, value and attributes, in document order.
QStringList Describe(const TAqnObject &root)
{
  QStringList result;
  root.ForEachDescendant([&result](TAqnAbstractElement *element) {
    int depth = 0;
    for (const TAqnAbstractObject *up = element->Parent(); up; up = up->Parent())
      ++depth;
    QString text = QStringLiteral("%1 %2").arg(depth).arg(element->TagName());
    if (const auto *object = dynamic_cast<const TAqnObject *>(element))
      text += QStringLiteral(" object %1").arg(object->Id);
    else if (dynamic_cast<const TAqnCollection *>(element))
      text += QStringLiteral(" collection");
    else
      text += QStringLiteral(" [%1]").arg(element->AsData()->Value);
    for (int i = 0; i < element->AttributeCount(); ++i)
      text += QStringLiteral(" %1=%2").arg(element->AttributeNameAt(i), element->AttributeValue(i));
    result.append(text);
    return true;
  });
  return result;
}

// Latin-1 with a character reference for everything beyond it, as files are written.
QByteArray Latin1WithReferences(const QString &text)
{
  QByteArray bytes;
  for (char32_t c : text.toUcs4())
    bytes += c <= 0xFF ? QByteArray(1, char(c)) : "&#" + QByteArray::number(uint(c)) + ";";
  return bytes;
}

TEST(RoundTrip, WrittenTreeReadsBackWithEveryElementValueAndAttribute)
{
  const std::unique_ptr<TAqnObject> meet = SampleMeet();
  QStringList lines;
  meet->WriteXml(lines);
  const QString text = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
  const QByteArray inputs[] = {
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + text.toUtf8(),
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n" + Latin1WithReferences(text),
  };
  for (const QByteArray &input : inputs) {
    const auto document = LoadBytes(input);
    ASSERT_TRUE(document->Root());
    EXPECT_TRUE(document->Errors().isEmpty()) << document->Errors().join('\n').toStdString();
    EXPECT_TRUE(document->Warnings().isEmpty()) << document->Warnings().join('\n').toStdString();
    EXPECT_EQ(Describe(*document->Root()), Describe(*meet));
    QStringList again;
    document->Root()->WriteXml(again);
    EXPECT_EQ(again, lines);
  }
}

} // namespace
