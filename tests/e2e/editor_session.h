#pragma once
// A person's session with the editor, from the main menu on: the sample game
// in a fresh working folder, the scripted host, and the editor object.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "edit/jill_level_viewer.h"
#include "support/log_capture.h"
#include "support/test_host.h"
#include "support/work_folder.h"

class TEditorSession : public testing::Test {
protected:
    TWorkFolder work;
    TLogCapture log;
    TTestHost host;
    TJillLevelViewer viewer;
    std::string game = work.File("game") + "/";

    TEditorSession();

    // The main menu's entries, by their number from the top.
    enum { kNewLevel, kLoadLevel, kSaveLevel, kSaveLevelAs, kExportMapshot, kBackToEditor, kQuit };
    void ClickMenuEntry(int entry);
    // Script steps that load a level of the sample game from the menu and
    // wait until the editing screen shows it.
    void LoadFromMenu(const std::string& levelName);
    // Runs the main menu with the script. A session takes a few hundred
    // passes; a script that went wrong fails fast.
    TRunResult RunMenu();
};
