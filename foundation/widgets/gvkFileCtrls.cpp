#include "foundation/widgets/gvkFileCtrls.h"

#include "foundation/widgets/gvkButtonImages.h"
#include "foundation/widgets/gvkButtons.h"
#include "foundation/widgets/gvkDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QToolButton>

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString ButtonPicture(TFileEditType type)
{
  switch (type) {
  case fetMultiFile:
    return QStringLiteral("POPUPMFILEBUTTON");
  case fetDirectory:
    return QStringLiteral("POPUPPATHBUTTON");
  default:
    return QStringLiteral("POPUPFILEBUTTON");
  }
}

} // namespace

QString PlatformFileFilter(const QString &filter)
{
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts.at(i).trimmed();
    const QString patterns = parts.at(i + 1).trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
    // The platform reads the patterns from the last parentheses of the description.
    filters.append(description.endsWith(QLatin1Char(')'))
                       ? description
                       : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

TGvkFileEdit::TGvkFileEdit(QWidget *parent) : TGvkEdit(parent)
{
}

TGvkFileEdit::~TGvkFileEdit() = default;

void TGvkFileEdit::SetFileEditType(TFileEditType type)
{
  FFileEditType = type;
  if (type == fetDirectory)
    FStartDir.clear();
  if (type == fetNormal) {
    FButton.reset();
    setTextMargins(0, 0, 0, 0);
    return;
  }
  if (!FButton) {
    FButton = std::make_unique<QToolButton>(this);
    FButton->setObjectName(QStringLiteral("FileButton"));
    FButton->setFocusPolicy(Qt::NoFocus);
    FButton->setCursor(Qt::ArrowCursor);
    connect(FButton.get(), &QToolButton::clicked, this, &TGvkFileEdit::ButtonClick);
  }
  FButton->setIcon(ButtonBitmap(ButtonPicture(type)));
  PlaceButton();
}

QString TGvkFileEdit::StartDir() const
{
  if (FStartDir.isEmpty() || FStartDir.endsWith(QLatin1Char('/')))
    return FStartDir;
  return FStartDir + QLatin1Char('/');
}

QStringList TGvkFileEdit::Names() const
{
  QStringList names;
  for (const QString &name : Text().split(QLatin1Char(';')))
    if (!name.trimmed().isEmpty())
      names.append(name.trimmed());
  return names;
}

int TGvkFileEdit::FileCount() const
{
  return int(Names().size());
}

QString TGvkFileEdit::FileNames(int index) const
{
  const QStringList names = Names();
  if (index < 0 || index >= names.size())
    return {};
  return names.size() == 1 ? names.first() : StartDir() + names.at(index);
}

QString TGvkFileEdit::StartFolderOfText() const
{
  // The folder of the text when it exists, else the root folder.
  const QStringList names = Names();
  const QString first =
      names.isEmpty() ? QString() : (names.size() == 1 ? names.first() : FileNames(0));
  const QFileInfo info(first);
  if (!first.isEmpty() && info.isAbsolute()) {
    if (info.isDir())
      return info.absoluteFilePath();
    if (info.dir().exists())
      return info.absolutePath();
  }
  return QDir::rootPath();
}

void TGvkFileEdit::ButtonClick()
{
  bool showSelection = true;
  if (BeforeLookup())
    BeforeLookup()(*this, false, showSelection);
  if (!showSelection)
    return;
  const QString caption = toolTip();
  const QString filter = PlatformFileFilter(FFilter);
  const QString folder = StartFolderOfText();
  if (FFileEditType == fetDirectory) {
    const QString chosen = AskFolderName(GetLanguage().GetText('G', 91), folder);
    if (!chosen.isEmpty())
      SetText(QDir::toNativeSeparators(chosen));
  } else {
    QStringList chosen;
    const QString proposed =
        FileCount() == 1 && QFileInfo(Text().trimmed()).isAbsolute() ? Text().trimmed() : folder;
    if (FFileEditType == fetWriteFile) {
      const QString name = AskSaveFileName(caption, proposed, filter);
      if (!name.isEmpty())
        chosen.append(name);
    } else if (FFileEditType == fetMultiFile) {
      chosen = AskOpenFileNames(caption, folder, filter);
    } else {
      const QString name = AskOpenFileName(caption, proposed, filter);
      if (!name.isEmpty())
        chosen.append(name);
    }
    if (!chosen.isEmpty()) {
      FStartDir = QFileInfo(chosen.first()).absolutePath();
      if (chosen.size() == 1) {
        SetText(chosen.first());
      } else {
        const QDir start(FStartDir);
        QStringList relative;
        for (const QString &name : chosen)
          relative.append(start.relativeFilePath(name));
        SetText(relative.join(QStringLiteral("; ")));
      }
    }
  }
  if (AfterLookup())
    AfterLookup()(*this, false);
  selectAll();
}

void TGvkFileEdit::PlaceButton()
{
  if (!FButton)
    return;
  const int side = height();
  FButton->setGeometry(width() - side, 0, side, side);
  setTextMargins(0, 0, side, 0);
  FButton->setEnabled(isEnabled() && !isReadOnly());
  FButton->show();
}

void TGvkFileEdit::resizeEvent(QResizeEvent *event)
{
  TGvkEdit::resizeEvent(event);
  PlaceButton();
}

void TGvkFileEdit::changeEvent(QEvent *event)
{
  TGvkEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ReadOnlyChange)
    PlaceButton();
}

QString TGvkFileEdit::GetTexts() const
{
  QString text = toolTip().isEmpty() ? QStringLiteral(".") : toolTip();
  if (!FFilter.isEmpty())
    text += CrLf + FFilter;
  return text;
}

void TGvkFileEdit::SetTexts(const QStringList &lines, int first, int count)
{
  const QString hint = LanguageLine(lines, first);
  if (hint != QLatin1String("."))
    SetControlHint(*this, hint);
  if (count >= 2)
    FFilter = LanguageLine(lines, first + 1);
}
