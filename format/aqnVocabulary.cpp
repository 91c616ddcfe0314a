#include "format/aqnVocabulary.h"

#include <string_view>
#include <unordered_map>

namespace {

constexpr std::array<const char *, AqnTagCount> TagNames = {
    "AQUON",
    "CONTACT",
    "CONSTRUCTOR",
    "MEETINFO",
    "POINTTABLE",
    "CAT",
    "CLUB",
    "COMPETITION",
    "ENTRY",
    "EVENT",
    "JUDGE",
    "PERIOD",
    "PERSON",
    "POSITION",
    "RECORD",
    "RECORDLIST",
    "RELAY",
    "RESULT",
    "TEAM",
    "SPLIT",
    "GROUP",
    "CATS",
    "CLUBS",
    "COMPETITIONS",
    "ENTRIES",
    "EVENTS",
    "JUDGES",
    "PERIODS",
    "PERSONS",
    "POSITIONS",
    "RECORDS",
    "RECORDLISTS",
    "RELAYS",
    "RESULTS",
    "TEAMS",
    "SPLITS",
    "GROUPS",
    "BIRTHDATE",
    "CID",
    "CODE",
    "COMMENT",
    "DATE",
    "DEADLINE",
    "DIS",
    "DISCNT",
    "EID",
    "EMAIL",
    "FAX",
    "FEE",
    "FNAME",
    "HEAT",
    "INTERNET",
    "LANE",
    "LANEMAX",
    "LANEMIN",
    "LCT",
    "LICENSE",
    "LSC",
    "MAX",
    "MAXAGE",
    "MIN",
    "MINAGE",
    "MOBILE",
    "NAME",
    "NATION",
    "NUM",
    "ORGANIZER",
    "PEID",
    "PHONE",
    "PID",
    "PLACE",
    "PL",
    "PM",
    "POINTS",
    "POOLNAME",
    "PROMOTER",
    "RANK",
    "REGISTRATION",
    "RT",
    "DBID",
    "SCT",
    "SEX",
    "SID",
    "STR",
    "STATE",
    "STREET",
    "STREET2",
    "TI",
    "TIME",
    "TYPE",
    "UPDATED",
    "VERSION",
    "YOB",
    "ZIP",
    "GENDER",
    "PHONE2",
    "MEDICAL-EXPIRY",
    "SIN",
    "SHORTNAME",
    "LONGCODE",
    "MAXIENTRIES",
    "MAXRENTRIES",
    "MAXIRENTRIES",
    "ETMFROM",
    "ETMCORRECTTO",
    "STDSFROM",
    "STDSTO",
    "STDSREACHED",
    "CALCAGETYPE",
    "???",
};

constexpr std::array<const char *, AqnAttributeCount> AttributeNames = {"currency", "dis",  "id",
                                                                        "nation",   "type", "???"};

// The reader looks up one name per start tag: hashed once, searched without copying.
const std::unordered_map<std::string_view, TAqnTag> &TagsByName()
{
  static const std::unordered_map<std::string_view, TAqnTag> index = [] {
    std::unordered_map<std::string_view, TAqnTag> result;
    for (int t = 0; t < aqtUnknown; ++t)
      result.emplace(TagNames[t], TAqnTag(t));
    return result;
  }();
  return index;
}

} // namespace

TAqnTag TagByName(QByteArrayView name)
{
  const auto &index = TagsByName();
  const auto it = index.find(std::string_view(name.data(), size_t(name.size())));
  return it == index.end() ? aqtUnknown : it->second;
}

TAqnTag TagByName(const QString &name)
{
  return TagByName(QByteArrayView(name.toLatin1()));
}

TAqnAttribute AttributeByName(QByteArrayView loweredName)
{
  for (int a = 0; a < aqaUnknown; ++a)
    if (loweredName == QByteArrayView(AttributeNames[a]))
      return TAqnAttribute(a);
  return aqaUnknown;
}

TAqnAttribute AttributeByName(const QString &loweredName)
{
  return AttributeByName(QByteArrayView(loweredName.toLatin1()));
}

const char *TagNameLatin1(TAqnTag tag)
{
  return tag < AqnTagCount ? TagNames[tag] : TagNames[aqtUnknown];
}

QString TagName(TAqnTag tag)
{
  // Shared copies: the writer asks for two names per element.
  static const std::array<QString, AqnTagCount> names = [] {
    std::array<QString, AqnTagCount> result;
    for (int t = 0; t < AqnTagCount; ++t)
      result[t] = QString::fromLatin1(TagNames[t]);
    return result;
  }();
  return names[tag < AqnTagCount ? tag : aqtUnknown];
}

QString AttributeName(TAqnAttribute attr)
{
  return QString::fromLatin1(attr < AqnAttributeCount ? AttributeNames[attr]
                                                      : AttributeNames[aqaUnknown]);
}
