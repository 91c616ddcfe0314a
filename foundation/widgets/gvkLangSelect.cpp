#include "foundation/widgets/gvkLangSelect.h"

#include "foundation/gvkIniFiles.h"
#include "foundation/gvkLanguage.h"
#include "foundation/widgets/gvkBox.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace {

constexpr int ClientWidthWithHelp = 550;
constexpr int ClientWidth = 370;
constexpr int ListWidth = 170;
constexpr int ListTop = 26;
constexpr int ListHeight = 200;
constexpr int ClientHeight = 312;

// --- Flags, drawn on an 18 by 12 image.

const QColor Red(206, 17, 38);
const QColor White(Qt::white);
const QColor Blue(0, 56, 147);
const QColor Green(0, 146, 70);
const QColor Yellow(252, 209, 22);
const QColor Black(Qt::black);

void Stripes(QPainter &painter, Qt::Orientation orientation, const QList<QColor> &colors,
             const QList<int> &weights = {})
{
  const QList<int> parts = weights.isEmpty() ? QList<int>(colors.size(), 1) : weights;
  int total = 0;
  for (int part : parts)
    total += part;
  const int length = orientation == Qt::Horizontal ? 12 : 18;
  int start = 0;
  int sum = 0;
  for (qsizetype i = 0; i < colors.size(); ++i) {
    sum += parts.at(i);
    const int end = (length * sum + total / 2) / total;
    const QRect band = orientation == Qt::Horizontal ? QRect(0, start, 18, end - start)
                                                     : QRect(start, 0, end - start, 12);
    painter.fillRect(band, colors.at(i));
    start = end;
  }
}

// The cross of the northern countries, its upright left of the middle.
void NordicCross(QPainter &painter, const QColor &background, const QColor &cross,
                 const QColor &inner = QColor())
{
  painter.fillRect(QRect(0, 0, 18, 12), background);
  painter.fillRect(QRect(5, 0, 4, 12), cross);
  painter.fillRect(QRect(0, 4, 18, 4), cross);
  if (inner.isValid()) {
    painter.fillRect(QRect(6, 0, 2, 12), inner);
    painter.fillRect(QRect(0, 5, 18, 2), inner);
  }
}

void UnionFlag(QPainter &painter)
{
  painter.fillRect(QRect(0, 0, 18, 12), Blue);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(White, 3));
  painter.drawLine(QPointF(0, 0), QPointF(18, 12));
  painter.drawLine(QPointF(18, 0), QPointF(0, 12));
  painter.setPen(QPen(Red, 1));
  painter.drawLine(QPointF(0, 0), QPointF(18, 12));
  painter.drawLine(QPointF(18, 0), QPointF(0, 12));
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRect(7, 0, 4, 12), White);
  painter.fillRect(QRect(0, 4, 18, 4), White);
  painter.fillRect(QRect(8, 0, 2, 12), Red);
  painter.fillRect(QRect(0, 5, 18, 2), Red);
}

void StarsAndStripes(QPainter &painter)
{
  for (int i = 0; i < 6; ++i)
    painter.fillRect(QRect(0, i * 2, 18, 1), Red);
  for (int i = 0; i < 6; ++i)
    painter.fillRect(QRect(0, i * 2 + 1, 18, 1), White);
  painter.fillRect(QRect(0, 0, 8, 6), Blue);
  for (int y = 1; y < 6; y += 2)
    for (int x = 1; x < 8; x += 2)
      painter.fillRect(QRect(x, y, 1, 1), White);
}

void DrawFlag(QPainter &painter, int index)
{
  switch (index) {
  case 0: // ch
    painter.fillRect(QRect(0, 0, 18, 12), Red);
    painter.fillRect(QRect(8, 2, 3, 8), White);
    painter.fillRect(QRect(5, 5, 9, 3), White);
    break;
  case 1: // de
    Stripes(painter, Qt::Horizontal, {Black, Red, Yellow});
    break;
  case 2: // fr
    Stripes(painter, Qt::Vertical, {Blue, White, Red});
    break;
  case 3: // us
    StarsAndStripes(painter);
    break;
  case 4: // it
    Stripes(painter, Qt::Vertical, {Green, White, Red});
    break;
  case 5: // nl
    Stripes(painter, Qt::Horizontal, {Red, White, Blue});
    break;
  case 6: // es
    Stripes(painter, Qt::Horizontal, {Red, Yellow, Red}, {1, 2, 1});
    break;
  case 7: // ru
    Stripes(painter, Qt::Horizontal, {White, Blue, Red});
    break;
  case 8: // dk
    NordicCross(painter, Red, White);
    break;
  case 9: // pl
    Stripes(painter, Qt::Horizontal, {White, Red});
    break;
  case 10: // pt
    Stripes(painter, Qt::Vertical, {QColor(0, 102, 0), Red}, {2, 3});
    painter.setBrush(Yellow);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRect(5, 4, 4, 4));
    break;
  case 11: // fi
    NordicCross(painter, White, Blue);
    break;
  case 12: // is
    NordicCross(painter, Blue, White, Red);
    break;
  case 13: // se
    NordicCross(painter, QColor(0, 106, 167), Yellow);
    break;
  case 14: // no
    NordicCross(painter, Red, White, Blue);
    break;
  case 15: // at
    Stripes(painter, Qt::Horizontal, {Red, White, Red});
    break;
  case 16: // ca
    Stripes(painter, Qt::Vertical, {Red, White, Red}, {1, 2, 1});
    painter.fillRect(QRect(8, 4, 2, 5), Red);
    painter.fillRect(QRect(7, 5, 4, 2), Red);
    break;
  case 17: // hu
    Stripes(painter, Qt::Horizontal, {Red, White, QColor(67, 111, 77)});
    break;
  case 18: { // cz
    Stripes(painter, Qt::Horizontal, {White, Red});
    const QPointF wedge[] = {{0, 0}, {9, 6}, {0, 12}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(17, 69, 126));
    painter.drawPolygon(wedge, 3);
    break;
  }
  case 19: // si
    Stripes(painter, Qt::Horizontal, {White, Blue, Red});
    painter.fillRect(QRect(4, 2, 3, 4), Blue);
    break;
  case 20: // hr
    Stripes(painter, Qt::Horizontal, {Red, White, QColor(23, 23, 150)});
    painter.fillRect(QRect(7, 3, 4, 5), Red);
    painter.fillRect(QRect(8, 4, 1, 1), White);
    painter.fillRect(QRect(10, 4, 1, 1), White);
    break;
  case 21: { // tr
    painter.fillRect(QRect(0, 0, 18, 12), Red);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(White);
    painter.drawEllipse(QRectF(3, 2.5, 7, 7));
    painter.setBrush(Red);
    painter.drawEllipse(QRectF(4.8, 3.3, 5.6, 5.4));
    painter.setBrush(White);
    painter.drawEllipse(QRectF(10.5, 5, 2, 2));
    break;
  }
  case 22: // mx
    Stripes(painter, Qt::Vertical, {QColor(0, 104, 71), White, Red});
    painter.fillRect(QRect(8, 5, 2, 2), QColor(120, 80, 30));
    break;
  case 23: // uk
    UnionFlag(painter);
    break;
  default:
    break;
  }
}

// Each entry: the flag one pixel right of and below the corner, the name 21 pixels right.
class TLanguageItemDelegate : public QStyledItemDelegate
{
public:
  TLanguageItemDelegate(const QList<QPixmap> &flags, QObject *parent)
      : QStyledItemDelegate(parent), FFlags(flags)
  {
  }

  void paint(QPainter *painter, const QStyleOptionViewItem &option,
             const QModelIndex &index) const override
  {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    painter->fillRect(option.rect,
                      option.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
    const int language = index.data(TgvkFLangSelect::LanguageRole).toInt();
    if (language >= 0 && language < FFlags.size())
      painter->drawPixmap(option.rect.topLeft() + QPoint(1, 1), FFlags.at(language));
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(option.rect.adjusted(21, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                      index.data(Qt::DisplayRole).toString());
  }

  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
  {
    const QSize text = QStyledItemDelegate::sizeHint(option, index);
    return QSize(text.width() + 21, std::max(text.height(), TgvkFLangSelect::FlagHeight + 2));
  }

private:
  const QList<QPixmap> &FFlags;
};

// The entry of the list whose language index equals index, searched from the last one.
void SelectLanguage(TGvkListBox &list, int index)
{
  for (int row = list.count() - 1; row >= 0; --row)
    if (list.item(row)->data(TgvkFLangSelect::LanguageRole).toInt() == index) {
      list.SetItemIndex(row);
      return;
    }
  list.SetItemIndex(-1);
}

// The language index of the list's selected entry; none without a selection.
std::optional<int> SelectedLanguage(const TGvkListBox &list)
{
  const QList<QListWidgetItem *> selected = list.selectedItems();
  if (selected.isEmpty())
    return std::nullopt;
  return selected.first()->data(TgvkFLangSelect::LanguageRole).toInt();
}

} // namespace

QPixmap LanguageFlag(int index)
{
  if (index < 0 || index >= TLanguage::NoLanguage)
    return {};
  QPixmap flag(TgvkFLangSelect::FlagWidth, TgvkFLangSelect::FlagHeight);
  flag.fill(Qt::white);
  QPainter painter(&flag);
  DrawFlag(painter, index);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QColor(96, 96, 96));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(0, 0, TgvkFLangSelect::FlagWidth - 1, TgvkFLangSelect::FlagHeight - 1));
  return flag;
}

TgvkFLangSelect::TgvkFLangSelect(TLanguage &language, bool withHelp, QWidget *parent)
    : TGvkForm(parent), FLanguage(language)
{
  setObjectName(QStringLiteral("gvkFLangSelect"));
  setWindowTitle(QString::fromUtf8("Sprache auswählen"));
  SetAutoSave(false);
  for (int i = 0; i < TLanguage::NoLanguage; ++i)
    FLangImages.append(LanguageFlag(i));

  lbxLanguage =
      AddList(QStringLiteral("lbxLanguage"), QStringLiteral("Sprache Bildschirmanzeige:"), 10);
  lbxPrnLanguage =
      AddList(QStringLiteral("lbxPrnLanguage"), QString::fromUtf8("Sprache für Ausdrucke:"), 190);
  lbxHlpLanguage = AddList(QStringLiteral("lbxHlpLanguage"),
                           QString::fromUtf8("Sprache für Hilfeanzeige:"), 370);
  lblHlpLanguage = findChild<QLabel *>(QStringLiteral("lblHlpLanguage"));
  lbxHlpLanguage->setVisible(withHelp);
  lblHlpLanguage->setVisible(withHelp);

  // The two lines of the note, wrapped to the width the dialog has.
  auto *note = new QLabel(QString::fromUtf8("Die neuegewählte Sprache wird erst beim nächsten "
                                            "Neustart des Programmes überall korrekt verwendet."),
                          this);
  note->setObjectName(QStringLiteral("lblNote"));
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  note->setGeometry(10, ListTop + ListHeight + 6,
                    (withHelp ? ClientWidthWithHelp : ClientWidth) - 20, 40);

  PnlButtons = new QWidget(this);
  PnlButtons->setObjectName(QStringLiteral("PnlButtons"));
  PnlButtons->resize(180, 34);
  btnOk = new QPushButton(QStringLiteral("OK"), PnlButtons);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setGeometry(0, 4, 85, 26);
  btnOk->setDefault(true);
  btnCancel = new QPushButton(QStringLiteral("Abbrechen"), PnlButtons);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setGeometry(95, 4, 85, 26);
  SetCancelButton(btnCancel);
  connect(btnOk, &QPushButton::clicked, this, &TgvkFLangSelect::btnOkClick);
  connect(btnCancel, &QPushButton::clicked, this, &TgvkFLangSelect::reject);

  const int width = withHelp ? ClientWidthWithHelp : ClientWidth;
  setFixedSize(width, ClientHeight);
  PnlButtons->move((width - PnlButtons->width()) / 2, ClientHeight - PnlButtons->height() - 6);

  FillLists();
}

TgvkFLangSelect::~TgvkFLangSelect() = default;

TGvkListBox *TgvkFLangSelect::AddList(const QString &name, const QString &label, int left)
{
  auto *caption = new QLabel(label, this);
  caption->setObjectName(QStringLiteral("lbl") + name.mid(3));
  caption->setGeometry(left, 6, ListWidth, 18);
  auto *list = new TGvkListBox(this);
  list->setObjectName(name);
  list->setGeometry(left, ListTop, ListWidth, ListHeight);
  list->setItemDelegate(new TLanguageItemDelegate(FLangImages, list));
  list->setSortingEnabled(true);
  caption->setBuddy(list);
  return list;
}

void TgvkFLangSelect::FillLists()
{
  for (int i = 0; i < TLanguage::NoLanguage; ++i) {
    QString name = FLanguage.GetText('G', 149, i + 1).trimmed();
    if (name.isEmpty()) // no names loaded: the code still tells the languages apart
      name = TLanguage::LanguageCode(i);
    auto add = [&](TGvkListBox &list) {
      auto *item = new QListWidgetItem(name);
      item->setData(LanguageRole, i);
      list.addItem(item);
    };
    if (QFileInfo::exists(FLanguage.LanguageFileName(i))) {
      add(*lbxLanguage);
      add(*lbxPrnLanguage);
    }
    if (QFileInfo::exists(FLanguage.HelpFileName(i)))
      add(*lbxHlpLanguage);
  }
  SelectLanguage(*lbxLanguage, FLanguage.Language());
  SelectLanguage(*lbxPrnLanguage, FLanguage.PrintLanguage());
  SelectLanguage(*lbxHlpLanguage, FLanguage.HelpLanguage());
}

void TgvkFLangSelect::btnOkClick()
{
  TGvkIniFile &settings = SettingsFile();
  int chosen = 3;
  if (const auto screen = SelectedLanguage(*lbxLanguage)) {
    chosen = *screen;
    settings.WriteInteger(TLanguage::ConfigSection, TLanguage::KeyLanguage, chosen);
  }
  if (const auto print = SelectedLanguage(*lbxPrnLanguage)) {
    FLanguage.SetPrintLanguage(*print);
    settings.WriteInteger(TLanguage::ConfigSection, TLanguage::KeyPrintLanguage, *print);
  }
  if (const auto help = SelectedLanguage(*lbxHlpLanguage)) {
    FLanguage.SetHelpLanguage(*help);
    settings.WriteInteger(TLanguage::ConfigSection, TLanguage::KeyHelpLanguage,
                          FLanguage.HelpLanguage());
  }
  if (chosen != FLanguage.Language())
    FLanguage.LoadLanguage(chosen, true);
  accept();
}

void ShowLanguageSelect(TLanguage &language, bool always, bool withHelp)
{
  if (!always &&
      SettingsFile().ReadInteger(TLanguage::ConfigSection, TLanguage::KeyLanguage, -1) != -1)
    return;
  TgvkFLangSelect form(language, withHelp);
  RunModalForm(form);
}

void ShowLanguageSelect(bool always, bool withHelp)
{
  ShowLanguageSelect(GetLanguage(), always, withHelp);
}
