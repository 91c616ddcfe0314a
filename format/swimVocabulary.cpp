#include "format/swimVocabulary.h"

#include "format/aqnElements.h"
#include "foundation/gvkLanguage.h"
#include "foundation/gvkStrings.h"

#include <algorithm>

namespace {

// A text list and the number of its language text in section "S".
struct TVocabularyList
{
  int TextNumber;
  const char *Initial;
  QString Items;
};

struct TVocabulary
{
  TVocabularyList RelayCounts{1, "Einzel;4 x;5 x;8 x;10 x;2 x;3 x;6 x", {}};
  TVocabularyList Strokes{2, "Freistil;Delphin;Rücken;Brust;Vierlagen;Beinschlag;frei", {}};
  TVocabularyList RelayStrokes{28, "Freistil;Delphin;Rücken;Brust;Vierlagen;Beinschlag;frei", {}};
  TVocabularyList Genders{3, "Herren;Damen;mixed", {}};
  TVocabularyList OpenCategory{7, "allg.;allg. Kategorie", {}};
  TVocabularyList ExactAge{9, "%s Jahre;AK.  %s", {}};
  TVocabularyList AgeAndYounger{10, "%d Jahre und jünger;AK. %d und jünger", {}};
  TVocabularyList AgeAndOlder{11, "%d Jahre und älter;AK. %d und älter", {}};
  TVocabularyList RelayTeam{29, "%d. Mannschaft", {}};

  std::array<TVocabularyList *, 9> All()
  {
    return {&RelayCounts, &Strokes,       &RelayStrokes, &Genders,  &OpenCategory,
            &ExactAge,    &AgeAndYounger, &AgeAndOlder,  &RelayTeam};
  }

  TVocabulary() { Reset(); }
  void Reset()
  {
    for (TVocabularyList *list : All())
      list->Items = QString::fromUtf8(list->Initial);
  }
};

TVocabulary &Vocabulary()
{
  static TVocabulary vocabulary;
  return vocabulary;
}

const QString DistanceTexts =
    QStringLiteral("25;50;100;200;300;400;800;1000;1500;2000;3000;4000;5000;500;1650;33;66;133");

// Stroke code lists by stroke index; the last holds no code.
const std::array<QString, 7> StrokeCodes = {QStringLiteral("@CR@NL@FR@LI@FF@KR@"),
                                            QStringLiteral("@DE@DP@FL@SM@SS@BU@PA@"),
                                            QStringLiteral("@RÜ@DO@BA@RR@EP@CO@BK@"),
                                            QStringLiteral("@BR@BB@RA@"),
                                            QStringLiteral("@LA@VL@IM@MD@ME@4N@ES@ET@LL@"),
                                            QStringLiteral("@BS@KI@PE@"),
                                            QStringLiteral("$$$")};

const QString MaleLetters = QStringLiteral("HM");
const QString FemaleLetters = QStringLiteral("DFW");

const QString UnknownPart = QStringLiteral("?");

QString Item(const QString &list, int k)
{
  return GetFields(list, k, 1);
}

template <std::size_t N> int LastIndexOf(const std::array<int, N> &table, int value)
{
  for (int i = int(N) - 1; i >= 0; --i)
    if (table[std::size_t(i)] == value)
      return i;
  return -1;
}

// Fills the first "%s" or "%d" of a text from the language file; a text without one is
// returned as it stands, so a damaged text never reads arguments that are not there.
QString FillArgument(const QString &format, const QString &value)
{
  static const QString placeholders[] = {QStringLiteral("%s"), QStringLiteral("%d")};
  qsizetype at = -1;
  for (const QString &placeholder : placeholders) {
    const qsizetype found = format.indexOf(placeholder);
    if (found >= 0 && (at < 0 || found < at))
      at = found;
  }
  if (at < 0)
    return format;
  QString text = format;
  return text.replace(at, 2, value);
}

bool IsOpenEnd(int toAge)
{
  return toAge == 99 || toAge == 999;
}

} // namespace

int RelayIndex(int swimmers)
{
  return LastIndexOf(RelaySizes, swimmers);
}

QString RelayPrefix(int relayIndex)
{
  if (relayIndex < 1)
    return {};
  return Item(Vocabulary().RelayCounts.Items, relayIndex + 1) + QLatin1Char(' ');
}

int DistanceIndex(int distance)
{
  return LastIndexOf(Distances, distance);
}

QString DistanceText(int distanceIndex)
{
  return (Item(DistanceTexts, distanceIndex + 1) + QLatin1Char(DefaultUnitLetter)).trimmed();
}

int StrokeIndex(const QString &code)
{
  if (code.isEmpty())
    return -1;
  const QString key = QLatin1Char('@') + code.toUpper() + QLatin1Char('@');
  for (int i = int(StrokeCodes.size()) - 1; i >= 0; --i)
    if (StrokeCodes[std::size_t(i)].contains(key))
      return i;
  return -1;
}

QString StrokeText(int strokeIndex, bool isRelay)
{
  const TVocabulary &vocabulary = Vocabulary();
  return Item(isRelay ? vocabulary.RelayStrokes.Items : vocabulary.Strokes.Items, strokeIndex + 1);
}

QString EventText(int relayIndex, int distanceIndex, int strokeIndex)
{
  const QString distance = distanceIndex < 0 ? UnknownPart : DistanceText(distanceIndex);
  const QString stroke = strokeIndex < 0 ? UnknownPart : StrokeText(strokeIndex, relayIndex > 0);
  return RelayPrefix(relayIndex) + distance + QLatin1Char(' ') + stroke;
}

int GenderIndex(const QString &text)
{
  if (text.isEmpty())
    return 2;
  const QString upper = text.toUpper();
  if (MaleLetters.contains(upper))
    return 0;
  if (FemaleLetters.contains(upper))
    return 1;
  return 2;
}

QString GenderText(int genderIndex)
{
  return Item(Vocabulary().Genders.Items, genderIndex + 1);
}

bool SexAllowed(int eventGender, int personGender)
{
  return eventGender > 1 || eventGender == personGender;
}

QString AgeText(int fromAge, int toAge)
{
  const TVocabulary &vocabulary = Vocabulary();
  const int form = fromAge >= 100 || toAge > 118 ? 2 : 1;
  if (fromAge == 0 && IsOpenEnd(toAge))
    return Item(vocabulary.OpenCategory.Items, 2);
  if (fromAge == 0 && toAge == 0)
    return QStringLiteral("-");
  if (fromAge == toAge)
    return FillArgument(Item(vocabulary.ExactAge.Items, form), QString::number(fromAge));
  if (fromAge != 0 && IsOpenEnd(toAge))
    return FillArgument(Item(vocabulary.AgeAndOlder.Items, form), QString::number(fromAge));
  if (fromAge != 0)
    return FillArgument(Item(vocabulary.ExactAge.Items, form),
                        QString::number(fromAge) + QStringLiteral(" - ") + QString::number(toAge));
  return FillArgument(Item(vocabulary.AgeAndYounger.Items, form), QString::number(toAge));
}

QString RelayTeamText(int number)
{
  return FillArgument(Vocabulary().RelayTeam.Items, QString::number(number));
}

QString StageText(const QString &type)
{
  static const std::array<std::pair<const char *, int>, 5> stages = {
      {{"PRE", 1}, {"FIN", 2}, {"SEM", 3}, {"SOS", 4}, {"SOF", 4}}};
  for (const auto &[code, item] : stages)
    if (type.compare(QLatin1String(code), Qt::CaseInsensitive) == 0)
      return GetLanguage().GetText('S', 40, item);
  return {};
}

QString StageText(const TAqnAbstractObject &event)
{
  return StageText(event.GetText(aqtTYPE));
}

int YearOf(const QDate &date)
{
  return date.isValid() ? date.year() : 0;
}

void LoadVocabularyTexts()
{
  LoadVocabularyTexts(GetLanguage());
}

void LoadVocabularyTexts(const TLanguage &language)
{
  for (TVocabularyList *list : Vocabulary().All())
    list->Items = language.GetText('S', list->TextNumber);
}

void ResetVocabularyTexts()
{
  Vocabulary().Reset();
}
