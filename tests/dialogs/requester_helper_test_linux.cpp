#include <fnmatch.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

#include <unistd.h>

#include "dialogs/desktop_requesters.h"
#include "dialogs/dialog_helper.h"
#include "dialogs/file_filter.h"
#include "screen/input.h"
#include "support/files.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "system/paths.h"

namespace {

const std::string kLevelFilter = "Level Files:jn1,jn2,jn3,one;All Files:*";
// Everything a shell would take apart or expand, and a name that is not ASCII.
const std::string kAwkwardPath = "/home/jill/my \"levels\"; $HOME 'x' `id` \xc3\xbc" "ber/\xe6\xa3\xae level.jn1";

void WriteFile(const std::string& path, const std::string& text, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << text;
    chmod(path.c_str(), mode);
}

// A stand-in for a dialog helper: records its arguments (NUL-separated, so
// that line breaks inside one argument survive), prints the prepared answer
// and exits with the prepared status.
class TFakeHelper {
public:
    TFakeHelper(const TTempDir& dir, const std::string& name) : dir(dir), name(name) {
        WriteFile(dir.File(name),
                  "#!/bin/sh\n"
                  "for a in \"$@\"; do printf '%s\\000' \"$a\"; done > '" + dir.File(name + ".args") + "'\n"
                  "/bin/cat '" + dir.File(name + ".answer") + "'\n"
                  "exit $(/bin/cat '" + dir.File(name + ".status") + "')\n",
                  0755);
        Answer("", 1);
    }
    std::string Program() const { return dir.File(name); }
    void Answer(const std::string& output, int status) {
        WriteFile(dir.File(name + ".answer"), output);
        WriteFile(dir.File(name + ".status"), std::to_string(status) + "\n");
    }
    std::vector<std::string> Arguments() const {
        std::vector<std::string> args;
        std::string all = ReadFileText(dir.File(name + ".args"));
        for (size_t start = 0, end; (end = all.find('\0', start)) != std::string::npos; start = end + 1)
            args.push_back(all.substr(start, end - start));
        return args;
    }

private:
    const TTempDir& dir;
    std::string name;
};

std::string RequestThrough(const TDialogHelper& helper, const std::string& title, bool save,
                           const std::string& initial = "") {
    return HelperAnswer(RunDialogHelper(FileRequestArguments(helper, title, kLevelFilter, save, initial, "/work")));
}

}  // namespace

TEST(RequesterHelper, ZenityIsPreferredAndKdialogServesWithoutIt) {
    TTempDir first, second, empty;
    TFakeHelper kdialog(first, "kdialog");
    TFakeHelper zenity(second, "zenity");
    WriteFile(first.File("zenity"), "not a program", 0644);   // not executable: skipped

    auto found = FindDialogHelper(empty.Path() + ":relative/dir::" + first.Path() + ":" + second.Path());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->kind, THelperKind::Zenity);
    EXPECT_EQ(found->program, zenity.Program());

    found = FindDialogHelper(first.Path() + "/");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->kind, THelperKind::Kdialog);
    EXPECT_EQ(found->program, kdialog.Program());

    EXPECT_FALSE(FindDialogHelper(empty.Path()));
    EXPECT_FALSE(FindDialogHelper(""));
}

TEST(RequesterHelper, RelativeSearchPathEntriesAreNotTrusted) {
    TTempDir dir;
    TFakeHelper zenity(dir, "zenity");
    std::string before = CurrentWorkingDir();
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    bool found = FindDialogHelper(".:").has_value();
    ASSERT_EQ(chdir(before.c_str()), 0);
    EXPECT_FALSE(found);
}

TEST(RequesterHelper, ZenityArguments) {
    TDialogHelper zenity{THelperKind::Zenity, "/usr/bin/zenity"};
    EXPECT_EQ(FileRequestArguments(zenity, "Open Jill Level File...", kLevelFilter, false, "", "/games/jill"),
              (std::vector<std::string>{"/usr/bin/zenity", "--file-selection", "--title=Open Jill Level File...",
                                        "--filename=/games/jill/",
                                        "--file-filter=Level Files | *.[jJ][nN]1 *.[jJ][nN]2 *.[jJ][nN]3 *.[oO][nN][eE]",
                                        "--file-filter=All Files | *"}));
    // Saving asks before replacing; a relative initial file is made absolute
    // and its group offered first.
    EXPECT_EQ(FileRequestArguments(zenity, "Export Mapshot ...", "All Files:*;PNG Image:png", true, "shots/map.png", "/w"),
              (std::vector<std::string>{"/usr/bin/zenity", "--file-selection", "--title=Export Mapshot ...", "--save",
                                        "--confirm-overwrite", "--filename=/w/shots/map.png",
                                        "--file-filter=PNG Image | *.[pP][nN][gG]", "--file-filter=All Files | *"}));
    EXPECT_EQ(DirRequestArguments(zenity, "Please select your Jill/Onesimus folder.", "/games/jill", "/w"),
              (std::vector<std::string>{"/usr/bin/zenity", "--file-selection", "--directory",
                                        "--title=Please select your Jill/Onesimus folder.", "--filename=/games/jill/"}));
}

TEST(RequesterHelper, KdialogArguments) {
    TDialogHelper kdialog{THelperKind::Kdialog, "/usr/bin/kdialog"};
    EXPECT_EQ(FileRequestArguments(kdialog, "Save Level As ...", kLevelFilter, true, "", "/games/jill"),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "Save Level As ...", "--getsavefilename",
                                        "/games/jill",
                                        "*.[jJ][nN]1 *.[jJ][nN]2 *.[jJ][nN]3 *.[oO][nN][eE]|Level Files\n*|All Files"}));
    EXPECT_EQ(FileRequestArguments(kdialog, "-t", "", false, "-odd.jn1", "/w"),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "-t", "--getopenfilename", "/w/-odd.jn1"}));
    EXPECT_EQ(DirRequestArguments(kdialog, "Folder", "", "/w"),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "Folder", "--getexistingdirectory", "/w"}));
}

TEST(RequesterHelper, MessageBoxArguments) {
    TDialogHelper zenity{THelperKind::Zenity, "/usr/bin/zenity"};
    TDialogHelper kdialog{THelperKind::Kdialog, "/usr/bin/kdialog"};
    // Markup and escapes must show as written.
    const std::string text = "<b>1 & 2</b>\nC:\\jill\n\nSave?";
    const std::string kdialogText = "<b>1 & 2</b>\nC:\\\\jill\n\nSave?";

    EXPECT_EQ(MessageBoxArguments(zenity, TMessageKind::Notify, "Tarn", text, 0),
              (std::vector<std::string>{"/usr/bin/zenity", "--info", "--title=Tarn", "--text=" + text, "--no-markup",
                                        "--ok-label=OK"}));
    EXPECT_EQ(MessageBoxArguments(zenity, TMessageKind::Notify, "Tarn", text, 1)[1], "--warning");
    EXPECT_EQ(MessageBoxArguments(zenity, TMessageKind::Confirm, "Tarn", text, 0),
              (std::vector<std::string>{"/usr/bin/zenity", "--question", "--title=Tarn", "--text=" + text, "--no-markup",
                                        "--ok-label=OK", "--cancel-label=Cancel"}));
    EXPECT_EQ(MessageBoxArguments(zenity, TMessageKind::Proceed, "Tarn", text, 1),
              (std::vector<std::string>{"/usr/bin/zenity", "--question", "--title=Tarn", "--text=" + text, "--no-markup",
                                        "--ok-label=Yes", "--cancel-label=Cancel", "--extra-button=No",
                                        "--icon-name=dialog-warning"}));

    EXPECT_EQ(MessageBoxArguments(kdialog, TMessageKind::Notify, "Tarn", text, 0),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "Tarn", "--msgbox", kdialogText}));
    EXPECT_EQ(MessageBoxArguments(kdialog, TMessageKind::Notify, "Tarn", text, 1)[3], "--sorry");
    EXPECT_EQ(MessageBoxArguments(kdialog, TMessageKind::Confirm, "Tarn", text, 1),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "Tarn", "--warningyesno", kdialogText,
                                        "--yes-label", "OK", "--no-label", "Cancel"}));
    EXPECT_EQ(MessageBoxArguments(kdialog, TMessageKind::Proceed, "Tarn", text, 0),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "Tarn", "--yesnocancel", kdialogText,
                                        "--yes-label", "Yes", "--no-label", "No", "--cancel-label", "Cancel"}));
    EXPECT_EQ(MessageBoxArguments(kdialog, TMessageKind::Proceed, "Tarn", text, 1)[3], "--warningyesnocancel");
}

TEST(RequesterHelper, MessageBoxAnswersAndBoxesNeverShown) {
    auto answer = [](THelperKind helper, TMessageKind kind, int status, const std::string& output = "") {
        return HelperMessageAnswer(helper, kind, THelperRun{true, status, output, false});
    };
    const auto zenity = THelperKind::Zenity, kdialog = THelperKind::Kdialog;
    const auto notify = TMessageKind::Notify, confirm = TMessageKind::Confirm, proceed = TMessageKind::Proceed;
    const std::optional<int> none;

    EXPECT_EQ(answer(zenity, notify, 0), 0);
    EXPECT_EQ(answer(zenity, notify, 1), 0);   // closed with Escape: it was seen
    EXPECT_EQ(answer(zenity, confirm, 0), 1);
    EXPECT_EQ(answer(zenity, confirm, 1), 0);
    EXPECT_EQ(answer(zenity, proceed, 0), 1);
    EXPECT_EQ(answer(zenity, proceed, 1, "No\n"), 0);
    EXPECT_EQ(answer(zenity, proceed, 1, "No"), 0);
    EXPECT_EQ(answer(zenity, proceed, 1), -1);        // Cancel, or the box closed: never No
    EXPECT_EQ(answer(zenity, proceed, 1, "Nope\n"), -1);
    EXPECT_EQ(answer(zenity, confirm, 1, "No\n"), 0);
    for (int status : {2, 5, 255})
        for (TMessageKind kind : {notify, confirm, proceed}) EXPECT_EQ(answer(zenity, kind, status), none) << status;

    EXPECT_EQ(answer(kdialog, notify, 0), 0);
    EXPECT_EQ(answer(kdialog, notify, 1), none);
    EXPECT_EQ(answer(kdialog, confirm, 0), 1);
    EXPECT_EQ(answer(kdialog, confirm, 1), 0);
    EXPECT_EQ(answer(kdialog, confirm, 2), none);
    EXPECT_EQ(answer(kdialog, proceed, 0), 1);
    EXPECT_EQ(answer(kdialog, proceed, 1), 0);
    EXPECT_EQ(answer(kdialog, proceed, 2), -1);
    EXPECT_EQ(answer(kdialog, proceed, 3), none);
    EXPECT_EQ(answer(kdialog, proceed, 254), none);

    // Killed by a signal, or never started.
    EXPECT_EQ(answer(zenity, confirm, -1), none);
    EXPECT_EQ(HelperMessageAnswer(kdialog, proceed, THelperRun{}), none);
}

TEST(RequesterHelper, AwkwardPathsTravelUntouchedBothWays) {
    TTempDir dir;
    TFakeHelper zenity(dir, "zenity");
    TDialogHelper helper{THelperKind::Zenity, zenity.Program()};
    std::string before = CurrentWorkingDir();

    zenity.Answer(kAwkwardPath + "\n", 0);
    EXPECT_EQ(RequestThrough(helper, "Title \"$(touch x)\"; rm -rf *", false, kAwkwardPath), kAwkwardPath);
    auto args = zenity.Arguments();
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(args[0], "--file-selection");
    EXPECT_EQ(args[1], "--title=Title \"$(touch x)\"; rm -rf *");
    EXPECT_EQ(args[2], "--filename=" + kAwkwardPath);
    EXPECT_EQ(args[3], "--file-filter=Level Files | *.[jJ][nN]1 *.[jJ][nN]2 *.[jJ][nN]3 *.[oO][nN][eE]");

    EXPECT_EQ(CurrentWorkingDir(), before);
    EXPECT_EQ(PathType(dir.File("x")), 0);
}

TEST(RequesterHelper, CancelAndFailureGiveNothing) {
    TTempDir dir;
    TFakeHelper zenity(dir, "zenity");
    TDialogHelper helper{THelperKind::Zenity, zenity.Program()};

    zenity.Answer("", 1);
    EXPECT_EQ(RequestThrough(helper, "Open", false), "");
    zenity.Answer("/tmp/chosen.jn1\n", 5);   // a timed-out dialog still prints its selection
    EXPECT_EQ(RequestThrough(helper, "Open", false), "");
    zenity.Answer("\n", 0);
    EXPECT_EQ(RequestThrough(helper, "Open", false), "");
    zenity.Answer("/a.jn1\n/b.jn1\n", 0);    // never guess between two files
    EXPECT_EQ(RequestThrough(helper, "Open", false), "");

    THelperRun missing = RunDialogHelper({dir.File("no-such-program")});
    EXPECT_FALSE(missing.started);
    EXPECT_EQ(HelperAnswer(missing), "");
    EXPECT_FALSE(RunDialogHelper({}).started);
}

TEST(RequesterHelper, AnswersOfAnyLengthComeBackWhole) {
    THelperRun run{true, 0, "", false};
    for (size_t length : {259u, 260u, 261u, 300u, 4095u, 5000u}) {
        const std::string path = "/" + std::string(length - 1, 'd');
        run.output = path + "\n";
        EXPECT_EQ(HelperAnswer(run), path) << length;
    }
}

TEST(RequesterHelper, FloodedOutputIsCappedAndDoesNotHang) {
    TTempDir dir;
    std::string program = dir.File("chatty");
    // Far more than a pipe holds, so a reader that stopped early would deadlock.
    WriteFile(program, "#!/bin/sh\n/usr/bin/head -c 1000000 /dev/zero | /usr/bin/tr '\\0' a\nexit 0\n", 0755);
    THelperRun run = RunDialogHelper({program});
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_TRUE(run.truncated);
    EXPECT_EQ(run.output.size(), kMaxHelperOutput);
    EXPECT_EQ(HelperAnswer(run), "");
}

namespace {

// Sets an environment variable for one test and puts the old value back.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const char* value) : name(name) {
        const char* old = std::getenv(name);
        if (old) saved = old;
        hadValue = old != nullptr;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~TScopedEnv() {
        if (hadValue)
            setenv(name, saved.c_str(), 1);
        else
            unsetenv(name);
    }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    const char* name;
    std::string saved;
    bool hadValue = false;
};

class RequesterDesktopHost : public ::testing::Test {
protected:
    RequesterDesktopHost() { SetAppTitle("Tarn Test"); }
    ~RequesterDesktopHost() override { SetAppTitle(savedTitle); }

    std::string savedTitle = AppTitle();

    TDesktopRequesterHost host{[this](const TTextRequest& request) {
                                   fallbackRequests.push_back(request);
                                   return std::string("/typed/in/window.jn1");
                               },
                               [this](const TMessageBoxLayout& layout, const std::string& text) {
                                   systemBoxes.push_back(text);
                                   return systemBoxAnswer(layout);
                               }};
    std::vector<TTextRequest> fallbackRequests;
    std::vector<std::string> systemBoxes;
    // SDL's box, which cannot show itself unless a test says so.
    std::function<std::optional<int>(const TMessageBoxLayout&)> systemBoxAnswer = [](const TMessageBoxLayout&) {
        return std::optional<int>();
    };
    TTempDir bin;
    TScopedEnv display{"DISPLAY", ":42"};
    TScopedEnv wayland{"WAYLAND_DISPLAY", nullptr};
    TScopedEnv path{"PATH", bin.Path().c_str()};
};

}  // namespace

TEST_F(RequesterDesktopHost, FileRequestsGoToZenity) {
    TFakeHelper zenity(bin, "zenity");
    std::string before = CurrentWorkingDir();
    zenity.Answer(kAwkwardPath + "\n", 0);
    EXPECT_EQ(host.RequestFile("Save Level As ...", kLevelFilter, 1, ""), kAwkwardPath);
    auto args = zenity.Arguments();
    ASSERT_GE(args.size(), 4u);
    EXPECT_EQ(args[1], "--title=Save Level As ...");
    EXPECT_EQ(args[2], "--save");
    EXPECT_EQ(args[3], "--confirm-overwrite");
    EXPECT_EQ(CurrentWorkingDir(), before);

    zenity.Answer("", 1);
    EXPECT_EQ(host.RequestDir("Please select your Jill/Onesimus folder.", "/games/jill"), "");
    EXPECT_EQ(zenity.Arguments()[1], "--directory");
    EXPECT_TRUE(fallbackRequests.empty());
}

TEST_F(RequesterDesktopHost, LongPathsAreTakenAndOnlyAPathTheSystemRefusesIsToldAndCancelled) {
    TFakeHelper zenity(bin, "zenity");
    TTempDir games;
    // Nested folders make a level path of 300 characters.
    std::string folder = games.Path();
    while (folder.size() < 280) folder += "/" + std::string(std::min<size_t>(100, 280 - folder.size()), 'f');
    const std::string level = folder + "/" + std::string(295 - folder.size(), 'l') + ".jn1";
    ASSERT_EQ(level.size(), 300u);
    zenity.Answer(level + "\n", 0);
    EXPECT_EQ(host.RequestFile("Open Jill Level File...", kLevelFilter, 0, ""), level);
    EXPECT_EQ(zenity.Arguments()[0], "--file-selection") << "no notice was shown";

    // A name one character longer than the system takes: said, then cancelled.
    const std::string tooLong = games.File(std::string(256, 'n'));
    zenity.Answer(tooLong + "\n", 0);
    EXPECT_EQ(host.RequestFile("Save Level As ...", kLevelFilter, 1, ""), "");
    const auto notice = zenity.Arguments();
    ASSERT_GE(notice.size(), 3u);
    EXPECT_EQ(notice[0], "--warning");
    EXPECT_EQ(notice[2], "--text=The system cannot use the chosen path:\n\n" + tooLong + "\n\n(File name too long)");
    zenity.Answer(games.File(std::string(255, 'n')) + "\n", 0);
    EXPECT_EQ(host.RequestFile("Save Level As ...", kLevelFilter, 1, ""), games.File(std::string(255, 'n')));
    EXPECT_TRUE(fallbackRequests.empty());
}

TEST_F(RequesterDesktopHost, KdialogServesWhenZenityIsMissing) {
    TFakeHelper kdialog(bin, "kdialog");
    kdialog.Answer("/games/jill/level1.jn1\n", 0);
    EXPECT_EQ(host.RequestFile("Open Jill Level File...", kLevelFilter, 0, ""), "/games/jill/level1.jn1");
    auto args = kdialog.Arguments();
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(args[0], "--title");
    EXPECT_EQ(args[1], "Open Jill Level File...");
    EXPECT_EQ(args[2], "--getopenfilename");
    EXPECT_TRUE(fallbackRequests.empty());
}

TEST_F(RequesterDesktopHost, TheWindowServesWithoutAHelper) {
    EXPECT_EQ(host.RequestFile("Export Mapshot ...", "PNG Image:png", 1, "map.png"), "/typed/in/window.jn1");
    ASSERT_EQ(fallbackRequests.size(), 1u);
    EXPECT_EQ(fallbackRequests[0].title, "Export Mapshot ...");
    EXPECT_EQ(fallbackRequests[0].filter, "PNG Image:png");
    EXPECT_EQ(fallbackRequests[0].mode, TRequestMode::Save);
    EXPECT_EQ(fallbackRequests[0].initialPath, "map.png");
}

TEST_F(RequesterDesktopHost, TheWindowServesWhenTheHelperCannotShowItself) {
    TFakeHelper zenity(bin, "zenity");
    {
        TScopedEnv noDisplay{"DISPLAY", nullptr};
        zenity.Answer("/chosen\n", 0);
        EXPECT_EQ(host.RequestFile("Open", kLevelFilter, 0, ""), "/typed/in/window.jn1");
    }
    zenity.Answer("", 255);   // the helper's own error status
    EXPECT_EQ(host.RequestFile("Open", kLevelFilter, 0, ""), "/typed/in/window.jn1");
    EXPECT_EQ(fallbackRequests.size(), 2u);
}

TEST_F(RequesterDesktopHost, MessageBoxesGoToTheHelperFirst) {
    TFakeHelper zenity(bin, "zenity");
    zenity.Answer("No\n", 1);
    EXPECT_EQ(host.Proceed("The current level has not been saved.", 0), 0);
    EXPECT_EQ(zenity.Arguments(),
              (std::vector<std::string>{"--question", "--title=Tarn Test", "--text=The current level has not been saved.",
                                        "--no-markup", "--ok-label=Yes", "--cancel-label=Cancel", "--extra-button=No"}));
    zenity.Answer("", 0);
    EXPECT_EQ(host.Confirm("Save anyway?", 1), 1);
    host.Notify("ERROR: No Level Loaded!", 0);
    EXPECT_EQ(zenity.Arguments()[0], "--info");
    EXPECT_TRUE(systemBoxes.empty());
}

TEST_F(RequesterDesktopHost, SdlServesWhenNoHelperCanShowTheBox) {
    systemBoxAnswer = [](const TMessageBoxLayout& layout) { return std::optional<int>(layout.buttons[0].id); };
    EXPECT_EQ(host.Proceed("Save?", 0), 1);   // no helper installed
    {
        TFakeHelper kdialog(bin, "kdialog");
        kdialog.Answer("", 254);   // broken down
        EXPECT_EQ(host.Confirm("Save anyway?", 1), 1);
        EXPECT_EQ(kdialog.Arguments()[2], "--warningyesno");
    }
    TFakeHelper zenity(bin, "zenity");
    TScopedEnv noDisplay{"DISPLAY", nullptr};
    zenity.Answer("", 1);
    EXPECT_EQ(host.Confirm("Shown by SDL", 0), 1);
    EXPECT_EQ(systemBoxes, (std::vector<std::string>{"Save?", "Save anyway?", "Shown by SDL"}));
}

TEST_F(RequesterDesktopHost, WithoutAnyWindowTheTextGoesToStandardErrorAndNothingChanges) {
    ASSERT_EQ(ScreenWidth(), 0);
    testing::internal::CaptureStderr();
    host.Notify("first", 1);
    EXPECT_EQ(host.Confirm("second", 0), 0);
    EXPECT_EQ(host.Proceed("third", 0), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "first\nsecond\nthird\n");
}

TEST_F(RequesterDesktopHost, TheEditorsWindowAsksWhenNothingElseCan) {
    TTestHost window;
    int answer = 99;
    window.Then([&] { window.PressKey(VK_RIGHT); });
    window.Then([&] { window.PressKey(VK_RETURN); });
    EXPECT_EQ(window.Run([&] { answer = host.Proceed("The current level has not been saved.", 0); }).end,
              TRunEnd::Returned);
    EXPECT_EQ(answer, 0);
    EXPECT_GT(window.Frames(), 0);
    EXPECT_EQ(systemBoxes.size(), 1u);
}

// The helpers' own pattern lists: what Linux shows in its file requesters.
TEST(RequesterFilter, HelperPatternsMatchWhatTheGroupLists) {
    EXPECT_EQ(FilterPatterns({"Level Files", {"jn1", "one", "JN1"}}),
              (std::vector<std::string>{"*.[jJ][nN]1", "*.[oO][nN][eE]"}));
    EXPECT_EQ(FilterPatterns({"All Files", {"*"}}), (std::vector<std::string>{"*"}));
    EXPECT_EQ(FilterPatterns({"Digits", {"123"}}), (std::vector<std::string>{"*.123"}));

    // The helpers match their globs as fnmatch does: the same names as
    // FilterGroupLists, on both sides.
    const std::vector<std::string> patterns = FilterPatterns({"Level Files", {"jn1", "one"}});
    auto shown = [&](const std::string& name) {
        for (const std::string& pattern : patterns)
            if (fnmatch(pattern.c_str(), name.c_str(), 0) == 0) return true;
        return false;
    };
    for (const char* name : {"1.JN1", "intro.jn1", "Level.Jn1", "DESERT.ONE", "a.b.oNE"}) EXPECT_TRUE(shown(name)) << name;
    for (const char* name : {"1.JN10", "jn1", "1.jn", "1.jn1.bak", "JILL1.SHA", "phone"}) EXPECT_FALSE(shown(name)) << name;

    // Glob characters in an extension would match other names.
    EXPECT_TRUE(ParseFileFilter("Odd:j?1,[ab],x*").empty());
}
