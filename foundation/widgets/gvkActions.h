#pragma once
// TgvkActionList: the actions of a form with their execute handlers; after each handler the
// list calls OnAfterExecute with the action (the main window refreshes its state there).
#include "foundation/gvkLanguage.h"

#include <QAction>
#include <QList>
#include <QObject>
#include <functional>
#include <vector>

class TgvkActionList : public QObject, public ILanguageTexts
{
  Q_OBJECT

public:
  using TExecuteEvent = std::function<void()>;
  using TAfterActionEvent = std::function<void(QAction &action)>;

  explicit TgvkActionList(QObject *parent = nullptr);

  // Adds the action (its owner stays as it is; an action without an owner gets the list).
  // With an execute handler, a trigger runs the handler and then OnAfterExecute.
  QAction *AddAction(QAction *action, TExecuteEvent execute = {});
  QList<QAction *> Actions() const { return FActions; }
  QAction *ActionByName(const QString &name) const;
  void SetOnAfterExecute(TAfterActionEvent handler) { FOnAfterExecute = std::move(handler); }

  QString GetTexts() const override;
  void SetTexts(const QStringList &lines, int first, int count) override;

private:
  void Dispatch(QAction &action, const TExecuteEvent &execute);

  QList<QAction *> FActions;
  TAfterActionEvent FOnAfterExecute;
};
