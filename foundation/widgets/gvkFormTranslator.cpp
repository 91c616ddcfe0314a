#include "foundation/widgets/gvkFormTranslator.h"

#include "foundation/gvkErrors.h"
#include "foundation/gvkLanguage.h"
#include "foundation/widgets/gvkAccelerators.h"
#include "foundation/widgets/gvkCaptions.h"
#include "foundation/widgets/gvkForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

namespace {

const QString CrLf = QStringLiteral("\r\n");

struct TFormLanguage
{
  TLanguage *Chosen = nullptr;
  TLanguage *Connected = nullptr;
  QMetaObject::Connection Connection;
};

TFormLanguage &FormLanguageState()
{
  static TFormLanguage state;
  return state;
}

// Keeps the open forms in step with the form language.
void Follow(TLanguage &language)
{
  TFormLanguage &state = FormLanguageState();
  if (state.Connected == &language)
    return;
  QObject::disconnect(state.Connection);
  state.Connection = QObject::connect(&language, &TLanguage::TranslateOpenForms, &language,
                                      [&language] { TranslateOpenForms(language); });
  state.Connected = &language;
}

// The hint of a control is its tool tip and its status tip.
void SetHint(QObject &component, const QString &hint)
{
  if (auto *widget = qobject_cast<QWidget *>(&component)) {
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
  } else if (auto *action = qobject_cast<QAction *>(&component)) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  }
}

QString HintOf(const QObject &component)
{
  if (const auto *widget = qobject_cast<const QWidget *>(&component))
    return widget->toolTip();
  if (const auto *action = qobject_cast<const QAction *>(&component))
    return action->statusTip(); // its tool tip falls back to the caption
  return QString();
}

// The class-based treatments, decided by the component's own class first.
enum class TTreatment
{
  Captioned, // label, button, group box, menu item: caption, then hint
  TabSheet,  // caption only
  List,      // combo box, list box: hint, then the items
  Memo,      // hint, then the lines of the text
  Hint,      // any other control
  None       // not a control
};

TTreatment TreatmentOf(const QObject &component)
{
  if (TabWidgetOfPage(component))
    return TTreatment::TabSheet;
  if (qobject_cast<const QLabel *>(&component) || qobject_cast<const QPushButton *>(&component) ||
      qobject_cast<const QGroupBox *>(&component) || qobject_cast<const QAction *>(&component) ||
      qobject_cast<const QMenu *>(&component))
    return TTreatment::Captioned;
  if (qobject_cast<const QComboBox *>(&component) || qobject_cast<const QListWidget *>(&component))
    return TTreatment::List;
  if (qobject_cast<const QPlainTextEdit *>(&component) ||
      qobject_cast<const QTextEdit *>(&component))
    return TTreatment::Memo;
  if (qobject_cast<const QWidget *>(&component))
    return TTreatment::Hint;
  return TTreatment::None;
}

QStringList ListItems(const QObject &component)
{
  QStringList items;
  if (const auto *combo = qobject_cast<const QComboBox *>(&component))
    for (int i = 0; i < combo->count(); ++i)
      items.append(combo->itemText(i));
  else if (const auto *list = qobject_cast<const QListWidget *>(&component))
    for (int i = 0; i < list->count(); ++i)
      items.append(list->item(i)->text());
  return items;
}

void SetListItems(QObject &component, const QStringList &items)
{
  if (auto *combo = qobject_cast<QComboBox *>(&component)) {
    const int selected = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(selected < combo->count() ? selected : -1);
  } else if (auto *list = qobject_cast<QListWidget *>(&component)) {
    const int selected = list->currentRow();
    list->clear();
    list->addItems(items);
    list->setCurrentRow(selected < list->count() ? selected : -1);
  }
}

QString MemoText(const QObject &component)
{
  if (const auto *plain = qobject_cast<const QPlainTextEdit *>(&component))
    return plain->toPlainText();
  if (const auto *rich = qobject_cast<const QTextEdit *>(&component))
    return rich->toPlainText();
  return QString();
}

void SetMemoText(QObject &component, const QString &text)
{
  if (auto *plain = qobject_cast<QPlainTextEdit *>(&component))
    plain->setPlainText(text);
  else if (auto *rich = qobject_cast<QTextEdit *>(&component))
    rich->setPlainText(text);
}

// A text joined with CR LF, as the export files hold them.
QString WithHint(const QString &first, const QString &hint)
{
  return hint.isEmpty() ? first : first + CrLf + hint;
}

bool HasAction(const QObject &component)
{
  const auto *tool = qobject_cast<const QToolButton *>(&component);
  return tool && tool->defaultAction();
}

bool IsWorthExporting(const QString &text)
{
  if (text == QLatin1String("OK"))
    return false;
  for (const QChar c : text)
    if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
        (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
      return true;
  return false;
}

// The form's components that a language file can address: named, and not Qt's own parts.
QList<QObject *> NamedComponents(const QWidget &form)
{
  QList<QObject *> components;
  for (QObject *component : form.findChildren<QObject *>())
    if (!component->objectName().isEmpty() &&
        !component->objectName().startsWith(QLatin1String("qt_")))
      components.append(component);
  return components;
}

} // namespace

TLanguage &FormLanguage()
{
  TLanguage &language = FormLanguageState().Chosen ? *FormLanguageState().Chosen : GetLanguage();
  Follow(language);
  return language;
}

void SetFormLanguage(TLanguage *language)
{
  FormLanguageState().Chosen = language;
  FormLanguage();
}

void TranslateForm(QWidget &form)
{
  TranslateForm(form, FormLanguage());
}

void TranslateForm(QWidget &form, const TLanguage &language)
{
  // Base first: the sections of the ancestors, then the form's own class.
  QList<const QMetaObject *> chain;
  for (const QMetaObject *meta = form.metaObject();
       meta && meta != &QDialog::staticMetaObject && meta != &QWidget::staticMetaObject;
       meta = meta->superClass())
    chain.prepend(meta);
  for (const QMetaObject *meta : chain) {
    const auto section = language.FindSection(QString::fromLatin1(meta->className()));
    if (!section || section->Start <= 0 || section->Count <= 0)
      continue;
    if (const auto caption = language.FormCaption(*section))
      form.setWindowTitle(*caption);
    for (const TLanguageBlock &block : language.ComponentBlocks(*section))
      if (QObject *component = form.findChild<QObject *>(block.Component))
        ApplyTexts(*component, language, block);
  }
}

void ApplyTexts(QObject &component, const TLanguage &language, const TLanguageBlock &block)
{
  if (auto *texts = dynamic_cast<ILanguageTexts *>(&component)) {
    texts->SetTexts(language.Lines(), block.First, block.Count);
    return;
  }
  if (block.Count < 1)
    return;
  const QString first = language.Line(block.First);
  QStringList rest;
  for (int i = 1; i < block.Count; ++i)
    rest.append(language.Line(block.First + i));
  switch (TreatmentOf(component)) {
  case TTreatment::Captioned:
    SetCaption(component, first);
    if (block.Count >= 2)
      SetHint(component, rest.first());
    break;
  case TTreatment::TabSheet:
    SetCaption(component, first);
    break;
  case TTreatment::List:
    if (first != QLatin1String("."))
      SetHint(component, first);
    SetListItems(component, rest);
    break;
  case TTreatment::Memo:
    if (first != QLatin1String("."))
      SetHint(component, first);
    SetMemoText(component, rest.join(QLatin1Char('\n')));
    break;
  case TTreatment::Hint:
    SetHint(component, first);
    break;
  case TTreatment::None:
    break;
  }
}

void TranslateOpenForms(const TLanguage &language)
{
  for (QWidget *widget : QApplication::allWidgets()) {
    auto *form = qobject_cast<TGvkForm *>(widget);
    if (!form || !form->IsFormLoaded())
      continue;
    TranslateForm(*form, language);
    if (form->AutoAccelerators())
      AssignAccelerators(*form);
  }
}

QString ExportedTexts(const QObject &component)
{
  if (const auto *texts = dynamic_cast<const ILanguageTexts *>(&component))
    return texts->GetTexts();
  const QString hint = HintOf(component);
  switch (TreatmentOf(component)) {
  case TTreatment::Captioned: {
    if (HasAction(component))
      return QString();
    if (const auto *action = qobject_cast<const QAction *>(&component))
      if (action->isSeparator() || action->text() == QLatin1String("-"))
        return QString();
    const QString caption = CaptionOf(component);
    return WithHint(caption.isEmpty() && !hint.isEmpty() ? QStringLiteral(".") : caption, hint);
  }
  case TTreatment::TabSheet:
    return QString();
  case TTreatment::List: {
    QString text = hint.isEmpty() ? QStringLiteral(".") : hint;
    for (const QString &item : ListItems(component))
      text += CrLf + item;
    return text;
  }
  case TTreatment::Memo: {
    const QString memo = MemoText(component);
    if (hint.isEmpty() && memo.isEmpty())
      return QString();
    QString lines = memo;
    lines.replace(QLatin1Char('\n'), CrLf);
    return (hint.isEmpty() ? QStringLiteral(".") : hint) + CrLf + lines;
  }
  case TTreatment::Hint:
    return HasAction(component) ? QString() : hint;
  case TTreatment::None:
    return QString();
  }
  return QString();
}

bool ExportFormTexts(const QWidget &form, const TLanguage &language)
{
  const QString className = QString::fromLatin1(form.metaObject()->className());
  const QString fileName = language.ExportPrefix() + className + QStringLiteral(".txt");
  if (QFileInfo::exists(fileName))
    return false;
  QString text = QLatin1Char('[') + className + QLatin1Char(']') + CrLf;
  text += (form.windowTitle().isEmpty() ? QStringLiteral(".") : form.windowTitle()) + CrLf;
  for (const QObject *component : NamedComponents(form)) {
    const QString texts = ExportedTexts(*component);
    if (IsWorthExporting(texts))
      text += QStringLiteral(".@") + component->objectName() + CrLf + texts + CrLf;
  }
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit())
    throw EGvkFileError(QStringLiteral("The form texts cannot be written to %1: %2")
                            .arg(fileName, file.errorString()));
  return true;
}
