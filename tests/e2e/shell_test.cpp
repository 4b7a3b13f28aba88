// The program as a person meets it: start-up, the main menu, the settings
// file, loading, saving and exporting levels, the game chooser.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/startup.h"
#include "e2e/editor_session.h"
#include "e2e/screen_colours.h"
#include "edit/jill_level_viewer.h"
#include "gamedata/shape_manager.h"
#include "image/bitmap.h"
#include "image/png_load.h"
#include "level/level.h"
#include "level/level_file.h"
#include "support/files.h"
#include "system/program_file.h"

namespace {

constexpr int kMenuWidth = 112;   // "Back To Editor", the widest entry
constexpr int kMenuEntries = 7;

const uint32_t kWhite = Rgb(255, 255, 255);
const uint32_t kGrey = Rgb(127, 127, 127);
const uint32_t kUnavailable = Rgb(127, 0, 0);
const uint32_t kUnavailableLit = Rgb(255, 127, 127);

struct TMenuBlock {
    int x, y;
    explicit TMenuBlock(int width = 1280, int height = 720)
        : x((width - kMenuWidth) / 2), y((height - 16 * kMenuEntries) / 2) {}
};

// The ink of each menu entry's row.
std::vector<std::set<uint32_t>> EntryInk(const TPixmap& frame, const TMenuBlock& menu) {
    std::vector<std::set<uint32_t>> ink;
    for (int i = 0; i < kMenuEntries; ++i) ink.push_back(InkIn(frame, menu.x, menu.y + 16 * i, kMenuWidth, 16));
    return ink;
}

std::string LevelFilter() { return "Level Files:jn1,jn2,jn3,one;All Files:*"; }

class Shell : public TEditorSession {
protected:
    TMenuBlock menu;

    void Choose(int entry) { ClickMenuEntry(entry); }
    // Waits for the menu to come back after an action that idles on its way
    // (a one-frame notice), so the next input is not flushed with it.
    void WaitFor(std::function<bool()> done) { host.WaitUntil(std::move(done)); }
    size_t Shown() const { return host.Requesters().size(); }
    TRunResult Run(const std::function<void()>& body) { return host.Run(body, 3000); }
};

TEST_F(Shell, StartsWithItsBannerShowsTheMenuAndQuitsOnEscapeWritingTheSettings) {
    std::shared_ptr<TPixmap> frame;
    host.WaitFrames(2);
    host.Then([&] { frame = host.Capture(); });
    // Unavailable entries can be highlighted: they show in light red.
    for (int i = 0; i < 3; ++i) host.Then([&] { host.PressKey(VK_DOWN); });
    host.WaitFrames(2);
    host.Then([&] {
        EXPECT_EQ(EntryInk(*host.Capture(), menu)[kSaveLevelAs], std::set<uint32_t>{kUnavailableLit});
        host.PressKey(VK_ESCAPE);
    });
    const TRunResult run = Run([] { RunTarn(); });
    EXPECT_EQ(run.end, TRunEnd::Exited);
    EXPECT_EQ(run.exitStatus, 0);

    std::vector<uint8_t> program = ReadFileBytes(ProgramFilePath());
    char crc[9];
    std::snprintf(crc, sizeof crc, "%08lX", crc32(0, program.data(), uInt(program.size())));
    const std::vector<std::string> lines = log.Lines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Tarn - A Level Editor For Jill (Version 1.1) - Log File");
    EXPECT_EQ(lines[4], "This is Tarn - A Level Editor For Jill (Version 1.1) (CRC " + std::string(crc) + ")");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "Trying to start windowed graphics mode 1280 x 720 ... OK");
    EXPECT_EQ(lines[7], " Graphics window is 1280 x 720");

    // The menu: a framed black block centred in the window, on black.
    ASSERT_TRUE(frame);
    EXPECT_EQ(ColoursIn(*frame, 0, 0, 500, 200), std::set<uint32_t>{0});
    const int left = menu.x - 8, top = menu.y - 8;
    EXPECT_EQ(ReadPixel(*frame, left - 6, top - 6) & 0xFFFFFF, Rgb(85, 85, 85));
    EXPECT_EQ(ReadPixel(*frame, left - 7, top - 6) & 0xFFFFFF, 0u);
    EXPECT_EQ(ReadPixel(*frame, left - 4, top + 20) & 0xFFFFFF, Rgb(170, 170, 170));
    EXPECT_EQ(ReadPixel(*frame, left - 1, top + 20) & 0xFFFFFF, Rgb(85, 85, 85));
    EXPECT_EQ(ReadPixel(*frame, left + 133, top + 133) & 0xFFFFFF, Rgb(85, 85, 85));
    EXPECT_EQ(ReadPixel(*frame, left + 134, top + 133) & 0xFFFFFF, 0u);
    EXPECT_EQ(ColoursIn(*frame, left, top, 128, 8), std::set<uint32_t>{0});
    const auto ink = EntryInk(*frame, menu);
    EXPECT_EQ(ink[kNewLevel], std::set<uint32_t>{kWhite});
    EXPECT_EQ(ink[kLoadLevel], std::set<uint32_t>{kGrey});
    for (int i = kSaveLevel; i <= kBackToEditor; ++i) EXPECT_EQ(ink[i], std::set<uint32_t>{kUnavailable}) << i;
    EXPECT_EQ(ink[kQuit], std::set<uint32_t>{kGrey});

    // Quitting writes the window, the redraw switch, the scale and the default palette.
    const std::string ini = ReadFileText(work.File("tarn.ini"));
    const std::string graphics = "[GRAPHICS]\r\nFULLREFRESH = 1\r\nHEIGHT      = 720\r\nSCALE       = AUTO\r\n"
                                 "WIDTH       = 1280\r\n\r\n[OBJECTS]\r\n";
    EXPECT_EQ(ini.substr(0, graphics.size()), graphics);
    // Every key of the section is padded to its longest, OBJECT[10].STATECOUNT.
    auto line = [](std::string key, const std::string& value) {
        key.resize(21, ' ');
        return key + " = " + value + "\r\n";
    };
    for (const std::string& expected :
         {line("COUNT", "69"), line("OBJECT[0].OBJKIND", "0"), line("OBJECT[0].XL", "16"), line("OBJECT[0].YL", "32"),
          line("OBJECT[0].INSIDE", ""), line("OBJECT[20].INSIDE", "TXT6"), line("OBJECT[20].XD", "7"),
          line("OBJECT[20].YD", "-1"), line("OBJECT[21].INSIDE", "TXT8"), line("OBJECT[68].OBJKIND", "68"),
          line("OBJECT[68].ZAPHOLD", "0")})
        EXPECT_NE(ini.find(expected), std::string::npos) << expected;
    EXPECT_EQ(std::count(ini.begin(), ini.end(), '\n'), 6 + 3 + 69 * 15);
}

TEST_F(Shell, SettingsChooseTheWindowAndAnEmptyPaletteKeepsTheFileEntries) {
    WriteFileText(work.File("tarn.ini"),
                  "[Graphics]\nwidth=1024\nheight = 768\nfullrefresh=0\nscale=5\n[objects]\ncount=0\nobject[0].x=5\n"
                  "[mine]\nkeep = this one\n");
    host.WaitFrames(1);
    host.Then([&] {
        EXPECT_EQ(ScreenWidth(), 1024);
        EXPECT_EQ(ScreenHeight(), 768);
        const TMenuBlock small(1024, 768);
        EXPECT_EQ(EntryInk(*host.Capture(), small)[kNewLevel], std::set<uint32_t>{kWhite});
        host.RequestClose();
    });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);
    EXPECT_TRUE(viewer.objects.empty());
    // A factor beyond 4 is not taken: the display chooses, and says so.
    EXPECT_TRUE(log.HasLine("SCALE=5 in \"tarn.ini\" is neither AUTO nor 1 to 4; the display chooses"));
    EXPECT_TRUE(log.HasLine("Interface scale 1x: display density unknown"));
    EXPECT_EQ(ReadFileText(work.File("tarn.ini")),
              "[GRAPHICS]\r\nFULLREFRESH = 0\r\nHEIGHT      = 768\r\nSCALE       = AUTO\r\nWIDTH       = 1024\r\n\r\n"
              "[MINE]\r\nKEEP = this one\r\n\r\n[OBJECTS]\r\nCOUNT       = 0\r\nOBJECT[0].X = 5\r\n\r\n");
}

TEST_F(Shell, PaletteSettingsAreReadWithTheirLimits) {
    // 65535 is written as -1 and reads back as 65535; the count is bounded.
    WriteFileText(work.File("tarn.ini"), "[objects]\ncount=10001\nobject[1].yd=-1\nobject[2].objkind=300\n"
                                         "object[3].xl=7\nobject[4].inside=hello\n");
    host.Then([&] { host.RequestClose(); });
    RunMenu();
    ASSERT_EQ(viewer.objects.size(), 10000u);
    EXPECT_EQ(viewer.objects[1]->yd, 65535);
    EXPECT_EQ(viewer.objects[2]->objkind, 300 % 256);
    EXPECT_EQ(viewer.objects[3]->xl, 7);
    EXPECT_EQ(viewer.objects[3]->yl, 0);   // KILLME's own size
    EXPECT_EQ(viewer.objects[4]->insideStr, "hello");
    EXPECT_EQ(viewer.objects[9999]->objkind, 9999 % 256);
    const std::string ini = ReadFileText(work.File("tarn.ini"));
    EXPECT_NE(ini.find("OBJECT[1].YD "), std::string::npos);
    EXPECT_NE(ini.find("= -1\r\n"), std::string::npos);

    // Below zero there is no palette at all.
    WriteFileText(work.File("tarn.ini"), "[objects]\ncount=-1\n");
    TJillLevelViewer again;
    host.Then([&] { host.RequestClose(); });
    Run([&] { again.MainMenu(); });
    EXPECT_TRUE(again.objects.empty());
}

TEST_F(Shell, AWindowThatCannotOpenHaltsWithTheLogBlockAndNoMessage) {
    WriteFileText(work.File("tarn.ini"), "[graphics]\nwidth=wide\n");
    const TRunResult run = RunMenu();
    EXPECT_EQ(run.end, TRunEnd::Exited);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_TRUE(log.HasLine("Trying to start windowed graphics mode 0 x 720 ... ERROR"));
    EXPECT_TRUE(log.HasLine(" A window of 0 x 720 pixels cannot be made"));
    EXPECT_TRUE(log.HasBlock("Cannot start graphics mode - Program halted."));
    EXPECT_TRUE(host.Requesters().empty());
    EXPECT_EQ(ReadFileText(work.File("tarn.ini")), "[graphics]\nwidth=wide\n");
}

TEST_F(Shell, LoadsSavesAndExportsALevelThroughTheMenu) {
    const std::string original = game + "showcase.jn1";
    const std::string copy = game + "copy.jn1";

    host.ExpectRequestFile(original);
    Choose(kLoadLevel);
    WaitFor([&] { return viewer.levelfile == original; });   // in the editor
    host.Then([&] {
        EXPECT_EQ(viewer.boundGame->Name, "Jill of the Jungle");
        host.PressKey(VK_ESCAPE);
    });
    // "Save Level As" cancelled keeps the level's path.
    host.ExpectRequestFile("");
    Choose(kSaveLevelAs);
    // A name without an extension gets the game's.
    host.ExpectRequestFile(game + "copy");
    Choose(kSaveLevelAs);
    WaitFor([&] { return viewer.levelfile == copy; });
    host.Then([&] {
        EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(original));
        std::filesystem::remove(copy);
    });
    Choose(kSaveLevel);
    WaitFor([&] { return std::filesystem::exists(copy); });
    // Replacing a file the requester did not ask about is asked here; No
    // writes nothing and keeps the path.
    host.ExpectRequestFile(game + "showcase");
    host.ExpectConfirm(0);
    Choose(kSaveLevelAs);
    WaitFor([&] { return Shown() == 5; });
    // A file that cannot be written leaves the path and the changes mark.
    host.ExpectRequestFile(work.File("missing/x.jn1"));
    host.ExpectNotify();
    host.Then([&] {
        viewer.levelchanged = 1;
        host.Click(menu.x + 4, menu.y + 16 * kSaveLevelAs + 8);
    });
    WaitFor([&] { return Shown() == 7; });
    host.Then([&] {
        EXPECT_EQ(viewer.levelfile, copy);
        EXPECT_EQ(viewer.levelchanged, 1);
        viewer.levelchanged = 0;
    });
    host.ExpectRequestFile(work.File("shot"));
    Choose(kExportMapshot);
    WaitFor([&] { return std::filesystem::exists(work.File("shot.png")); });
    host.ExpectRequestFile(work.File("missing/shot.png"));
    host.ExpectNotify();
    Choose(kExportMapshot);
    WaitFor([&] { return Shown() == 10; });
    Choose(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    const auto& shown = host.Requesters();
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_EQ(shown[0].title, "Open Jill Level File...");
    EXPECT_EQ(shown[0].filter, LevelFilter());
    EXPECT_EQ(shown[0].save, 0);
    EXPECT_EQ(shown[1].title, "Save Level As ...");
    EXPECT_EQ(shown[1].filter, LevelFilter());
    EXPECT_EQ(shown[1].save, 1);
    EXPECT_EQ(shown[4].text, "The file\n\n" + game + "showcase.jn1\n\nalready exists. Replace it?");
    EXPECT_EQ(shown[6].text,
              "ERROR: Cannot write level to the file\n\n" + work.File("missing/x.jn1") + "\n\n(No such file or directory)");
    EXPECT_EQ(shown[7].title, "Export Mapshot ...");
    EXPECT_EQ(shown[7].filter, "PNG Image:png");
    EXPECT_EQ(shown[9].text, "ERROR: Cannot write the mapshot to the file\n\n" + work.File("missing/shot.png") +
                                 "\n\n(No such file or directory)");
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(original));

    // The exported picture is the level's mapshot.
    TBitmapPtr png = LoadPng(work.File("shot.png"));
    TBitmapPtr expected = viewer.LevelToBitmap();
    ASSERT_TRUE(png && expected);
    EXPECT_EQ(png->fPixels, expected->fPixels);
    // Written without transparency: the colours are the palette's, all opaque.
    ASSERT_EQ(png->fColorTable->size(), expected->fColorTable->size());
    for (size_t i = 0; i < png->fColorTable->size(); ++i)
        EXPECT_EQ((*png->fColorTable)[i], (*expected->fColorTable)[i] | 0xFF000000u) << i;
}

TEST_F(Shell, AFailedLoadShowsItsNoticesAndLeavesNoLevel) {
    // One object whose text block is missing.
    std::vector<uint8_t> bad(16456 + 31, 0);
    bad[16384] = 1;
    bad[16386 + 23] = 7;
    WriteFileBytes(game + "bad.jn1", bad);

    host.ExpectRequestFile(game + "showcase.jn1");
    Choose(kLoadLevel);
    WaitFor([&] { return viewer.level != nullptr && !viewer.levelfile.empty(); });
    host.Then([&] { host.PressKey(VK_ESCAPE); });
    // Unsaved changes are asked about first; Cancel asks for no file.
    host.ExpectProceed(-1);
    host.Then([&] {
        viewer.levelchanged = 1;
        host.Click(menu.x + 4, menu.y + 16 * kLoadLevel + 8);
    });
    host.ExpectProceed(0);
    host.ExpectRequestFile(game + "bad.jn1");
    host.ExpectNotify();
    host.ExpectNotify();
    Choose(kLoadLevel);
    WaitFor([&] { return Shown() == 6; });
    host.WaitFrames(2);
    host.Then([&] {
        const auto ink = EntryInk(*host.Capture(), menu);
        for (int i = kSaveLevel; i <= kBackToEditor; ++i) EXPECT_EQ(ink[i], std::set<uint32_t>{kUnavailable}) << i;
    });
    // Entries that need a level say so.
    host.ExpectNotify();
    Choose(kBackToEditor);
    host.ExpectNotify();
    Choose(kExportMapshot);
    WaitFor([&] { return Shown() == 8; });
    host.Then([&] { host.RequestClose(); });
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    const auto& shown = host.Requesters();
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_EQ(shown[1].text, "The current level has not been saved.\n\nSave the level before proceeding?");
    EXPECT_EQ(shown[1].kind, "Proceed");
    EXPECT_EQ(shown[2].kind, "Proceed");
    EXPECT_EQ(shown[3].kind, "RequestFile");
    EXPECT_EQ(shown[4].text, "Error while trying to load a Jill level from the following file:\n\n" + game +
                                 "bad.jn1\n\nthe file ends after 16,487 bytes, inside the texts (the text of object 0)"
                                 "\n\nProbably not a (valid) level file?\n\nHint:\nThe level files "
                                 "should have the extension .JN? Or .ONE (for Onesimus)");
    EXPECT_EQ(shown[5].text, "ERROR: Cannot load level from the file\n\n" + game + "bad.jn1");
    EXPECT_EQ(shown[6].text, "ERROR: No Level Loaded!");
    EXPECT_EQ(shown[7].text, "ERROR: No Level Loaded!");
    EXPECT_FALSE(viewer.level);
}

TEST_F(Shell, NewLevelChoosesAGameAndSavesWithItsExtension) {
    const std::string empty = work.File("empty") + "/";
    std::filesystem::create_directory(empty);
    // A folder without games says so and asks again; cancelling ends it.
    host.ExpectRequestDir(empty);
    host.ExpectNotify();
    host.ExpectRequestDir("");
    Choose(kNewLevel);
    WaitFor([&] { return Shown() == 3; });
    host.ExpectRequestDir(game);
    Choose(kNewLevel);
    // The chooser: the four games, then the two commands, centred.
    const int lines = 6, w = StringWidth("Onesimus - A Quest For Freedom");
    const int x = (1280 - w) / 2, y = (720 - 16 * lines) / 2;
    WaitFor([&] { return Shown() == 4; });
    host.WaitFrames(2);
    host.Then([&] {
        const auto frame = host.Capture();
        EXPECT_EQ(InkIn(*frame, x, y, w, 16), std::set<uint32_t>{kWhite});
        EXPECT_EQ(InkIn(*frame, x, y + 16, w, 16), std::set<uint32_t>{kGrey});
        const int abortX = x + (w - StringWidth("ABORT")) / 2;
        EXPECT_EQ(InkIn(*frame, abortX, y + 80, StringWidth("ABORT"), 16), std::set<uint32_t>{kGrey});
        EXPECT_TRUE(InkIn(*frame, x, y + 80, abortX - x, 16).empty());
        // The title bar, with the title in black on light grey.
        EXPECT_EQ(ColoursIn(*frame, x - 12, y - 28, w + 8, 18), (std::set<uint32_t>{0, Rgb(170, 170, 170)}));
        // Up on the first line and a click outside change nothing.
        host.PressKey(VK_UP);
        host.Click(x - 40, y + 8);
    });
    host.WaitFrames(2);
    // "CHANGE FOLDER" with the folder requester cancelled keeps the menu.
    host.ExpectRequestDir("");
    host.Then([&] {
        EXPECT_EQ(InkIn(*host.Capture(), x, y, w, 16), std::set<uint32_t>{kWhite});
        host.Click(x + w / 2, y + 16 * 4 + 8);
    });
    WaitFor([&] { return Shown() == 5; });
    host.Then([&] {
        host.PressKey(VK_DOWN);
    });
    // Down stops on "ABORT".
    for (int key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN})
        host.Then([&, key] { host.PressKey(key); });
    WaitFor([&] { return viewer.level != nullptr; });   // in the editor
    host.Then([&] {
        EXPECT_EQ(viewer.boundGame->Name, "Jill Goes Underground");
        EXPECT_EQ(viewer.level->numobjs, 0);
        EXPECT_EQ(viewer.levelfile, "");
        host.PressKey(VK_ESCAPE);
    });
    // A level without objects is saved only when the user agrees.
    host.ExpectRequestFile(game + "new");
    host.ExpectConfirm(1);
    Choose(kSaveLevel);
    WaitFor([&] { return viewer.levelfile == game + "new.jn2"; });
    Choose(kQuit);
    EXPECT_EQ(RunMenu().end, TRunEnd::Exited);

    const auto& shown = host.Requesters();
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_EQ(shown[0].title, "Please select your Jill/Onesimus folder.");
    EXPECT_EQ(shown[1].text, "There are no supported games in the directory\n\n" + empty);
    EXPECT_EQ(shown[4].initialPath, work.File("game"));
    // A level never saved is proposed a place in its game's folder.
    EXPECT_EQ(shown[5].initialPath, game);
    EXPECT_EQ(shown[6].text, "There are no objects in the level.\nYou need to place at least a player object in the "
                             "level.\n\nDo you want to save the level anyway?");
    EXPECT_EQ(shown[6].serious, 0);
    EXPECT_EQ(ReadFileBytes(game + "new.jn2").size(), 16456u);
}

}  // namespace
