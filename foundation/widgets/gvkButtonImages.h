#pragma once
// The small pictures of the buttons beside the library's edits, drawn at run time:
// "POPUPBUTTON" (lookup), "POPUPFILEBUTTON" (one file), "POPUPMFILEBUTTON" (several files)
// and "POPUPPATHBUTTON" (a folder).
#include <QIcon>
#include <QString>

QIcon ButtonBitmap(const QString &name);
