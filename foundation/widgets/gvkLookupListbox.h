#pragma once
// The popup list of a lookup: a borderless form on top of the others with an optional title
// and a list of display texts (with a check box per row in multi-selection mode). Its result
// is the key of the chosen row, or the keys of the checked rows joined with ",".
#include "foundation/widgets/gvkForm.h"

#include <QStringList>
#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;

class TGvkLookupListbox : public TGvkForm
{
  Q_OBJECT

public:
  using TClosedEvent = std::function<void(const QString &result)>;
  static constexpr int DesignRowHeight = 13;
  static constexpr int MaxDisplayLength = 999;

  TGvkLookupListbox(bool multiSel, const QString &title, QWidget *parent = nullptr);
  ~TGvkLookupListbox() override;

  // Items are "key=display" lines; sizes the form to its rows.
  void SetItems(const QStringList &items);
  void Preselect(const QString &value);
  QString Result() const;
  bool MultiSel() const { return FMultiSel; }

  // Called once when the popup closes, with the result.
  void SetOnClosed(TClosedEvent handler) { FOnClosed = std::move(handler); }
  // Shows the popup with its top-left corner at the point on the screen.
  void Popup(const QPoint &topLeft);
  void ClosePopup();

  QListWidget *List() const { return FList; }
  int RowHeight() const;
  QStringList Keys() const { return FKeys; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  bool event(QEvent *event) override;

private:
  void ApplySize();
  void RestorePreselection();
  void RowClicked(QListWidgetItem *item);

  bool FMultiSel;
  QLabel *FTitle = nullptr; // children of the form
  QListWidget *FList = nullptr;
  QStringList FKeys;
  QString FPreselection;
  bool FClosed = false;
  TClosedEvent FOnClosed;
};
