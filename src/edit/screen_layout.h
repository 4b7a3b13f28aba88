#pragma once
// The fixed division of the editor's window (tab bar and side panel on the
// left, map view on the right, status bar along the bottom), the map's camera
// and zoom, the side panel's scrolling, and every conversion from a window
// point to what lies under it. The pointer position is an argument here, so
// all of it can be checked without a window; the editor reads the pointer and
// passes it on.

#include <cstddef>
#include <cstdint>

class TLevelObject;

class TScreenLayout {
public:
    // Map view rectangle, in window pixels.
    int mapX = 0, mapY = 0, mapW = 0, mapH = 0;
    float mapZoom = 1.0f;   // screen pixels per level pixel
    // Whole tiles that fit across and down the map view at the current zoom.
    int mapTilesW = 0, mapTilesH = 0;
    // Level tile at the top-left corner of the map view, and its largest
    // values at the current zoom (negative when the whole level fits).
    int camX = 0, camY = 0;
    int maxCamX = 0, maxCamY = 0;
    // The side panel; the tileset and the object palette share it.
    int tilesX = 0, tilesY = 0, tilesW = 0, tilesH = 0;
    int tilesCamY = 0;        // first tileset row shown
    int tilesCamW = 0;        // tileset entries per row
    int tilesCamAmount = 0;   // tileset entries that fit in the panel
    int objCamY = 0;          // first palette row shown
    int objCamW = 0;          // palette cells per row
    int objCamAmount = 0;     // palette cells that fit in the panel
    int statusY = 0;          // top of the status bar
    uint8_t editobjs = 0;     // 0: the panel shows the tileset, 1: the palette

    // Lays the window out for a client area of width x height at zoom 1.
    void InitWindow(int width, int height);
    // Lays the window out anew for its new size, keeping the zoom; the camera
    // stays where it was as far as the new limits allow.
    void ResizeWindow(int width, int height);
    // Panel columns for w tileset entries per row; an odd w loses a column so
    // that two tileset entries always make one palette cell.
    void SetTilesetWidth(int w);
    // Every change of zoom comes through here, so the visible tiles and the
    // camera limits always match mapZoom.
    void SetMapZoom(float z);
    // Keeps the camera within 0..maxCamX and 0..maxCamY; where the level fits
    // in the view, it is shown from tile 0.
    void FixCam();
    // One zoom step in or out, through 1/16, 1/8 .. 1, 2, 3 ..; zooming out
    // stops at 1/16, zooming in never stops.
    void ZoomIn();
    void ZoomOut();
    void ResetZoom();
    // The camera of a drag that began at (startCamX, startCamY) and has moved
    // the pointer by (dx, dy) window pixels: the level moves with the pointer
    // by the nearest whole number of tiles, within the camera's limits.
    void PanCamera(int startCamX, int startCamY, int dx, int dy);

    bool MouseOverMap(int x, int y) const;
    bool MouseOverTileset(int x, int y) const;
    bool MouseOverObjectList(int x, int y) const;

    // Level tile and level pixel under the window point. Meaningful only
    // while MouseOverMap holds.
    void MapGetMouseTilePos(int x, int y, int& tx, int& ty) const;
    void MapGetMousePixelPos(int x, int y, int& px, int& py) const;
    // Where obj would stand if dropped at the window point: snapped to the
    // top-left, the middle or the bottom-right of the tile depending on where
    // in the tile the point lies, or the exact pixel with alt held. A null obj
    // snaps to the tile's top-left corner.
    void MapGetObjectPos(int x, int y, const TLevelObject* obj, bool alt, int& px, int& py) const;
    static bool IsValidTilePos(int x, int y);
    // The level pixel lies inside the level, 0-2047 across and 0-1023 down.
    static bool IsValidPixelPos(int px, int py);
    // The level tile under any window point, inside the map view or beyond
    // it. Rounded down, so a point left of or above the view gives a column
    // or row before camX or camY; inside the view it is MapGetMouseTilePos.
    void MapGetTileAt(int x, int y, int& tx, int& ty) const;
    // The tile lies on the board and some pixel of the map view shows it.
    bool IsVisibleTilePos(int tx, int ty) const;

    // Tileset column and row under the window point.
    void TilesetGetMousePos(int x, int y, int& tx, int& ty) const;
    int TilesetGetTileAt(int tx, int ty) const;
    // The entry exists; the column is not checked, callers keep to the panel.
    bool IsValidTilesetPos(int tx, int ty) const;
    // Index of the palette cell at the window point among count palette
    // entries, or -1 outside the palette or past its end.
    int ObjListIndexAt(int x, int y, size_t count) const;

    // The side panel's scrolling: by the wheel (positive rolls away from the
    // user and shows earlier rows) or by one row. The first row shown stays
    // between 0 and the row at which the last entry comes into view.
    void TilesetScrollWheel(int wheel);
    void TilesetRowUp();
    void TilesetRowDown();
    void ObjListScrollWheel(int wheel, size_t count);
    void ObjListRowUp();
    void ObjListRowDown(size_t count);

    // Clipping for drawing the whole window, the map view, the side panel.
    void FullViewport() const;
    void MapViewport() const;
    void TilesetViewport() const;

    // The five text buttons keep fixed places, whatever the panel's width.
    static bool MouseOverTilesButton(int x, int y);
    static bool MouseOverObjectsButton(int x, int y);
    static bool MouseOverInventoryButton(int x, int y);
    bool MouseOverUndoButton(int x, int y) const;
    bool MouseOverRedoButton(int x, int y) const;

private:
    // The regions of the window for a client area of width x height.
    void LayOut(int width, int height);
};
