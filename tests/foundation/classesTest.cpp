#include "foundation/gvkClasses.h"
#include "foundation/gvkDebug.h"
#include "foundation/gvkErrors.h"
#include "foundation/gvkIniFiles.h"
#include "tests/foundation/printers.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using TColumn = std::tuple<int, int, TColAlign>; // start, width, align

std::vector<TColumn> Columns(const TColDivList &list)
{
  std::vector<TColumn> columns;
  for (int i = 0; i < list.Count(); ++i)
    columns.emplace_back(list.Start(i), list.Width(i), list.Align(i));
  return columns;
}

TEST(ColDivList, FromTextFillsTheLineAndToTextWritesItBack)
{
  struct Case
  {
    const char *Text;
    std::vector<TColumn> Expected;
    const char *AsText;
  };
  const Case cases[] = {
      {"L600;R600;", {{0, 600, caLeft}, {600, 400, caRight}}, "L600;R400;"},
      {"", {{0, 1000, caLeft}}, "L1000;"},
      {"L250;R100;C650;",
       {{0, 250, caLeft}, {250, 100, caRight}, {350, 650, caCenter}},
       "L250;R100;C650;"},
      {"D300;;C200",
       {{0, 300, caDecimal}, {300, 200, caCenter}, {500, 500, caLeft}},
       "D300;C200;L500;"},
      {"X100;r100;Lab;",
       {{0, 100, caLeft}, {100, 100, caLeft}, {200, 0, caLeft}, {200, 800, caLeft}},
       "L100;L100;L0;L800;"},
      // The column beyond the line keeps its place with no width, so every column a report
      // asks for exists.
      {"L1000;R50;", {{0, 1000, caLeft}, {1000, 0, caRight}}, "L1000;R0;"},
      {"L999;R2147483647;C5;", {{0, 999, caLeft}, {999, 1, caRight}}, "L999;R1;"},
      {"L-500;R200;", {{0, 0, caLeft}, {0, 200, caRight}, {200, 800, caLeft}}, "L0;R200;L800;"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.Text);
    TColDivList list;
    list.FromText(QString::fromLatin1(c.Text));
    EXPECT_EQ(Columns(list), c.Expected);
    EXPECT_EQ(list.ToText(), QString::fromLatin1(c.AsText));
    // The text form reads back as the same list.
    EXPECT_EQ(Columns(TColDivList(list.ToText())), c.Expected);
  }
}

TEST(ColDivList, AnIndexOutsideTheListIsRefused)
{
  const TColDivList list(QStringLiteral("L500;"));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_THROW(list.Width(2), EGvkAssertion);
  EXPECT_THROW(list.Start(-1), EGvkAssertion);
}

TEST(GvkStringList, IndexOfValueComparesThePartAfterTheFirstEquals)
{
  const TGvkStringList list{QStringLiteral("0=SV Nord"), QStringLiteral("SV Süd"),
                            QStringLiteral("1=a=b"), QStringLiteral("2=Müller"),
                            QStringLiteral("3=")};
  EXPECT_EQ(list.IndexOfValue(QStringLiteral("sv nord")), 0);
  EXPECT_EQ(list.IndexOfValue(QStringLiteral("SV Süd")), -1); // no "=" in that line
  EXPECT_EQ(list.IndexOfValue(QStringLiteral("a=b")), 2);
  EXPECT_EQ(list.IndexOfValue(QStringLiteral("b")), -1);
  EXPECT_EQ(list.IndexOfValue(QStringLiteral("MÜLLER")), 3);
  EXPECT_EQ(list.IndexOfValue(QString()), 4);
  EXPECT_EQ(list.IndexOfValue(QStringLiteral("SV")), -1);
  EXPECT_EQ(TGvkStringList().IndexOfValue(QStringLiteral("x")), -1);
  EXPECT_EQ(list.IndexOfName(QStringLiteral("1")), 2);
  EXPECT_EQ(list.IndexOfName(QStringLiteral("SV Süd")), -1);
  EXPECT_EQ(list.NameAt(2), "1");
  EXPECT_EQ(list.ValueAt(2), "a=b");
  EXPECT_EQ(list.ValueAt(1), "");
}

TEST(ShowStatus, TextsReachTheReceiverOnlyWhileOneIsSet)
{
  ShowStatus(QStringLiteral("nobody listens")); // must not fail
  QStringList received;
  SetShowStatusReceiver([&](const QString &text) { received.append(text); });
  ShowStatus(QStringLiteral("Loading file a.aqe"));
  ShowStatus(QString());
  SetShowStatusReceiver({});
  ShowStatus(QStringLiteral("too late"));
  EXPECT_EQ(received, QStringList({QStringLiteral("Loading file a.aqe"), QString()}));
}

TEST(OsVersion, NamesTheSystemAndItsKernel)
{
  const QString text = OsVersionText();
  EXPECT_FALSE(text.isEmpty());
  EXPECT_TRUE(text.contains(QSysInfo::kernelVersion())) << text.toStdString();
}

class DebugLog : public ::testing::Test
{
protected:
  QByteArray Log(const char *name)
  {
    QFile file(FDir.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }
  QTemporaryDir FDir;
  TGvkMemIniFile FSettings{QString()};
};

TEST_F(DebugLog, StaysOffWithTheDefaultOrAnEmptyName)
{
  for (const char *value : {"$", "", "  "}) {
    FSettings.WriteString(QStringLiteral("Special"), QStringLiteral("DebugFile"),
                          QString::fromLatin1(value));
    TGvkDebug debug(FSettings);
    EXPECT_FALSE(debug.IsOn()) << '"' << value << '"';
    EXPECT_FALSE(debug.WriteLog());
  }
  TGvkDebug never(TGvkMemIniFile{QString()});
  EXPECT_FALSE(never.IsOn());
}

TEST_F(DebugLog, ANamedFileIsWrittenAtTheEnd)
{
  const QString path = FDir.filePath(QStringLiteral("debug.log"));
  QFile stale(path);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.write("old run\n");
  stale.close();
  FSettings.WriteString(QStringLiteral("special"), QStringLiteral("debugfile"), path);
  {
    TGvkDebug debug(FSettings);
    EXPECT_TRUE(debug.IsOn());
    EXPECT_EQ(debug.FileName(), path);
    EXPECT_EQ(Log("debug.log"), "old run\n"); // nothing is written before the end
  }
  EXPECT_EQ(Log("debug.log"), ""); // the run added no lines
  {
    TGvkDebug debug(FSettings);
    debug.Add(QStringLiteral("one"));
    debug.Add(QStringLiteral("zwei ü"));
  }
  EXPECT_EQ(Log("debug.log"), QString::fromUtf8("one\nzwei ü\n").toUtf8());
}

TEST_F(DebugLog, ARelativeNameLiesBesideTheSettingsFile)
{
  const QString settingsPath = FDir.filePath(QStringLiteral("prog.INI"));
  TGvkIniFile settings(settingsPath);
  settings.WriteString(QStringLiteral("Special"), QStringLiteral("DebugFile"),
                       QStringLiteral("rel.log"));
  {
    TGvkDebug debug(settings);
    EXPECT_EQ(debug.FileName(), FDir.filePath(QStringLiteral("rel.log")));
  }
  EXPECT_TRUE(QFileInfo::exists(FDir.filePath(QStringLiteral("rel.log"))));
  // A log that cannot be written is not an error at program end.
  settings.WriteString(QStringLiteral("Special"), QStringLiteral("DebugFile"),
                       FDir.filePath(QStringLiteral("no/such/folder/x.log")));
  TGvkDebug unwritable(settings);
  EXPECT_FALSE(unwritable.WriteLog());
}

} // namespace
