#include "format/aqnVocabulary.h"

#include <gtest/gtest.h>

namespace {

struct TagNameCase
{
  const char *Name;
  TAqnTag Tag;
};

TEST(Vocabulary, TagsMatchExactlyAndCaseSensitively)
{
  const TagNameCase cases[] = {
      {"AQUON", aqtAQUON},
      {"TEAM", aqtTEAM},
      {"SPLIT", aqtSPLIT},
      {"CATS", aqtCATS},
      {"GROUPS", aqtGROUPS},
      {"DBID", aqtDBID},
      {"MEDICAL-EXPIRY", aqtMEDICAL_EXPIRY},
      {"CALCAGETYPE", aqtCALCAGETYPE},
      {"club", aqtUnknown},
      {"Club", aqtUnknown},
      {"MEDICAL_EXPIRY", aqtUnknown},
      {"???", aqtUnknown},
      {"", aqtUnknown},
      {"CLUBX", aqtUnknown},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(TagByName(QByteArrayView(c.Name)), c.Tag) << c.Name;
    EXPECT_EQ(TagByName(QString::fromLatin1(c.Name)), c.Tag) << c.Name;
  }
}

TEST(Vocabulary, EveryTagNameLooksUpToItsOwnTag)
{
  EXPECT_EQ(AqnTagCount, 110);
  for (int t = 0; t < aqtUnknown; ++t)
    EXPECT_EQ(TagByName(TagName(TAqnTag(t))), TAqnTag(t)) << t;
  EXPECT_EQ(TagName(aqtUnknown), QStringLiteral("???"));
  EXPECT_EQ(TagName(aqtMEDICAL_EXPIRY), QStringLiteral("MEDICAL-EXPIRY"));
  EXPECT_EQ(TagName(aqtVERSION), QStringLiteral("VERSION"));
}

TEST(Vocabulary, AttributesAreLookedUpLowered)
{
  EXPECT_EQ(AttributeByName(QStringLiteral("id")), aqaID);
  EXPECT_EQ(AttributeByName(QStringLiteral("currency")), aqaCURRENCY);
  EXPECT_EQ(AttributeByName(QStringLiteral("ID")), aqaUnknown); // the caller lowers
  EXPECT_EQ(AttributeByName(QStringLiteral("Id").toLower()), aqaID);
  EXPECT_EQ(AttributeByName(QStringLiteral("???")), aqaUnknown);
  EXPECT_EQ(AttributeName(aqaNATION), QStringLiteral("nation"));
  EXPECT_EQ(AttributeName(aqaUnknown), QStringLiteral("???"));
}

TEST(Vocabulary, KindSetsAndCollectionMembers)
{
  for (int t = 0; t < AqnTagCount; ++t) {
    const auto tag = TAqnTag(t);
    EXPECT_EQ(IsObjectTag(tag), t <= 18) << t;
    EXPECT_EQ(IsCollectionTag(tag), t >= 21 && t <= 36) << t;
  }
  EXPECT_EQ(CollectionElementTag(aqtCATS), aqtCAT);
  EXPECT_EQ(CollectionElementTag(aqtPERSONS), aqtPERSON);
  EXPECT_EQ(CollectionElementTag(aqtTEAMS), aqtTEAM);
  EXPECT_EQ(CollectionElementTag(aqtSPLITS), aqtSPLIT);
  EXPECT_EQ(CollectionElementTag(aqtGROUPS), aqtGROUP);
  EXPECT_FALSE(IsObjectTag(CollectionElementTag(aqtSPLITS)));
}

TEST(Vocabulary, TimePrefixLetters)
{
  EXPECT_EQ(TimePrefixLetter(aqpEntry), QLatin1Char('E'));
  EXPECT_EQ(TimePrefixLetter(aqpI), QLatin1Char('I'));
  EXPECT_EQ(TimePrefixLetter(aqpLimit), QLatin1Char('L'));
  EXPECT_EQ(TimePrefixLetter(aqpV), QLatin1Char('V'));
  EXPECT_EQ(TimePrefixLetter(aqpAny), QLatin1Char('A'));
}

} // namespace
