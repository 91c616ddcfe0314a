#pragma once
// TGvkEdit, the single-line edit through which every typed value goes (texts, swim times,
// clock times, dates, integers, decimals): an input mask of its own built from the type,
// overwrite typing, range limits, state colours, a delayed change event, validation on
// leaving, settings persistence and an optional lookup list with a popup. TGvkMemo is the
// multi-line edit with state colours, a caret position display and settings persistence.
#include "foundation/gvkStrings.h"
#include "foundation/widgets/gvkColors.h"
#include "foundation/widgets/gvkForm.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

class QToolButton;
class TGvkEdit;
class TGvkLookupListbox;

enum TEditType
{
  etString,
  etChron,
  etTime,
  etDate,
  etInteger,
  etFloat
};

enum TEditOption
{
  eoAllowZMinuten = 0x01,
  eoSaveMaskChars = 0x02,
  eoZeroAsBlanks = 0x04,
  eoHasUpDown = 0x08,
  eoTrimStrings = 0x10,
  eoHasChronPool = 0x20
};
using TEditOptions = int; // a set of TEditOption

enum TEditCharCase
{
  ecNormal,
  ecUpperCase,
  ecLowerCase
};

// Course letter of a swim time: none, short course, long course, yards.
enum TChronPool
{
  cpNone = 0,
  cpShort = 1,
  cpLong = 2,
  cpYards = 3
};

// --- Masks: "#" a digit (or "."), "$" a letter A-Z/a-z, "@" any character, anything else
// a literal. Empty input positions show "_".

bool IsMaskInput(QChar maskChar);
// Whether a typed character may stand at a mask position.
bool FitsMask(QChar typed, QChar maskChar);
// The text with exactly the mask's length: each input position keeps a character it
// accepts (else "_"), literals come from the mask. An empty mask leaves the text alone.
QString ApplyMask(const QString &text, const QString &mask);
// The characters of text placed one after another into the input positions of the mask.
QString FillMask(const QString &text, const QString &mask);

// The short date format lower-cased with every field widened ("d.M.yy" with "." gives
// "dd.mm.yyyy"); every character that is no field letter becomes the separator.
QString NormalisedDateFormat(const QString &shortFormat, QChar separator);
// The normalised format of the user's short date format at start.
QString UserDateFormat();
// Every field letter of the normalised format replaced by "#".
QString DateMask(const QString &normalisedFormat);
// A date typed in the normalised format's field order, blanks ignored; invalid if none.
QDate ReadDate(const QString &text, const QString &normalisedFormat);
QString WriteDate(const QDate &date, const QString &normalisedFormat);
QString ChronMask(TEditOptions options);

// Date-time values as the edit reads and writes them: a clock time lies on the zero day;
// zero (empty) is an invalid date-time or midnight of the zero day.
QDate ZeroDay();
bool IsZeroDateTime(const QDateTime &value);

// The key list of an edit and its popup. Items are "key=display" lines. The button (inside
// the edit at its right edge) exists while there are items; the display label (right of the
// edit, in the edit's parent) while ShowDispLabel is set.
class TLookup : public QObject
{
  Q_OBJECT

public:
  explicit TLookup(TGvkEdit &edit);
  ~TLookup() override;

  bool MultiSel() const { return FMultiSel; }
  void SetMultiSel(bool value) { FMultiSel = value; }
  bool ShowDispLabel() const { return FShowDispLabel; }
  void SetShowDispLabel(bool value);
  const QStringList &Items() const { return FItems; }
  void SetItems(const QStringList &items);
  // Sets the display text of key (adds a new key; an empty display removes the key).
  void Add(const QString &key, const QString &display);
  void Clear();

  // The display text of the key equal to text (ignoring case); none if not a key.
  std::optional<QString> DisplayOf(const QString &key) const;
  // Refreshes the display label from the edit's text; true when the text is a key.
  bool Refresh();
  // Button or F2: the popup, after BeforeLookup.
  void Open();
  // Places button and label beside the edit and sets their visible and enabled states.
  void Place();

  QToolButton *Button() const { return FButton.get(); }
  QLabel *DisplayLabel() const { return FLabel.data(); }
  TGvkLookupListbox *Popup() const { return FPopup.get(); }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void Rebuild();
  void PopupClosed(const QString &result);

  TGvkEdit &FEdit;
  bool FMultiSel = false;
  bool FShowDispLabel = true;
  QStringList FItems;
  std::unique_ptr<QToolButton> FButton;      // a child of the edit
  QPointer<QLabel> FLabel;                   // owned by the edit's parent; freed with the lookup
  std::unique_ptr<TGvkLookupListbox> FPopup; // the last popup, freed when the next opens
};

class TGvkEdit : public QLineEdit, public IIniPersistent
{
  Q_OBJECT

public:
  using TNotifyEvent = std::function<void(TGvkEdit &edit)>;
  using TValidateEvent = std::function<void(TGvkEdit &edit, bool refFound, bool &canExit)>;
  using TBLookupEvent = std::function<void(TGvkEdit &edit, bool keyFound, bool &showSelection)>;
  using TALookupEvent = std::function<void(TGvkEdit &edit, bool keySelect)>;

  static constexpr TEditOptions DefaultOptions = eoAllowZMinuten | eoSaveMaskChars | eoZeroAsBlanks;
  static constexpr int DefaultDelayInterval = 750;

  explicit TGvkEdit(QWidget *parent = nullptr);
  ~TGvkEdit() override;

  TEditType EditType() const { return FEditType; }
  void SetEditType(TEditType type);
  TEditOptions Options() const { return FOptions; }
  void SetOptions(TEditOptions options);
  bool HasOption(TEditOption option) const { return (FOptions & option) != 0; }
  // The mask of an etString edit; the other types compute theirs.
  QString EditMask() const { return FMask; }
  void SetEditMask(const QString &mask);
  int MinValue() const { return FMinValue; }
  void SetMinValue(int value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int value) { FPrecision = value; }
  int DelayInterval() const { return FDelayTimer.interval(); }
  void SetDelayInterval(int milliseconds);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase charCase) { FCharCase = charCase; }

  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  const TColors &Colors() const { return FColors; }
  void SetColors(const TColors &colors);

  TLookup &Lookup() { return *FLookup; }
  const TLookup &Lookup() const { return *FLookup; }
  void AddLookup(const QString &key, const QString &display) { FLookup->Add(key, display); }
  void ClearLookup() { FLookup->Clear(); }

  // The value as text: "_" read as blank and, by type, trimmed or reduced to input
  // positions (see the .cpp); writing places it into the mask.
  QString Text() const;
  void SetText(const QString &text);
  int AsInteger();
  void SetAsInteger(int value);
  double AsFloat();
  void SetAsFloat(double value);
  QDateTime AsDateTime() const;
  void SetAsDateTime(const QDateTime &value);
  TChron AsChron() const;
  void SetAsChron(TChron value);
  TChronPool ChronPool() const;
  void SetChronPool(TChronPool pool);

  void SetOnDelayChange(TNotifyEvent handler) { FOnDelayChange = std::move(handler); }
  void SetOnValidate(TValidateEvent handler) { FOnValidate = std::move(handler); }
  void SetOnExit(TNotifyEvent handler) { FOnExit = std::move(handler); }
  void SetBeforeLookup(TBLookupEvent handler) { FBeforeLookup = std::move(handler); }
  void SetAfterLookup(TALookupEvent handler) { FAfterLookup = std::move(handler); }
  const TBLookupEvent &BeforeLookup() const { return FBeforeLookup; }
  const TALookupEvent &AfterLookup() const { return FAfterLookup; }

  // The mask in use; empty for an edit the platform types into.
  QString Mask() const { return FActiveMask; }
  bool IsDelayPending() const { return FDelayTimer.isActive(); }

  void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) override;
  void SaveToIni(TGvkCustomIniFile &ini, const QString &section) override;
  // The text the settings file keeps for the value, by type.
  QString StoredText();
  void SetStoredText(const QString &stored);

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  void RebuildMask();
  void SetWidthFor(int designWidth);
  void ApplyMaskKeepingSelection();
  void TypeCharacter(QChar typed);
  void DeleteAt(bool backspace);
  void BlankSelection();
  void CopySelection();
  void RangeRule();
  void Leave();
  void FireDelayChange();
  void UpdateColors();
  QChar WithCharCase(QChar c) const;

  TEditType FEditType = etString;
  TEditOptions FOptions = DefaultOptions;
  QString FMask;       // EditMask as set
  QString FActiveMask; // the mask of the type
  int FMinValue = 0;
  int FMaxValue = 0;
  int FPrecision = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FTabStop = true;
  bool FFocused = false;
  bool FMasking = false; // a change of our own: no mask pass on textEdited
  TColors FColors;
  QTimer FDelayTimer;
  std::unique_ptr<TLookup> FLookup;
  TNotifyEvent FOnDelayChange;
  TValidateEvent FOnValidate;
  TNotifyEvent FOnExit;
  TBLookupEvent FBeforeLookup;
  TALookupEvent FAfterLookup;
};

// Sets the background and text colours of a control for its state.
void ApplyStateColors(QWidget &control, const TColors &colors, bool readOnly, bool focused);

class TGvkMemo : public QPlainTextEdit, public IIniPersistent
{
  Q_OBJECT

public:
  explicit TGvkMemo(QWidget *parent = nullptr);

  const TColors &Colors() const { return FColors; }
  void SetColors(const TColors &colors);
  void SetReadOnly(bool value);
  bool NoBlankLines() const { return FNoBlankLines; }
  void SetNoBlankLines(bool value);
  bool WordWrap() const { return lineWrapMode() != QPlainTextEdit::NoWrap; }
  void SetWordWrap(bool value);
  // The label that shows the caret position while the memo has the focus.
  QLabel *CaretPosControl() const { return FCaretPos; }
  void SetCaretPosControl(QLabel *label);

  // A copy of the lines; setting replaces them (both without empty lines at the end with
  // NoBlankLines).
  QStringList Lines() const;
  void SetLines(const QStringList &lines);
  QString Text() const;
  void SetText(const QString &text);
  // "line/column - lines", counted from 1.
  QString CaretPosText() const;

  // Only a TGvkIniFile or a TGvkMemIniFile; any other raises "Invalid INI file class!".
  void LoadFromIni(TGvkCustomIniFile &ini, const QString &section) override;
  void SaveToIni(TGvkCustomIniFile &ini, const QString &section) override;

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  void ShowCaretPos();
  void UpdateColors();

  TColors FColors;
  bool FNoBlankLines = false;
  bool FFocused = false;
  QPointer<QLabel> FCaretPos;
};
