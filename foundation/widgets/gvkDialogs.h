#pragma once
// Dialog helpers that every form uses: questions, message boxes, file dialogs, the screen
// cursor stack and the application title. All modal questions of the program go through
// these functions, so that GUI tests can answer them with TGvkDialogScript.
#include <QCursor>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;
class TGvkForm;

// Modal results of the program's dialogs.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

// Caption of every message box; set by the system services and the program's start-up.
QString ApplicationTitle();
void SetApplicationTitle(const QString &title);

// A question box with Yes and No; true when Yes was chosen.
bool AskYesNo(const QString &text);
// OK alone, or OK and Cancel; false only when Cancel was chosen.
bool ShowMessageBox(const QString &text, bool warning = false, bool withCancel = false);
// The standard display of an error that reached the user.
void ShowErrorMessage(const QString &text);

// File dialogs; an empty text when the user cancelled.
QString AskOpenFileName(const QString &caption, const QString &folder, const QString &filter);
QString AskSaveFileName(const QString &caption, const QString &fileName, const QString &filter);
QString AskFolderName(const QString &caption, const QString &folder);
// Several existing files; an empty list when the user cancelled.
QStringList AskOpenFileNames(const QString &caption, const QString &folder, const QString &filter);

// A stack of screen cursors: push sets a new one, pop restores the one before it
// (nothing happens when the stack is empty).
void PushCursor(const QCursor &cursor);
void PopCursor();
int CursorStackDepth();

// Test hook: answers queued here are given by the dialog helpers instead of a person.
// While the script is active (strict mode, or answers pending), nothing is shown: a box with
// only OK is recorded and needs no answer; every question, file dialog and modal form takes
// the next queued answer, and raises EGvkAssertion when none of the right kind is queued.
class TGvkDialogScript
{
public:
  using TFormAnswer = std::function<int(TGvkForm &form)>;

  static void AnswerYes();                         // also "OK" for a box with Cancel
  static void AnswerNo();                          // also "Cancel"
  static void ChooseFile(const QString &fileName); // an empty name cancels the dialog
  // Several files chosen at once; an empty list cancels the dialog.
  static void ChooseFiles(const QStringList &fileNames);
  // The next modal form is created and loaded, then handed to answer, whose result is the
  // form's modal result.
  static void AnswerForm(TFormAnswer answer);

  // Strict mode keeps the script active with an empty queue, so an unexpected question
  // fails instead of waiting for a person.
  static void SetStrict(bool strict);
  static bool IsActive();
  static int Pending();
  // Texts of the boxes and captions of the dialogs met while active, oldest first.
  static QStringList Shown();
  static void Clear();

  // For ShowModalForm: the queued answer for a form of the class, or none when the script
  // is not active.
  static std::optional<TFormAnswer> NextFormAnswer(const QString &formClass);
};
