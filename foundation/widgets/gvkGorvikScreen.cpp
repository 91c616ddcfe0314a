#include "foundation/widgets/gvkGorvikScreen.h"

#include "foundation/widgets/gvkJpeg.h"
#include "foundation/widgets/gvkWinX.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int FormWidth = 719;
constexpr int FormHeight = 436;
constexpr int InfoWidth = 625;
constexpr int InfoHeight = 353;
constexpr int ButtonBarHeight = 45;
constexpr int ProgressWidth = 432;
// The info panel sits centred in the space above the button bar.
constexpr int InfoLeft = (FormWidth - InfoWidth) / 2;
constexpr int InfoTop = (FormHeight - ButtonBarHeight - InfoHeight) / 2;

} // namespace

TGvkGorvikForm::TGvkGorvikForm(QWidget *parent) : TGvkForm(parent)
{
}

TGvkFGorvikScreen::TGvkFGorvikScreen(QWidget *parent) : TGvkGorvikForm(parent)
{
  setObjectName(QStringLiteral("FGorvikScreen"));
  setWindowTitle(QStringLiteral("Info"));
  SetAutoSave(false);
  setFixedSize(FormWidth, FormHeight);

  PnlInfo = new QFrame(this);
  PnlInfo->setObjectName(QStringLiteral("PnlInfo"));
  PnlInfo->setGeometry(InfoLeft, InfoTop, InfoWidth, InfoHeight);
  PnlInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PnlInfo->setAutoFillBackground(true);
  QPalette white = PnlInfo->palette();
  white.setColor(QPalette::Window, Qt::white);
  PnlInfo->setPalette(white);

  ImgLogo = new QLabel(PnlInfo);
  ImgLogo->setObjectName(QStringLiteral("ImgLogo"));
  const QImage logo = JpegResource(QStringLiteral("GVK_LOGO_IMAGE"));
  ImgLogo->setPixmap(QPixmap::fromImage(logo));
  ImgLogo->setAlignment(Qt::AlignCenter);
  ImgLogo->setGeometry(2, 12, InfoWidth - 4, logo.isNull() ? 240 : logo.height());

  LAppVersion = new QLabel(PnlInfo);
  LAppVersion->setObjectName(QStringLiteral("LAppVersion"));
  LAppVersion->setText(QStringLiteral("Release ") + GetSystemX().Version());
  QFont versionFont(QStringLiteral("Arial"));
  versionFont.setPixelSize(13);
  versionFont.setBold(true);
  LAppVersion->setFont(versionFont);
  QPalette black = LAppVersion->palette();
  black.setColor(QPalette::WindowText, Qt::black);
  LAppVersion->setPalette(black);
  LAppVersion->setAlignment(Qt::AlignCenter);
  LAppVersion->setGeometry(2, ImgLogo->geometry().bottom() + 14, InfoWidth - 4, 20);

  LProgressInfo = new QLabel(PnlInfo);
  LProgressInfo->setObjectName(QStringLiteral("LProgressInfo"));
  LProgressInfo->setAlignment(Qt::AlignCenter);
  QPalette caption = LProgressInfo->palette();
  caption.setColor(QPalette::WindowText, palette().color(QPalette::Active, QPalette::Highlight));
  LProgressInfo->setPalette(caption);
  LProgressInfo->setGeometry((InfoWidth - ProgressWidth) / 2, InfoHeight - 44, ProgressWidth, 20);
  LProgressInfo->hide();

  PnlButton = new QFrame(this);
  PnlButton->setObjectName(QStringLiteral("PnlButton"));
  PnlButton->setGeometry(0, FormHeight - ButtonBarHeight, FormWidth, ButtonBarHeight);
  BtnOk = new QPushButton(QStringLiteral("OK"), PnlButton);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnOk->setDefault(true);
  BtnOk->resize(90, 27);
  BtnOk->move((FormWidth - BtnOk->width()) / 2, (ButtonBarHeight - BtnOk->height()) / 2);
  connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
}

void TGvkFGorvikScreen::MakeStartupScreen()
{
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  PnlButton->hide();
  LProgressInfo->clear();
  LProgressInfo->show();
  PnlInfo->move(0, 0);
  setFixedSize(InfoWidth, InfoHeight);
  CenterOnScreen();
}

void TGvkFGorvikScreen::SetProgressText(const QString &text)
{
  LProgressInfo->setText(text);
  LProgressInfo->repaint();
}
