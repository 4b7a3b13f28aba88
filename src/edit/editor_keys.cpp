#include "edit/editor_keys.h"

#include "edit/jill_level_viewer.h"
#include "level/level.h"
#include "screen/input.h"

namespace {

bool KeyAnswers(int key, TKeyTest test, int modifiers) {
    bool hit = false;
    switch (test) {
        case TKeyTest::Press: hit = KeyPresses(key) > 0; break;
        case TKeyTest::Repeat: hit = KeyRepeat(key, kKeyRepeatDelayMs); break;
        case TKeyTest::Held: hit = KeyIsDown(key) != 0; break;
    }
    return hit && (modifiers == 0 || (KeyPressModifiers(key) & modifiers) == modifiers);
}

bool SwitchMode(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.editobjs ^= 1;
    viewer.CancelSelection();
    viewer.FlushMouseEx();
    return true;
}

bool NextTileDisplay(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.drawtiles = uint8_t((viewer.drawtiles + 1) % 4);
    return true;
}

bool NextObjectDisplay(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.drawobjs = uint8_t((viewer.drawobjs + 1) % 4);
    return true;
}

bool ToggleFlagMarks(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.drawwin ^= 1;
    return true;
}

// One tile towards the level's edge, not past it.
bool StepCamera(int& cam, int step, int limit) {
    if (step < 0 ? cam > 0 : cam < limit) cam += step;
    return true;
}

bool ScrollLeft(TJillLevelViewer& viewer, TEditorPass&) { return StepCamera(viewer.camX, -1, viewer.maxCamX); }
bool ScrollRight(TJillLevelViewer& viewer, TEditorPass&) { return StepCamera(viewer.camX, 1, viewer.maxCamX); }
bool ScrollUp(TJillLevelViewer& viewer, TEditorPass&) { return StepCamera(viewer.camY, -1, viewer.maxCamY); }
bool ScrollDown(TJillLevelViewer& viewer, TEditorPass&) { return StepCamera(viewer.camY, 1, viewer.maxCamY); }

// Takes effect from the next redraw on; nothing to draw now.
bool ToggleFullRefresh(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.fullrefresh ^= 1;
    return false;
}

// However far the wheel turned, one zoom step per pass, and that movement
// does not also scroll the panel.
bool CtrlWheelAway(const TEditorPass& pass) { return pass.wheel > 0 && pass.ctrl; }
bool CtrlWheelToward(const TEditorPass& pass) { return pass.wheel < 0 && pass.ctrl; }

bool ZoomIn(TJillLevelViewer& viewer, TEditorPass& pass) {
    viewer.ZoomIn();
    pass.wheel = 0;
    return true;
}

bool ZoomOut(TJillLevelViewer& viewer, TEditorPass& pass) {
    viewer.ZoomOut();
    pass.wheel = 0;
    return true;
}

bool ResetZoom(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.ResetZoom();
    return true;
}

bool PlainWheel(const TEditorPass& pass) { return pass.wheel != 0 && !pass.ctrl; }

bool ScrollPanel(TJillLevelViewer& viewer, TEditorPass& pass) {
    if (viewer.editobjs)
        viewer.ObjListScrollWheel(pass.wheel, viewer.objects.size());
    else
        viewer.TilesetScrollWheel(pass.wheel);
    return true;
}

bool PanelRowUp(TJillLevelViewer& viewer, TEditorPass&) {
    if (viewer.editobjs)
        viewer.ObjListRowUp();
    else
        viewer.TilesetRowUp();
    return true;
}

bool PanelRowDown(TJillLevelViewer& viewer, TEditorPass&) {
    if (viewer.editobjs)
        viewer.ObjListRowDown(viewer.objects.size());
    else
        viewer.TilesetRowDown();
    return true;
}

bool Save(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.SaveLevel("");
    return true;
}

bool Undo(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.FlushMouseEx();
    viewer.Undo();
    return true;
}

bool Redo(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.FlushMouseEx();
    viewer.Redo();
    return true;
}

bool Copy(TJillLevelViewer& viewer, TEditorPass&) { return viewer.CopyToClipboard(); }
bool Paste(TJillLevelViewer& viewer, TEditorPass&) { return viewer.PasteFromClipboard(); }

bool ForgetFoundTile(TJillLevelViewer& viewer, TEditorPass&) {
    if (viewer.findtile < 0) return false;
    viewer.findtile = -1;
    return true;
}

// While F is held in tile mode, the tileset shows the tile under the pointer.
bool FindTileUnderPointer(TJillLevelViewer& viewer, TEditorPass& pass) {
    if (viewer.editobjs) return ForgetFoundTile(viewer, pass);
    if (viewer.MouseOverMap() && viewer.level) {
        int tx = 0, ty = 0;
        viewer.MapGetMouseTilePos(tx, ty);
        viewer.findtile = viewer.level->Board(tx, ty);
    }
    return true;
}

// F5 plays the level in DOSBox; with Shift, the slot it plays in is chosen first.
bool Play(TJillLevelViewer& viewer, TEditorPass&) {
    viewer.PlayLevel((KeyPressModifiers(kPlayKey) & kModShift) != 0);
    viewer.FlushMouseEx();
    return true;
}

using enum TKeyTest;

constexpr TEditorKey kEditorKeys[] = {
    {{VK_TAB}, Press, 0, nullptr, SwitchMode, nullptr},
    {{'1'}, Press, 0, nullptr, NextTileDisplay, nullptr},
    {{'2'}, Press, 0, nullptr, NextObjectDisplay, nullptr},
    {{'3'}, Press, 0, nullptr, ToggleFlagMarks, nullptr},
    {{VK_LEFT}, Repeat, 0, nullptr, ScrollLeft, nullptr},
    {{VK_RIGHT}, Repeat, 0, nullptr, ScrollRight, nullptr},
    {{VK_UP}, Repeat, 0, nullptr, ScrollUp, nullptr},
    {{VK_DOWN}, Repeat, 0, nullptr, ScrollDown, nullptr},
    {{VK_F12}, Press, 0, nullptr, ToggleFullRefresh, nullptr},
    {{VK_ADD, VK_OEM_PLUS}, Repeat, 0, CtrlWheelAway, ZoomIn, nullptr},
    {{VK_SUBTRACT, VK_OEM_MINUS}, Repeat, 0, CtrlWheelToward, ZoomOut, nullptr},
    {{'0', VK_NUMPAD0}, Press, kModCtrl, nullptr, ResetZoom, nullptr},
    {{}, Press, 0, PlainWheel, ScrollPanel, nullptr},
    {{VK_PRIOR}, Repeat, 0, nullptr, PanelRowUp, nullptr},
    {{VK_NEXT}, Repeat, 0, nullptr, PanelRowDown, nullptr},
    {{'S'}, Press, kModCtrl, nullptr, Save, nullptr},
    {{'Z'}, Repeat, kModCtrl, nullptr, Undo, nullptr},
    {{'Y'}, Repeat, kModCtrl, nullptr, Redo, nullptr},
    {{'C'}, Press, kModCtrl, nullptr, Copy, nullptr},
    {{'V'}, Press, kModCtrl, nullptr, Paste, nullptr},
    {{'F'}, Held, 0, nullptr, FindTileUnderPointer, ForgetFoundTile},
    {{kPlayKey}, Press, 0, nullptr, Play, nullptr},
};

}  // namespace

bool TEditorKey::Acts(const TEditorPass& pass) const {
    bool acts = false;
    for (const int key : keys)
        if (key != 0 && KeyAnswers(key, test, modifiers)) acts = true;
    return acts || (orWhen && orWhen(pass));
}

std::span<const TEditorKey> EditorKeys() { return kEditorKeys; }
