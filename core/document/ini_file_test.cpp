#include "core/document/ini_file.h"

#include <gtest/gtest.h>

#include "platform/virtual_file_system.h"

namespace tarnvelock {
namespace {

TEST(IniFileTest, LooksUpSectionsAndKeysWithoutRegardToCase) {
  const IniFile ini = IniFile::Parse(L"[Main]\r\nVersion=1.1\r\n[run]\nStartDir = C:\\x \n");
  EXPECT_EQ(ini.Get(L"MAIN", L"version"), L"1.1");
  EXPECT_EQ(ini.Get(L"Run", L"STARTDIR"), L"C:\\x");
  EXPECT_TRUE(ini.HasSection(L"RUN"));
  EXPECT_FALSE(ini.Get(L"Main", L"StartDir").has_value());
  EXPECT_FALSE(ini.Get(L"Other", L"Version").has_value());
}

TEST(IniFileTest, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
  IniFile ini;
  ini.Set(L"Main", L"A", L"1");
  ini.Set(L"Run", L"B", L"2");
  ini.Set(L"BreakPoint3", L"BreakCount", L"0");
  ini.Set(L"run", L"C", L"3");
  ini.Set(L"Main", L"a", L"changed");
  EXPECT_EQ(ini.Text(),
            L"[Main]\r\na=changed\r\n[Run]\r\nB=2\r\nC=3\r\n[BreakPoint3]\r\nBreakCount=0\r\n");
}

TEST(IniFileTest, KeepsCommentsAndBlankLinesAndAddsKeysBeforeTrailingBlanks) {
  IniFile ini = IniFile::Parse(L"; made by hand\r\n[S]\r\nk=v\r\n\r\n[T]\r\nnot a key\r\n");
  ini.Set(L"S", L"n", L"w");
  ini.Set(L"T", L"m", L"x");
  EXPECT_EQ(ini.Text(), L"; made by hand\r\n[S]\r\nk=v\r\nn=w\r\n\r\n[T]\r\nnot a key\r\nm=x\r\n");
  EXPECT_FALSE(ini.Get(L"S", L"; made by hand").has_value());
}

TEST(IniFileTest, TheFirstOfTwoSectionsWithOneNameWins) {
  IniFile ini = IniFile::Parse(L"[S]\r\nk=1\r\n[s]\r\nk=2\r\n");
  EXPECT_EQ(ini.Get(L"S", L"k"), L"1");
  ini.Set(L"S", L"k", L"3");
  EXPECT_EQ(ini.Text(), L"[S]\r\nk=3\r\n[s]\r\nk=2\r\n");
}

TEST(IniFileTest, ValuesCannotAddLines) {
  IniFile ini;
  ini.Set(L"Run", L"Parameters", L"a\r\n[Main]\nProzent0=1");
  EXPECT_EQ(ini.Text(), L"[Run]\r\nParameters=a  [Main] Prozent0=1\r\n");
  EXPECT_FALSE(IniFile::Parse(ini.Text()).HasSection(L"Main"));
}

TEST(IniFileTest, ReadsIntegersAndBooleans) {
  const IniFile ini = IniFile::Parse(
      L"[N]\nneg=-3\nhex=0x1F\nHEX=0XfFfFfFfF\nsp= 12 \nbad=12a\nempty=\nbig=2147483648\n"
      L"min=-2147483648\nplus=+7\nb0=0\nb5=5\nbx=yes\n");
  EXPECT_EQ(ini.GetInt(L"N", L"neg"), -3);
  EXPECT_EQ(ini.GetInt(L"N", L"hex"), 31);
  EXPECT_EQ(ini.GetInt(L"N", L"Hex"), 31);  // first key of that name
  EXPECT_EQ(ini.GetInt(L"N", L"sp"), 12);
  EXPECT_EQ(ini.GetInt(L"N", L"min"), INT32_MIN);
  EXPECT_EQ(ini.GetInt(L"N", L"plus"), 7);
  for (const wchar_t* key : {L"bad", L"empty", L"big", L"missing"}) {
    EXPECT_FALSE(ini.GetInt(L"N", key).has_value()) << key;
  }
  EXPECT_EQ(ini.GetBool(L"N", L"b0"), false);
  EXPECT_EQ(ini.GetBool(L"N", L"b5"), true);
  EXPECT_FALSE(ini.GetBool(L"N", L"bx").has_value());

  IniFile out;
  out.SetInt(L"N", L"x", -42);
  out.SetBool(L"N", L"t", true);
  out.SetBool(L"N", L"f", false);
  EXPECT_EQ(out.Text(), L"[N]\r\nx=-42\r\nt=1\r\nf=0\r\n");
}

TEST(IniFileTest, FileRoundTripIsUtf8WithoutMarkAndByteExact) {
  VirtualFileSystem fs;
  ASSERT_TRUE(fs.CreateDirectory(L"/b"));
  IniFile ini;
  ini.Set(L"Run", L"StartDir", L"/home/jürgen/Übung €");
  ini.Set(L"Run", L"Parameters", L"\u00DEa b\u00DE \U0001F600");
  ASSERT_TRUE(WriteIniFile(fs, L"/b/x.bat.ini", ini));
  const std::string bytes = fs.Contents(L"/b/x.bat.ini");
  EXPECT_EQ(bytes,
            "[Run]\r\nStartDir=/home/j\xC3\xBCrgen/\xC3\x9C"
            "bung \xE2\x82\xAC\r\nParameters=\xC3\x9E"
            "a b\xC3\x9E \xF0\x9F\x98\x80\r\n");

  IniFile back;
  ASSERT_TRUE(ReadIniFile(fs, L"/b/x.bat.ini", &back));
  EXPECT_EQ(back.Get(L"Run", L"StartDir"), L"/home/jürgen/Übung €");
  ASSERT_TRUE(WriteIniFile(fs, L"/b/y.ini", back));
  EXPECT_EQ(fs.Contents(L"/b/y.ini"), bytes);
}

TEST(IniFileTest, ReadingAcceptsByteOrderMarkAndMissingFile) {
  VirtualFileSystem fs;
  fs.Create(L"/a.ini", "\xEF\xBB\xBF[Main]\r\nVersion=1.1\r\n");
  IniFile ini;
  ASSERT_TRUE(ReadIniFile(fs, L"/a.ini", &ini));
  EXPECT_EQ(ini.Get(L"Main", L"Version"), L"1.1");

  ASSERT_TRUE(ReadIniFile(fs, L"/none.ini", &ini));
  EXPECT_EQ(ini.Text(), L"");

  fs.MakeInaccessible(L"/a.ini");
  EXPECT_FALSE(ReadIniFile(fs, L"/a.ini", &ini));
}

}  // namespace
}  // namespace tarnvelock
