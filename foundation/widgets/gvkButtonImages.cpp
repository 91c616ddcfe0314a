#include "foundation/widgets/gvkButtonImages.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int Size = 12;

void DrawDownArrow(QPainter &painter)
{
  const QPointF arrow[] = {{2.5, 4.5}, {9.5, 4.5}, {6, 8.5}};
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawPolygon(arrow, 3);
}

void DrawPage(QPainter &painter, QPointF origin)
{
  const QPointF page[] = {origin + QPointF(0.5, 0.5), origin + QPointF(4.5, 0.5),
                          origin + QPointF(6.5, 2.5), origin + QPointF(6.5, 8.5),
                          origin + QPointF(0.5, 8.5)};
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawPolygon(page, 5);
}

void DrawFolder(QPainter &painter)
{
  painter.setPen(QPen(QColor(120, 90, 0), 1));
  painter.setBrush(QColor(240, 200, 80));
  painter.drawRect(QRectF(0.5, 3.5, 11, 7));
  painter.drawRect(QRectF(0.5, 1.5, 4, 2));
}

} // namespace

QIcon ButtonBitmap(const QString &name)
{
  QPixmap pixmap(Size, Size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (name == QLatin1String("POPUPFILEBUTTON")) {
    DrawPage(painter, {2.5, 1.5});
  } else if (name == QLatin1String("POPUPMFILEBUTTON")) {
    DrawPage(painter, {0.5, 0.5});
    DrawPage(painter, {4.5, 2.5});
  } else if (name == QLatin1String("POPUPPATHBUTTON")) {
    DrawFolder(painter);
  } else {
    DrawDownArrow(painter);
  }
  painter.end();
  return QIcon(pixmap);
}
