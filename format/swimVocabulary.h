#pragma once
// The words for the codes of an Aquon file: relay counts, distances, strokes, genders,
// age groups, relay teams and race stages. The text lists hold ";"-separated items,
// addressed from 1; they start with the German texts and are replaced from section "S"
// of the language manager by LoadVocabularyTexts.
#include <QDate>
#include <QString>

#include <array>

class TAqnAbstractObject;

// Relay sizes by relay index (index 0 is an individual event).
inline constexpr std::array<int, 8> RelaySizes = {1, 4, 5, 8, 10, 2, 3, 6};
// Distances by distance index.
inline constexpr std::array<int, 18> Distances = {
    25, 50, 100, 200, 300, 400, 800, 1000, 1500, 2000, 3000, 4000, 5000, 500, 1650, 33, 66, 133};
inline constexpr char DefaultUnitLetter = 'm';

// Index of a relay size, searched from the last entry down; -1 when absent.
int RelayIndex(int swimmers);
// "4 x " for relay index 1; empty for an individual event (index below 1).
QString RelayPrefix(int relayIndex);
// Index of a distance, searched from the last entry down; -1 when absent.
int DistanceIndex(int distance);
// "100m" for distance index 2.
QString DistanceText(int distanceIndex);
// 0 freestyle, 1 butterfly, 2 backstroke, 3 breaststroke, 4 medley, 5 kick; -1 for an
// empty or unknown code. The code is compared in upper case, national letters included.
int StrokeIndex(const QString &code);
QString StrokeText(int strokeIndex, bool isRelay);
// "4 x 100m Freistil"; an unknown distance or stroke (index -1) shows as "?".
QString EventText(int relayIndex, int distanceIndex, int strokeIndex);

// 0 male, 1 female, 2 mixed (also for an empty or unknown text).
int GenderIndex(const QString &text);
QString GenderText(int genderIndex);
// A person may start in an event of mixed gender or of the person's own.
bool SexAllowed(int eventGender, int personGender);

// Age group wording: "12 - 13 Jahre", "10 Jahre und jünger", "allg. Kategorie", ...
QString AgeText(int fromAge, int toAge);
// "2. Mannschaft" for number 2.
QString RelayTeamText(int number);
// The race stage of an event TYPE code (PRE, FIN, SEM, SOS, SOF, any case), in the
// current language; empty for any other code.
QString StageText(const QString &type);
// The race stage of an EVENT element, from its TYPE.
QString StageText(const TAqnAbstractObject &event);

// The calendar year of a date; 0 for an invalid date.
int YearOf(const QDate &date);

class TLanguage;

// Replace every text list by its text of section "S" of the language manager, also by an
// empty text.
void LoadVocabularyTexts();
void LoadVocabularyTexts(const TLanguage &language);
// Restore the built-in German texts.
void ResetVocabularyTexts();
