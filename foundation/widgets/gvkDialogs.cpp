#include "foundation/widgets/gvkDialogs.h"

#include "foundation/gvkErrors.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <deque>

namespace {

QString &TitleStore()
{
  static QString title;
  return title;
}

struct TScriptedAnswer
{
  enum class TKind
  {
    Answer,
    File,
    Form
  };
  TKind Kind;
  bool Accept = false;
  QString FileName;
  TGvkDialogScript::TFormAnswer Form;
  QStringList FileNames = {}; // several files chosen at once
};

struct TScript
{
  std::deque<TScriptedAnswer> Queue;
  QStringList Shown;
  bool Strict = false;
};

TScript &Script()
{
  static TScript script;
  return script;
}

const char *KindName(TScriptedAnswer::TKind kind)
{
  switch (kind) {
  case TScriptedAnswer::TKind::Answer:
    return "an answer";
  case TScriptedAnswer::TKind::File:
    return "a file";
  case TScriptedAnswer::TKind::Form:
    return "a form answer";
  }
  return "";
}

// Takes the next scripted answer, which must be of the wanted kind.
TScriptedAnswer TakeAnswer(TScriptedAnswer::TKind kind, const QString &prompt)
{
  TScript &script = Script();
  script.Shown.append(prompt);
  if (script.Queue.empty())
    throw EGvkAssertion(QStringLiteral("No scripted answer for: %1").arg(prompt));
  TScriptedAnswer answer = std::move(script.Queue.front());
  script.Queue.pop_front();
  if (answer.Kind != kind)
    throw EGvkAssertion(
        QStringLiteral("Scripted %1 met a dialog wanting %2: %3")
            .arg(QLatin1String(KindName(answer.Kind)), QLatin1String(KindName(kind)), prompt));
  return answer;
}

void Enqueue(TScriptedAnswer answer)
{
  Script().Queue.push_back(std::move(answer));
}

QWidget *DialogParent()
{
  return QApplication::activeWindow();
}

int ExecBox(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton)
{
  QMessageBox box(icon, ApplicationTitle(), text, buttons, DialogParent());
  box.setDefaultButton(defaultButton);
  return box.exec();
}

// The cursors are kept by the platform's override stack; this counts our own pushes so that
// a pop never removes a cursor someone else set.
int &CursorDepth()
{
  static int depth = 0;
  return depth;
}

} // namespace

QString ApplicationTitle()
{
  return TitleStore();
}

void SetApplicationTitle(const QString &title)
{
  TitleStore() = title;
}

bool AskYesNo(const QString &text)
{
  if (TGvkDialogScript::IsActive())
    return TakeAnswer(TScriptedAnswer::TKind::Answer, text).Accept;
  return ExecBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool ShowMessageBox(const QString &text, bool warning, bool withCancel)
{
  if (TGvkDialogScript::IsActive()) {
    if (!withCancel) {
      Script().Shown.append(text);
      return true;
    }
    return TakeAnswer(TScriptedAnswer::TKind::Answer, text).Accept;
  }
  const auto icon = warning ? QMessageBox::Warning : QMessageBox::Information;
  if (!withCancel) {
    ExecBox(icon, text, QMessageBox::Ok, QMessageBox::Ok);
    return true;
  }
  return ExecBox(icon, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) !=
         QMessageBox::Cancel;
}

void ShowErrorMessage(const QString &text)
{
  if (TGvkDialogScript::IsActive()) {
    Script().Shown.append(text);
    return;
  }
  ExecBox(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

QString AskOpenFileName(const QString &caption, const QString &folder, const QString &filter)
{
  if (TGvkDialogScript::IsActive())
    return TakeAnswer(TScriptedAnswer::TKind::File, caption).FileName;
  return QFileDialog::getOpenFileName(DialogParent(), caption, folder, filter);
}

QString AskSaveFileName(const QString &caption, const QString &fileName, const QString &filter)
{
  if (TGvkDialogScript::IsActive())
    return TakeAnswer(TScriptedAnswer::TKind::File, caption).FileName;
  return QFileDialog::getSaveFileName(DialogParent(), caption, fileName, filter);
}

QString AskFolderName(const QString &caption, const QString &folder)
{
  if (TGvkDialogScript::IsActive())
    return TakeAnswer(TScriptedAnswer::TKind::File, caption).FileName;
  return QFileDialog::getExistingDirectory(DialogParent(), caption, folder);
}

QStringList AskOpenFileNames(const QString &caption, const QString &folder, const QString &filter)
{
  if (TGvkDialogScript::IsActive()) {
    const TScriptedAnswer answer = TakeAnswer(TScriptedAnswer::TKind::File, caption);
    return answer.FileNames.isEmpty() && !answer.FileName.isEmpty() ? QStringList{answer.FileName}
                                                                    : answer.FileNames;
  }
  return QFileDialog::getOpenFileNames(DialogParent(), caption, folder, filter);
}

void PushCursor(const QCursor &cursor)
{
  QGuiApplication::setOverrideCursor(cursor);
  ++CursorDepth();
}

void PopCursor()
{
  if (CursorDepth() == 0)
    return;
  QGuiApplication::restoreOverrideCursor();
  --CursorDepth();
}

int CursorStackDepth()
{
  return CursorDepth();
}

void TGvkDialogScript::AnswerYes()
{
  Enqueue({TScriptedAnswer::TKind::Answer, true, {}, {}});
}

void TGvkDialogScript::AnswerNo()
{
  Enqueue({TScriptedAnswer::TKind::Answer, false, {}, {}});
}

void TGvkDialogScript::ChooseFile(const QString &fileName)
{
  Enqueue({TScriptedAnswer::TKind::File, !fileName.isEmpty(), fileName, {}});
}

void TGvkDialogScript::ChooseFiles(const QStringList &fileNames)
{
  Enqueue({TScriptedAnswer::TKind::File, !fileNames.isEmpty(), {}, {}, fileNames});
}

void TGvkDialogScript::AnswerForm(TFormAnswer answer)
{
  Enqueue({TScriptedAnswer::TKind::Form, true, {}, std::move(answer)});
}

void TGvkDialogScript::SetStrict(bool strict)
{
  Script().Strict = strict;
}

bool TGvkDialogScript::IsActive()
{
  return Script().Strict || !Script().Queue.empty();
}

int TGvkDialogScript::Pending()
{
  return static_cast<int>(Script().Queue.size());
}

QStringList TGvkDialogScript::Shown()
{
  return Script().Shown;
}

void TGvkDialogScript::Clear()
{
  Script().Queue.clear();
  Script().Shown.clear();
}

std::optional<TGvkDialogScript::TFormAnswer>
TGvkDialogScript::NextFormAnswer(const QString &formClass)
{
  if (!IsActive())
    return std::nullopt;
  return TakeAnswer(TScriptedAnswer::TKind::Form, formClass).Form;
}
