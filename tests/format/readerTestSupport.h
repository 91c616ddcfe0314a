#pragma once
// Loading Aquon text from memory, and looking into the resulting tree.
#include "format/aquon.h"

#include <QBuffer>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
  *out << '"' << text.toStdString() << '"';
}

inline std::unique_ptr<TAquon> LoadBytes(const QByteArray &bytes, const TAqnProgress &progress = {})
{
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  auto document = std::make_unique<TAquon>();
  document->LoadFromDevice(buffer, QStringLiteral("meet.aqe"), progress);
  return document;
}

// The first element with tag below root in document order, or null.
inline TAqnAbstractElement *FirstElement(const TAqnAbstractObject *root, TAqnTag tag)
{
  TAqnAbstractElement *found = nullptr;
  if (root)
    root->ForEachDescendant([&found, tag](TAqnAbstractElement *e) {
      if (e->Tag == tag)
        found = e;
      return !found;
    });
  return found;
}

inline int ElementCount(const TAqnAbstractObject *root)
{
  int count = 0;
  if (root)
    root->ForEachDescendant([&count](TAqnAbstractElement *) { return ++count > 0; });
  return count;
}
