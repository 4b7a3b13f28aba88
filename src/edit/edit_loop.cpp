// The editing screen's loop: one pass draws if something asked for it, then
// polls the keys and the mouse once and acts on them.

#include "document/object_edits.h"
#include "edit/editor_keys.h"
#include "edit/jill_level_viewer.h"
#include "level/level.h"
#include "screen/graphics.h"
#include "screen/input.h"
#include "system/clock.h"

namespace {

// Only the wheel asks whether Ctrl is held now; the keys and the buttons count
// with the modifiers held when they went down.
bool CtrlHeld() { return KeyIsDown(VK_LCONTROL) || KeyIsDown(VK_RCONTROL); }
bool LeftPressWithShift() { return (ButtonPressModifiers(1) & kModShift) != 0; }

// A left press paints on every pass it is held, wherever it began, and the
// stroke takes one undo state when it first changes the board, so Ctrl+Z
// takes back that stroke alone; with Shift, on the map, it fills once. A
// press on the tileset never paints: let go on the same entry, it picks that
// tile. The right button drags out a brush. Both buttons held at once cancel
// either pick, whichever went down first, and keep the brush.
bool TileModeClicks(TJillLevelViewer& viewer, bool click1, bool release1, bool down1, bool down2, bool click2,
                    bool release2) {
    if (click1) viewer.BeginStroke();
    bool acted = false;
    if (release1 && viewer.StrokeBeganOnTileset()) {
        viewer.EndStroke();
        acted = true;
    }
    if (down1 && down2) {
        viewer.CancelSelection();
        viewer.FlushMouseEx();
    } else if (click2) {
        viewer.StartSelection();
    } else if (release2) {
        viewer.EndSelection();
    } else if (down1) {
        if (viewer.StrokeBeganOnTileset()) return acted;
        if (LeftPressWithShift()) {
            if (!viewer.MouseOverMap()) return false;
            int tx = 0, ty = 0;
            viewer.MapGetMouseTilePos(tx, ty);
            if (viewer.IsValidTilePos(tx, ty)) viewer.RecordStroke();
            viewer.FloodFill();
            viewer.FlushMouseEx();
        } else {
            // Off the map too: the line from the last pass runs up to the
            // view's edge.
            if (viewer.PlaceTilesChangesBoard()) viewer.RecordStroke();
            viewer.PlaceTiles();
        }
    } else {
        return acted;
    }
    return true;
}

// Placing and moving the held object, link mode's target, and the context
// menus of the right button.
bool ObjectModeClicks(TJillLevelViewer& viewer, bool click1, bool click2) {
    if (!viewer.level) return false;
    if (viewer.MouseOverObjectList()) {
        if (!click2) return false;
        if (TLevelObjectPtr entry = viewer.ObjListGetObjAt(PointerX(), PointerY())) viewer.ObjectPaletteContextMenu(entry);
        viewer.selLink = 0;
        return true;
    }
    if (!viewer.MouseOverMap()) return false;
    bool acted = false;
    if (click1 && viewer.selObj) {
        acted = true;
        if (viewer.selLink) {
            // Without a target under the pointer link mode stays on.
            if (TLevelObjectPtr target = viewer.ChooseObjectAtPointer(true)) {
                viewer.ObjectLinkMenu(viewer.selObj, target);
                viewer.selLink = 0;
                viewer.selObj = nullptr;
            }
        } else {
            const bool inLevel = viewer.level->ContainsObject(viewer.selObj.get());
            int px = 0, py = 0, x = 0, y = 0;
            viewer.MapGetMousePixelPos(px, py);
            viewer.MapGetObjectPos(viewer.selObj.get(), x, y);
            // A click beyond the level's edge (the black area when zoomed
            // out) leaves the object in hand: the game has no place there.
            // Shift keeps a fresh copy of a newly placed one in hand for the
            // next click.
            if (viewer.IsValidPixelPos(px, py) && PlaceObject(viewer.document, viewer.selObj, x, y) && !inLevel &&
                LeftPressWithShift())
                viewer.selObj = viewer.selObj->Clone();
        }
    }
    if (click2) {
        acted = true;
        // The right button drops what is held and leaves link mode.
        viewer.selObj = nullptr;
        viewer.selLink = 0;
        if (TLevelObjectPtr obj = viewer.ChooseObjectAtPointer(false)) {
            // The menu's "Link" keeps it as the link's source.
            viewer.selObj = obj;
            viewer.ObjectContextMenu(obj);
        }
    }
    return acted;
}

}  // namespace

int TJillLevelViewer::EditLoop() {
    FlushInput();
    bool redraw = true;
    bool wasDown1 = false, wasDown2 = false;
    for (;;) {
        int px = 0, py = 0;
        if (BetweenPasses()) redraw = true;
        if (MustRefresh(redraw) || MouseMoved(px, py)) {
            Cls();
            DrawEditor();
            DrawTileSelectionPreview();
            DrawLevelObjectInfo();
            DrawObjectPreview();
            if (selLink)
                DrawStatusText("Link Objects: click on the object you want to link to the current object "
                               "(right-click to abort)");
            else
                DrawStatus();
            Flip(-1);
            redraw = false;
        } else {
            SleepMs(16);
        }

        TEditorPass pass{WheelDelta(), CtrlHeld()};
        for (const TEditorKey& key : EditorKeys()) {
            if (key.Acts(pass))
                redraw |= key.action(*this, pass);
            else if (key.otherwise)
                redraw |= key.otherwise(*this, pass);
        }

        // A press seen by the counter, or a button found down that was up
        // on the pass before, is a click. A press let go again before this
        // pass still counts as held for it, so a quick click on a busy frame
        // paints its cell instead of getting lost.
        const bool hits1 = ButtonHits(1) > 0, hits2 = ButtonHits(2) > 0, hits3 = ButtonHits(3) > 0;
        const bool down1 = ButtonDown(1) || hits1, down2 = ButtonDown(2) || hits2;
        const bool click1 = hits1 || (down1 && !wasDown1);
        const bool click2 = hits2 || (down2 && !wasDown2);
        const bool release1 = wasDown1 && !down1;
        const bool release2 = wasDown2 && !down2;
        wasDown1 = down1;
        wasDown2 = down2;

        // A middle drag on the map moves the view, and nothing else happens
        // with the buttons while it lasts.
        if (PanMap(hits3, ButtonDown(3) || hits3)) redraw = true;
        // A button pressed during the drag counts as pressed once it ends.
        if (panning) wasDown1 = wasDown2 = false;
        bool skipToEscape = panning;
        if (click1 && !down2 && !skipToEscape) {
            const int x = PointerX(), y = PointerY();
            if (MouseOverUndoButton(x, y)) {
                Undo();
                redraw = true;
            } else if (MouseOverRedoButton(x, y)) {
                Redo();
                redraw = true;
            } else if (MouseOverTilesButton(x, y)) {
                editobjs = 0;
                redraw = true;
            } else if (MouseOverObjectsButton(x, y)) {
                editobjs = 1;
                redraw = true;
            } else if (MouseOverInventoryButton(x, y)) {
                EditInventory();
                redraw = true;
                skipToEscape = true;
            }
        }

        if (!skipToEscape) {
            if (editobjs)
                redraw |= ObjectModeClicks(*this, click1, click2);
            else
                redraw |= TileModeClicks(*this, click1, release1, down1, down2, click2, release2);

            // The window's close box ends the program as Quit in the menu
            // does, with its question and its notice about the settings.
            if (CloseRequested()) Quit();
        }
        if (KeyPresses(kLeaveEditorKey)) {
            FlushInput();
            return 0;
        }
    }
}
