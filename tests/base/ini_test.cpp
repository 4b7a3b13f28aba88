#include <gtest/gtest.h>

#include <fstream>

#include "base/ini.h"
#include "support/files.h"
#include "support/temp_dir.h"
#include "system/stream.h"

using namespace std::string_literals;

namespace {

TIniParser Parse(const std::string& text) {
    TIniParser ini;
    TMemoryStream stream(text.data(), text.size());
    ini.LoadIniStream(stream);
    return ini;
}

std::string Saved(const TIniParser& ini) {
    TMemoryStream stream;
    ini.SaveIniStream(stream);
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

}  // namespace

TEST(Ini, ReadingRulesAndTheWrittenFile) {
    TIniParser ini = Parse(
        "before=ignored\n[graphics]\nwidth=800\n  ; note = not a key\n\nWIDTH = 1024\r\nkey = a = b\n"
        "no equals sign\n[unclosed\nTitle =  Mixed  Case \t\n[Graphics]\r\nheight=600\n[]\nlost=1\n"
        "[ objects ]\nOBJECT[2].X=5\nobject[10].x=-1\n\x01 count \x02=\x03 3\x1B\r\r\nz=1\0\xE9=2"s);
    EXPECT_EQ(Saved(ini),
              "[GRAPHICS]\r\nHEIGHT = 600\r\nKEY    = a = b\r\nTITLE  = Mixed  Case\r\nWIDTH  = 1024\r\n\r\n"
              "[OBJECTS]\r\nCOUNT        = 3\r\nOBJECT[10].X = -1\r\nOBJECT[2].X  = 5\r\nZ            = 1\r\n"
              "\xC9            = 2\r\n\r\n");
}

TEST(Ini, NamesAreCaseInsensitiveIncludingLatin1Letters) {
    TIniParser ini;
    ini.SetString("caf\xE9", "na\xEFve", "1");
    EXPECT_TRUE(ini.KeyExists("CAF\xC9", "NA\xCFVE"));
    EXPECT_FALSE(ini.KeyExists("cafe", "naive"));
    // 181 and 255 have no capital in Latin-1; 247 is the division sign.
    EXPECT_EQ(IniUpper("az\xE0\xFE\xDF\xF7\xB5\xFF{}"), "AZ\xC0\xDE\xDF\xF7\xB5\xFF{}");
}

TEST(Ini, LineBreaksInsideAValueCannotForgeKeys) {
    TIniParser ini;
    ini.SetString("objects", "object[0].inside", "hi\r\ncount=99999\n[graphics]");
    ini.SetString("objects", "count", "1");
    TIniParser reread = Parse(Saved(ini));
    EXPECT_EQ(reread.GetIniValue("objects", "count", ""), "1");
    EXPECT_EQ(reread.GetIniValue("objects", "object[0].inside", ""), "hi  count=99999 [graphics]");
    EXPECT_FALSE(reread.SectionExists("graphics"));
}

TEST(Ini, TypedLookupsAndWhatAddModeStores) {
    TIniParser ini = Parse("[n]\nhex=$10\nbin=%11\ntext=abc\nempty=\nbig=4294967298\ntenth=0.1\n");
    EXPECT_EQ(ini.GetInt("n", "hex", 0), 16);
    EXPECT_EQ(ini.GetInt("n", "bin", 0), 3);
    EXPECT_EQ(ini.GetInt("n", "text", 5), 0);
    EXPECT_EQ(ini.GetInt("n", "empty", 5), 5);
    EXPECT_EQ(ini.GetInt("other", "hex", 5), 5);
    EXPECT_EQ(ini.GetInt("n", "big", 0), 2);
    EXPECT_EQ(ini.GetLong("n", "big", 0), 4294967298);
    EXPECT_EQ(ini.GetDouble("n", "tenth", 0), 0.1);
    EXPECT_EQ(ini.GetFloat("n", "text", 7), 0.0f);
    EXPECT_FALSE(ini.KeyExists("other", "hex"));   // lookups add nothing by default

    ini._add = 1;
    EXPECT_EQ(ini.GetInt("n", "hex", 7), 16);
    EXPECT_EQ(ini.GetInt("n", "empty", 3), 3);
    EXPECT_EQ(ini.GetString("n", "name", "Jill"), "Jill");
    EXPECT_EQ(ini.GetLong("n", "long", -5), -5);
    EXPECT_EQ(ini.GetFloat("n", "third", 1.0f / 3.0f), 1.0f / 3.0f);
    EXPECT_EQ(ini.GetDouble("n", "huge", 1e300), 1e300);
    EXPECT_EQ(ini.GetFloat("n", "third", 0), 1.0f / 3.0f);
    EXPECT_EQ(ini.GetDouble("n", "huge", 0), 1e300);
    EXPECT_EQ(Saved(ini), "[N]\r\nBIG   = 4294967298\r\nBIN   = %11\r\nEMPTY = 3\r\nHEX   = $10\r\n"
                          "HUGE  = 1.0000000000000001e+300\r\nLONG  = -5\r\nNAME  = Jill\r\nTENTH = 0.1\r\n"
                          "TEXT  = abc\r\nTHIRD = 0.333333343\r\n\r\n");
}

TEST(Ini, MergeCopiesEveryValueOverTheOldOnes) {
    TIniParser ini = Parse("[a]\nx=1\ny=2\n");
    ini.Merge(Parse("[A]\ny=20\n[b]\nw=\n"));
    EXPECT_EQ(Saved(ini), "[A]\r\nX = 1\r\nY = 20\r\n\r\n[B]\r\nW = \r\n\r\n");
}

TEST(Ini, FilesLoadClearingOnlyWhenAskedAndAFailedSaveChangesNothing) {
    TTempDir dir;
    std::string path = dir.File("tarn.ini");
    std::ofstream(path, std::ios::binary) << "[s]\na=1\n";
    TIniParser ini = Parse("[s]\nb=2\n");
    EXPECT_TRUE(ini.LoadIniFile(path, false));
    EXPECT_FALSE(ini.LoadIniFile(dir.File("missing.ini"), false));
    EXPECT_FALSE(ini.LoadIniFile(dir.Path(), false));
    EXPECT_EQ(Saved(ini), "[S]\r\nA = 1\r\nB = 2\r\n\r\n");

    ini.SetFloat("graphics", "scale", 2.0f);
    EXPECT_TRUE(ini.SaveIniFile(path));
    EXPECT_EQ(ReadFileText(path), "[GRAPHICS]\r\nSCALE = 2.00000000\r\n\r\n[S]\r\nA = 1\r\nB = 2\r\n\r\n");
    EXPECT_FALSE(ini.SaveIniFile(dir.File("no/such/folder/tarn.ini")));
    EXPECT_FALSE(ini.SaveIniFile(dir.Path()));

    EXPECT_TRUE(ini.LoadIniFile(path, true));
    EXPECT_EQ(ini.GetIniValue("Graphics", "Scale", ""), "2.00000000");
    EXPECT_FALSE(ini.LoadIniFile(dir.File("missing.ini"), true));
    EXPECT_TRUE(ini.SectionMap.empty());
}
