#pragma once
// TGvkPageControl: tab pages whose captions carry accelerator keys; Alt with a visible tab's
// accelerator selects that tab when the change is allowed.
#include "foundation/gvkLanguage.h"

#include <QKeySequence>
#include <QTabWidget>
#include <functional>

class TGvkPageControl : public QTabWidget, public ILanguageTexts
{
  Q_OBJECT

public:
  using TChangingEvent = std::function<void(TGvkPageControl &control, bool &allowChange)>;

  explicit TGvkPageControl(QWidget *parent = nullptr);

  // Asked before the user changes the page (by key or click).
  void SetOnChanging(TChangingEvent handler) { FOnChanging = std::move(handler); }

  QString GetTexts() const override;
  void SetTexts(const QStringList &lines, int first, int count) override;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  bool ChangeAllowed();
  // The tab whose caption has the accelerator of the keys; -1 if none.
  int TabOfKeys(const QKeySequence &keys) const;

  TChangingEvent FOnChanging;
};
