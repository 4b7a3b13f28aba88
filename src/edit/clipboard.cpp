// Copy and paste through the system's clipboard: the brush in tile mode, one
// object in object mode. The clipboard outlives the level and reaches the
// editor's other windows, so what it holds names its game.

#include "edit/jill_level_viewer.h"
#include "level/clipboard_text.h"
#include "level/level.h"
#include "screen/clipboard.h"

bool TJillLevelViewer::CopyToClipboard() {
    if (!level || !boundGame) return false;
    if (!editobjs) {
        SetClipboardText(ClipboardTilesText(boundGame->Name, selTiles, selW, selH));
        return false;
    }
    // The object the right button's menu would be about.
    if (!MouseOverMap()) return false;
    if (TLevelObjectPtr obj = ChooseObjectAtPointer(false)) SetClipboardText(ClipboardObjectText(boundGame->Name, *obj));
    return true;
}

bool TJillLevelViewer::PasteFromClipboard() {
    if (!level || !boundGame) return false;
    const TClipboardContent content = ReadClipboardText(ClipboardText());
    if (!editobjs && content.kind == TClipboardContent::TKind::Tiles) {
        // The three Jill episodes share tile numbers but not their pictures.
        if (content.game != boundGame->Name) {
            MyNotify("The tiles on the clipboard were copied in " + content.game + ".\n\nTheir numbers stand for other "
                     "pictures in " + boundGame->Name + ", so they were not pasted.",
                     0);
            return true;
        }
        selTiles = content.tiles;
        selW = content.w;
        selH = content.h;
        return true;
    }
    if (editobjs && content.kind == TClipboardContent::TKind::Object) {
        // Held as a palette entry's copy is: the next left click places it.
        GenerateImage(content.object);
        selObj = content.object;
        selLink = 0;
        return true;
    }
    return false;
}
