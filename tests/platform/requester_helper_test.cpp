#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

#include <unistd.h>

#include "platform/desktop_requesters.h"
#include "platform/dialog_helper.h"
#include "platform/paths.h"
#include "platform/utf8.h"
#include "support/files.h"
#include "support/temp_dir.h"

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
                                        "--file-filter=Level Files | *.jn1 *.JN1 *.jn2 *.JN2 *.jn3 *.JN3 *.one *.ONE",
                                        "--file-filter=All Files | *"}));
    // Saving asks before replacing; a relative initial file is made absolute
    // and its group offered first.
    EXPECT_EQ(FileRequestArguments(zenity, "Export Mapshot ...", "All Files:*;PNG Image:png", true, "shots/map.png", "/w"),
              (std::vector<std::string>{"/usr/bin/zenity", "--file-selection", "--title=Export Mapshot ...", "--save",
                                        "--confirm-overwrite", "--filename=/w/shots/map.png",
                                        "--file-filter=PNG Image | *.png *.PNG", "--file-filter=All Files | *"}));
    EXPECT_EQ(DirRequestArguments(zenity, "Please select your Jill/Onesimus folder.", "/games/jill", "/w"),
              (std::vector<std::string>{"/usr/bin/zenity", "--file-selection", "--directory",
                                        "--title=Please select your Jill/Onesimus folder.", "--filename=/games/jill/"}));
}

TEST(RequesterHelper, KdialogArguments) {
    TDialogHelper kdialog{THelperKind::Kdialog, "/usr/bin/kdialog"};
    EXPECT_EQ(FileRequestArguments(kdialog, "Save Level As ...", kLevelFilter, true, "", "/games/jill"),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "Save Level As ...", "--getsavefilename",
                                        "/games/jill",
                                        "*.jn1 *.JN1 *.jn2 *.JN2 *.jn3 *.JN3 *.one *.ONE|Level Files\n*|All Files"}));
    EXPECT_EQ(FileRequestArguments(kdialog, "-t", "", false, "-odd.jn1", "/w"),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "-t", "--getopenfilename", "/w/-odd.jn1"}));
    EXPECT_EQ(DirRequestArguments(kdialog, "Folder", "", "/w"),
              (std::vector<std::string>{"/usr/bin/kdialog", "--title", "Folder", "--getexistingdirectory", "/w"}));
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
    EXPECT_EQ(args[3], "--file-filter=Level Files | *.jn1 *.JN1 *.jn2 *.JN2 *.jn3 *.JN3 *.one *.ONE");

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

TEST(RequesterHelper, AnswersAreLimitedTo260Characters) {
    std::string folder = "/" + std::string(250, 'd') + "/";
    THelperRun run{true, 0, "", false};

    run.output = folder + "abc.jn1\n";   // 259 characters
    EXPECT_EQ(HelperAnswer(run), folder + "abc.jn1");
    run.output = folder + "abcd.jn1";    // 260, without a line break
    EXPECT_EQ(HelperAnswer(run), folder + "abcd.jn1");
    run.output = folder + "abcde.jn1\n";  // 261
    EXPECT_EQ(HelperAnswer(run), "");
    // Characters, not bytes: 260 two-byte letters still fit.
    std::string wide;
    for (int i = 0; i < 260; ++i) wide += "\xc3\xa9";
    run.output = wide + "\n";
    EXPECT_EQ(HelperAnswer(run), wide);
    run.output = wide + "x\n";
    EXPECT_EQ(HelperAnswer(run), "");
    EXPECT_EQ(CharacterCount("a\xc3\xa9\xe6\xa3\xae"), 3u);
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
    TDesktopRequesterHost host{[this](const TTextRequest& request) {
        fallbackRequests.push_back(request);
        return std::string("/typed/in/window.jn1");
    }};
    std::vector<TTextRequest> fallbackRequests;
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
