#pragma once
// The form side of the language manager: translating forms from the form sections of the
// loaded language file, retranslating every open form when a language is loaded with
// apply, and the export mode that writes the texts of each form class once.
#include <QString>

class QObject;
class QWidget;
class TGvkForm;
class TLanguage;
struct TLanguageBlock;

// The language the forms are translated with: GetLanguage() unless another one was set (a
// test, or a tool working on a language file of its own). Every loaded TGvkForm follows a
// LoadLanguage with apply of this language.
TLanguage &FormLanguage();
void SetFormLanguage(TLanguage *language); // null: back to GetLanguage()

// Applies the form sections of the form's class and of its ancestors, base first (the
// platform's classes have none).
void TranslateForm(QWidget &form, const TLanguage &language);
void TranslateForm(QWidget &form);
// One component block: through ILanguageTexts when the component implements it, else by
// its class (caption and hint, list items, memo lines, or the hint alone).
void ApplyTexts(QObject &component, const TLanguage &language, const TLanguageBlock &block);
// Translates every loaded TGvkForm and assigns fresh accelerators where they are automatic.
void TranslateOpenForms(const TLanguage &language);

// The texts of a component as the export writes them; empty when it has none.
QString ExportedTexts(const QObject &component);
// Export mode: writes the form's texts to the prefix, the class name and ".txt", unless
// that file exists already. True when the file was written now. Throws EGvkFileError when
// it cannot be written.
bool ExportFormTexts(const QWidget &form, const TLanguage &language);
