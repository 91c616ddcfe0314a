#pragma once
// The vocabulary of Aquon files: every element tag and attribute, the kind of element
// each tag produces, the stored time prefixes and the code values the system tests.
// The rest of the system addresses elements and attributes by these members only; the
// name texts are for the reader and the writer.
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

enum TAqnTag : std::uint8_t
{
  aqtAQUON = 0,
  aqtCONTACT,
  aqtCONSTRUCTOR,
  aqtMEETINFO,
  aqtPOINTTABLE,
  aqtCAT,
  aqtCLUB,
  aqtCOMPETITION,
  aqtENTRY,
  aqtEVENT,
  aqtJUDGE,
  aqtPERIOD,
  aqtPERSON,
  aqtPOSITION,
  aqtRECORD,
  aqtRECORDLIST,
  aqtRELAY,
  aqtRESULT,
  aqtTEAM,
  aqtSPLIT,
  aqtGROUP,
  aqtCATS,
  aqtCLUBS,
  aqtCOMPETITIONS,
  aqtENTRIES,
  aqtEVENTS,
  aqtJUDGES,
  aqtPERIODS,
  aqtPERSONS,
  aqtPOSITIONS,
  aqtRECORDS,
  aqtRECORDLISTS,
  aqtRELAYS,
  aqtRESULTS,
  aqtTEAMS,
  aqtSPLITS,
  aqtGROUPS,
  aqtBIRTHDATE,
  aqtCID,
  aqtCODE,
  aqtCOMMENT,
  aqtDATE,
  aqtDEADLINE,
  aqtDIS,
  aqtDISCNT,
  aqtEID,
  aqtEMAIL,
  aqtFAX,
  aqtFEE,
  aqtFNAME,
  aqtHEAT,
  aqtINTERNET,
  aqtLANE,
  aqtLANEMAX,
  aqtLANEMIN,
  aqtLCT,
  aqtLICENSE,
  aqtLSC,
  aqtMAX,
  aqtMAXAGE,
  aqtMIN,
  aqtMINAGE,
  aqtMOBILE,
  aqtNAME,
  aqtNATION,
  aqtNUM,
  aqtORGANIZER,
  aqtPEID,
  aqtPHONE,
  aqtPID,
  aqtPLACE,
  aqtPL,
  aqtPM,
  aqtPOINTS,
  aqtPOOLNAME,
  aqtPROMOTER,
  aqtRANK,
  aqtREGISTRATION,
  aqtRT,
  aqtDBID,
  aqtSCT,
  aqtSEX,
  aqtSID,
  aqtSTR,
  aqtSTATE,
  aqtSTREET,
  aqtSTREET2,
  aqtTI,
  aqtTIME,
  aqtTYPE,
  aqtUPDATED,
  aqtVERSION,
  aqtYOB,
  aqtZIP,
  aqtGENDER,
  aqtPHONE2,
  aqtMEDICAL_EXPIRY,
  aqtSIN,
  aqtSHORTNAME,
  aqtLONGCODE,
  aqtMAXIENTRIES,
  aqtMAXRENTRIES,
  aqtMAXIRENTRIES,
  aqtETMFROM,
  aqtETMCORRECTTO,
  aqtSTDSFROM,
  aqtSTDSTO,
  aqtSTDSREACHED,
  aqtCALCAGETYPE,
  aqtUnknown // every name that is not in the table; its name text is "???"
};

inline constexpr int AqnTagCount = aqtUnknown + 1;

enum TAqnAttribute : std::uint8_t
{
  aqaCURRENCY = 0,
  aqaDIS,
  aqaID,
  aqaNATION,
  aqaTYPE,
  aqaUnknown
};

inline constexpr int AqnAttributeCount = aqaUnknown + 1;

// A constant set of tags (one bit per ordinal).
class TAqnTagSet
{
public:
  constexpr TAqnTagSet(TAqnTag first, TAqnTag last)
  {
    for (int t = first; t <= last; ++t)
      FBits[t / 64] |= std::uint64_t(1) << (t % 64);
  }
  constexpr bool Contains(TAqnTag tag) const { return (FBits[tag / 64] >> (tag % 64)) & 1; }

private:
  std::array<std::uint64_t, 2> FBits{};
};

// Tags whose elements hold children and an integer id.
inline constexpr TAqnTagSet AqnObjectTags{aqtAQUON, aqtTEAM};
// Tags whose elements are typed lists; every other tag is a data tag.
inline constexpr TAqnTagSet AqnCollectionTags{aqtCATS, aqtGROUPS};

inline constexpr bool IsObjectTag(TAqnTag tag)
{
  return AqnObjectTags.Contains(tag);
}
inline constexpr bool IsCollectionTag(TAqnTag tag)
{
  return AqnCollectionTags.Contains(tag);
}
// The tag of the members of a collection (CATS holds CAT, ..., GROUPS holds GROUP).
inline constexpr TAqnTag CollectionElementTag(TAqnTag collection)
{
  return TAqnTag(collection - 16);
}

// Exact, case-sensitive match of a tag name; aqtUnknown when there is none.
TAqnTag TagByName(QByteArrayView name);
TAqnTag TagByName(const QString &name);
// Match of an attribute name that the caller has already lowered; aqaUnknown otherwise.
TAqnAttribute AttributeByName(QByteArrayView loweredName);
TAqnAttribute AttributeByName(const QString &loweredName);
QString TagName(TAqnTag tag);
const char *TagNameLatin1(TAqnTag tag);
QString AttributeName(TAqnAttribute attr);

// The value kinds the format names; the system stores every value as text and
// interprets it through the typed accessors of the elements.
inline constexpr std::array<const char *, 11> AqnValueTypeNames = {
    "object", "string",      "version",   "number",
    "float",  "enumeration", "aquontime", "aquonreactiontime",
    "date",   "time",        "???"};

// The first letter of a stored time tells its kind.
enum TAqnTimePrefix : std::uint8_t
{
  aqpEntry = 0, // "E": entry times (TIME)
  aqpI,         // "I"
  aqpLimit,     // "L": qualifying limits (LCT, SCT)
  aqpV,         // "V"
  aqpAny        // "A": only for reading, accepts any first letter
};
inline constexpr char AqnTimePrefixLetters[] = "EILVA";
inline QChar TimePrefixLetter(TAqnTimePrefix prefix)
{
  return QChar::fromLatin1(AqnTimePrefixLetters[prefix]);
}

// Document versions: written, and the oldest read without a warning. Versions compare
// as plain text.
inline constexpr char AqnWrittenVersion[] = "01.03.0007";
inline constexpr char AqnOldestVersion[] = "01.02.0004";

// Code values the system tests or writes.
namespace AqnCodes {
inline constexpr char SexMale[] = "M";
inline constexpr char SexFemale[] = "F";
inline constexpr char SexMixed[] = "X"; // also any value not starting with F or M
inline constexpr std::array<const char *, 6> Strokes = {"FR", "BU", "BA", "BR", "IM", "XX"};
inline constexpr char NoStandardStroke[] = "XX"; // the event's NAME is shown instead
inline constexpr std::array<const char *, 6> EventTypes = {"TIM", "PRE", "SEM",
                                                           "FIN", "SOS", "SOF"};
// An event whose TYPE is a part of this text takes entries (timed final or preliminary).
inline constexpr char EntryEventTypes[] = "TIM@PRE";
inline constexpr char DefaultEventType[] = "TIM";
inline constexpr std::array<const char *, 3> Timings = {"A", "M3", "M1"};
inline constexpr char DefaultTiming[] = "A";
inline constexpr char DefaultPoolMeasure[] = "m";
inline constexpr int DefaultPoolLength = 50;
inline constexpr int DefaultSwimmerCount = 1;     // DISCNT when absent or 0
inline constexpr char AlternativeAgeRule[] = "2"; // CALCAGETYPE
inline constexpr int NoYearBound = -1;            // MIN and MAX of an age group
} // namespace AqnCodes
