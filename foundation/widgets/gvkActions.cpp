#include "foundation/widgets/gvkActions.h"

TgvkActionList::TgvkActionList(QObject *parent) : QObject(parent)
{
}

QAction *TgvkActionList::AddAction(QAction *action, TExecuteEvent execute)
{
  if (!action->parent())
    action->setParent(this);
  FActions.append(action);
  if (execute)
    connect(action, &QAction::triggered, this,
            [this, action, execute = std::move(execute)] { Dispatch(*action, execute); });
  return action;
}

QAction *TgvkActionList::ActionByName(const QString &name) const
{
  for (QAction *action : FActions)
    if (action->objectName().compare(name, Qt::CaseInsensitive) == 0)
      return action;
  return nullptr;
}

void TgvkActionList::Dispatch(QAction &action, const TExecuteEvent &execute)
{
  execute();
  if (FOnAfterExecute)
    FOnAfterExecute(action);
}

QString TgvkActionList::GetTexts() const
{
  QStringList lines;
  for (const QAction *action : FActions) {
    // The tool tip of an action falls back to its caption; the hint is the status tip.
    const QString caption = action->text();
    const QString hint = action->statusTip();
    if (caption.isEmpty() && hint.isEmpty())
      continue;
    lines.append(QLatin1Char('@') + action->objectName());
    lines.append(caption.isEmpty() ? QStringLiteral(".") : caption);
    lines.append(hint.isEmpty() ? QStringLiteral(".") : hint);
  }
  return lines.join(QStringLiteral("\r\n")).trimmed();
}

void TgvkActionList::SetTexts(const QStringList &lines, int first, int count)
{
  QStringList block;
  for (int i = first; i < first + count && i < lines.size(); ++i) {
    QString line = i >= 0 ? lines.at(i) : QString();
    if (line.endsWith(QLatin1Char('$')))
      line.chop(1);
    block.append(line);
  }
  for (QAction *action : FActions) {
    const QString marker = QLatin1Char('@') + action->objectName();
    qsizetype at = -1;
    for (qsizetype i = 0; i < block.size(); ++i)
      if (block.at(i).compare(marker, Qt::CaseInsensitive) == 0) {
        at = i;
        break;
      }
    if (at < 0 || at + 1 >= block.size())
      continue;
    if (block.at(at + 1) != QLatin1String("."))
      action->setText(block.at(at + 1));
    if (at + 2 < block.size() && block.at(at + 2) != QLatin1String(".")) {
      action->setToolTip(block.at(at + 2));
      action->setStatusTip(block.at(at + 2));
    }
  }
}
