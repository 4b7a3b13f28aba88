#pragma once
// The one editor object. It owns everything for the whole run; the open
// level, with all that belongs to it alone, is its document
// (document/level_document.h). Its fields are grouped by the subsystem that
// owns them, and its methods are defined in the folder of that subsystem
// (view/, edit/, app/). The data layers below never see this header: where
// a method is really data work, it is a thin call of a free function down
// there.
// Which file defines each group: docs/architecture.md, "Where each behaviour lives".

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/level_document.h"
#include "document/tile_edits.h"
#include "edit/screen_layout.h"
#include "gamedata/game_info.h"
#include "play/play_copy.h"

class TBitmap;
class TChildProcess;
class TLevel;
class TLevelObject;
class TShapeManager;
class TTileInfo;
class TTileLayer;
class TIniParser;

// The screen layout, camera and hit tests come from TScreenLayout, whose
// pure methods take the pointer as arguments; the methods here read it.
class TJillLevelViewer : public TScreenLayout {
public:
    TJillLevelViewer();
    ~TJillLevelViewer();
    TJillLevelViewer(const TJillLevelViewer&) = delete;
    TJillLevelViewer& operator=(const TJillLevelViewer&) = delete;

    // --- the open level
    // The level, its file, its game, its history and its recovery copy live
    // in the document. The names below are the document's own fields under
    // the names the whole editor and its tests have always used for them.
    TLevelDocument document;
    std::shared_ptr<TLevel>& level = document.level;
    std::string& levelfile = document.levelfile;
    uint8_t& levelchanged = document.levelchanged;

    // The pre-save check: 1 go on, 0 do not save.
    int ConfirmSave();
    // Saves the current level to url, or to levelfile when url is "", or to
    // a name asked for when both are empty. 1 when it was written.
    int SaveLevel(const std::string& url);
    // Before saving to path: true unless path is the level's own file, another
    // program changed it since this run loaded or saved it, and the user
    // would rather not overwrite that.
    bool ChangedOnDiskMayBeReplaced(const std::string& path);

    // --- game data and game binding
    std::shared_ptr<TShapeManager>& shapeman = document.shapeman;
    std::shared_ptr<TTileInfo>& tileinfo = document.tileinfo;
    TGameInfoPtr& boundGame = document.boundGame;
    std::string& dir = document.dir;
    std::string lastlevel;     // file name of the level open before the current one
    std::vector<TGameInfoPtr> GameInfos = MakeGameInfos();   // the four games, in detection order

    std::vector<TGameInfoPtr> GetGames(const std::string& folder);
    void InitGame(const std::string& folder, const TGameInfoPtr& game);
    // Reads the level at levelPath and binds the game it belongs to. True
    // when a level is open and a game is bound.
    bool Init(const std::string& levelPath);
    void LoadLevel(const std::string& path);
    void NewLevel();
    // "" when the user cancelled.
    std::string SelectGameDir();
    // The game chooser; true when a game was bound.
    bool SelectGame();

    // --- object palette and pictures
    std::vector<std::shared_ptr<TLevelObject>> objects;
    void GenerateImage(const std::shared_ptr<TLevelObject>& obj);
    void GenerateImages();

    // --- mapshot
    // The whole level at full size, 2048 x 1024 on the game palette with
    // index 0 opaque; null when no level is loaded.
    std::shared_ptr<TBitmap> LevelToBitmap();
    // The main menu's export: builds the picture and asks where to write it.
    void ExportMapshot();

    // --- the pointer over the layout
    using TScreenLayout::MapGetMousePixelPos;
    using TScreenLayout::MapGetMouseTilePos;
    using TScreenLayout::MapGetObjectPos;
    using TScreenLayout::MouseOverMap;
    using TScreenLayout::MouseOverObjectList;
    using TScreenLayout::MouseOverTileset;
    using TScreenLayout::TilesetGetMousePos;
    bool MouseOverMap() const;
    bool MouseOverTileset() const;
    bool MouseOverObjectList() const;
    void MapGetMouseTilePos(int& tx, int& ty) const;
    void MapGetMousePixelPos(int& px, int& py) const;
    // Where obj would stand if dropped at the pointer; Alt keeps the exact pixel.
    void MapGetObjectPos(const TLevelObject* obj, int& px, int& py) const;
    void TilesetGetMousePos(int& tx, int& ty) const;
    std::shared_ptr<TLevelObject> ObjListGetObjAt(int x, int y) const;

    // --- display switches and the map
    uint8_t drawtiles = 1;     // 0 none, 1 as the game draws them, 2 raw numbers, 3 attribute images
    uint8_t drawobjs = 3;      // bit 0 pictures, bit 1 hit-box outlines
    uint8_t drawwin = 0;       // 1 marks cells whose word has bit 14 or 15 set
    int findtile = -1;         // the tileset entry that pulses while F is held
    int flashing = 0;          // set by a pulsing mark: asks for a redraw soon
    std::shared_ptr<TTileLayer> tileLayer;   // the tile layer's picture, kept in step with the board
    std::shared_ptr<class TTilesetPicture> tilesetPicture;   // the tileset panel's 600 entries as one picture
    void DrawLevel();
    void DrawLevelTiles();
    void DrawLevelObjects();
    void DrawLevelObjectInfo();
    void HighlightLinkedObjects(const TLevelObject* obj);

    // --- panels and status bar
    void DrawInterface();
    void DrawTileset();
    void DrawObjectList();
    void DrawStatusText(const std::string& text);
    void DrawStatus();
    // A short message the status line shows for two seconds in place of
    // what lies under the pointer.
    std::string statusNotice;
    int statusNoticeShownAt = 0;
    void ShowStatusNotice(const std::string& text);
    // Whether the notice is still to be shown; forgets it once its time is up.
    bool StatusNoticeShowing();

    // --- object descriptions
    std::string ObjectToString(const TLevelObject* obj) const;
    // Pieces of text no wider than width pixels, cut at blanks.
    std::vector<std::string> SplitLine(const std::string& text, int width) const;

    // --- windows and the dimmed background
    void DrawWindow(int x, int y, int w, int h);
    void DrawTitledWindow(const std::string& title, int x, int y, int w, int h);
    void DrawBackground(int dim);
    void DrawEditor();

    // --- the editor loop and its input
    int fullrefresh = 1;
    int omx = -42, omy = -42;   // pointer position last seen by MouseMoved; -42 forces a redraw
    int EditLoop();
    void FlushMouseEx();
    bool MouseMoved(int& x, int& y);
    void FlushInput();
    // The work every polling loop does once a pass, before it asks whether
    // to draw: lays the screen out anew after a resize, keeps the recovery
    // copy in step (KeepRecoveryCopy), notices DOSBox's end (FollowPlay) and
    // answers F9 (CycleInterfaceScale), so that F9 works in every loop.
    // True when the screen must be drawn anew for it.
    bool BetweenPasses();
    // F9: the next interface scale setting, said on the status line.
    void CycleInterfaceScale();
    // Whether this pass draws: when forced, always with fullrefresh, or when
    // a blinking mark is due. A granted redraw restarts the blink's timing.
    bool MustRefresh(bool force);

    // --- panning the map with the middle button
    uint8_t panning = 0;              // 1 while a middle drag that began on the map lasts
    int panStartX = 0, panStartY = 0;           // the pointer where it began
    int panStartCamX = 0, panStartCamY = 0;     // the camera then
    // Follows the middle button: starts, moves the camera with the pointer,
    // ends. True on a pass in which the view changed or panning ended.
    bool PanMap(bool press3, bool down3);

    // --- brush and held object
    int selArea = 0;                  // where a right-drag began: 0 none, 1 the map, 2 the tileset
    int selStartX = -1, selStartY = -1;
    std::vector<uint16_t> selTiles;   // the brush, row by row
    int selW = 0, selH = 0;
    std::shared_ptr<TLevelObject> selObj;   // held for placing or moving, or the source of a link
    int selLink = 0;                  // 1: the next left click on the map picks the link target
    // The left-button stroke in progress (one press until its release).
    // Each pass paints the line from the pointer's place at the stroke's
    // pass before to its place now; that place is kept in window pixels, so
    // a zoom or a scroll in between does not draw across the board.
    int strokeLastX = 0, strokeLastY = 0;
    uint8_t strokeHasLast = 0;        // 1 once strokeLastX, strokeLastY hold a pass of this stroke
    uint8_t strokeRecorded = 0;       // 1 once the stroke has taken its undo state
    // A stroke begun on the tileset picks a tile instead of painting: the
    // tileset position of its press, -1 when it began elsewhere.
    int pickStartX = -1, pickStartY = -1;
    void ClearSelection();
    void CancelSelection();
    void StartSelection();
    void EndSelection();
    void BeginStroke();
    // A left press and release on one tileset entry make it the brush, as a
    // right-drag over that entry alone would.
    void EndStroke();
    bool StrokeBeganOnTileset() const { return pickStartX >= 0; }
    // The brush as the document's tile edits take it.
    TBrush Brush() const { return {selTiles, selW, selH}; }
    // True when PlaceTiles at this pass would change a cell of the board.
    bool PlaceTilesChangesBoard() const;
    // The stroke's one undo state, taken the first time only.
    void RecordStroke();
    // Stamps the brush on every shown cell of the stroke's line since its
    // pass before; allocates nothing.
    void PlaceTiles();
    void FloodFill();
    void DrawTileSelectionPreview();
    void DrawObjectPreview();

    // --- the clipboard (the system's)
    // Ctrl+C: the brush in tile mode; in object mode the object under the
    // pointer, the one its menu would be about. True when the screen changed.
    bool CopyToClipboard();
    // Ctrl+V: the clipboard's tiles of this game become the brush (of another
    // game: a notice); its object is held for placing, as the palette's
    // "Select" holds one. Anything else on it does nothing.
    bool PasteFromClipboard();

    // --- undo history
    std::shared_ptr<TLevelList>& undoList = document.undoList;
    std::shared_ptr<TLevelList>& redoList = document.redoList;
    bool CanUndo() const;
    bool CanRedo() const;
    // Records the level as it is, before an edit.
    void MakeUndoState();
    void Undo();
    void Redo();
    // Re-attaches selObj to its equal in state, the level about to become current.
    void FindSelectedObject(const std::shared_ptr<TLevel>& state);

    // --- object dialogs and menus
    void ObjectContextMenu(const std::shared_ptr<TLevelObject>& obj);
    void ObjectPaletteContextMenu(const std::shared_ptr<TLevelObject>& obj);
    // The picker for overlapping objects; null when cancelled.
    std::shared_ptr<TLevelObject> SelectObjectFromList(std::vector<std::shared_ptr<TLevelObject>> list);
    // The object of the level under the pointer that the user means (with
    // linkTargets, among those a link can reach): the last one in level order,
    // or the one picked when several overlap; null when none or cancelled.
    std::shared_ptr<TLevelObject> ChooseObjectAtPointer(bool linkTargets);
    void ObjectLinkMenu(const std::shared_ptr<TLevelObject>& source, const std::shared_ptr<TLevelObject>& target);
    void EditObject(const std::shared_ptr<TLevelObject>& obj);
    // The one-line text field; gives the edited text, or text itself on Escape.
    std::string EditString(const std::string& text, int x, int y, int w, int h);

    // --- inventory editor
    void EditInventory();

    // --- messages
    void MyNotify(const std::string& text, int serious);
    int MyConfirm(const std::string& text, int serious);
    int MyProceed(const std::string& text, int serious);
    // Shows text in a framed box over the dimmed editor for one frame.
    void DisplayMessage(const std::string& text);

    // --- no work lost
    // Whether the user is still to be told of the document's recoveryProblem
    // (1) or was told (2): once a run, and never while a mouse button is
    // held, so that a stroke in progress goes on.
    uint8_t recoveryNotice = 0;
    // Called once a pass by every loop: keeps the copy in step with a
    // changed level, no more often than once a second, and drops it when the
    // level has no unsaved changes any more. True when it showed a notice,
    // after which the window is to be drawn again.
    bool KeepRecoveryCopy();
    // Removes this run's copy (saved, discarded, replaced, or an orderly end).
    void DropRecoveryCopy();
    // At start-up: offers the copies that runs which did not end in order
    // left behind. True when one was restored as the current level.
    bool OfferRecoveryCopies();

    // --- play-testing in DOSBox
    std::unique_ptr<TChildProcess> playProcess;   // DOSBox while it plays
    TScratchCopy playCopy;                        // the game folder's copy it plays in
    std::string playExtension;                    // the played game's level extension
    // F5 (Shift+F5: choose the slot first): the level as it is, played in
    // DOSBox on a scratch copy of the game folder.
    void PlayLevel(bool chooseSlot);
    // Once a pass: notices DOSBox's end, keeps what the game wrote and
    // removes the copy. True when it ended.
    bool FollowPlay();
    // The game's program, found, remembered or asked for; "" when none.
    std::string GameProgramForPlay();
    // Shift+F5's question: which level of the game the played copy also
    // stands in for. False when cancelled (the earlier choice stays).
    bool ChoosePlaySlot();

    // --- settings, start and end
    std::shared_ptr<TIniParser> ini;
    void LoadSettings();
    // False when "tarn.ini" could not be written (the old file is then kept).
    bool SaveSettings();
    // The layout for the open window.
    void InitWindow();
    // The window's size changed: the layout for the new size, the view kept.
    void ResizeWindow();
    void InitObjectPalette();
    // A level named on the command line (levelToOpen) is opened first, as
    // "Load Level" opens it.
    [[noreturn]] void MainMenu(const std::string& levelToOpen = "");
    int AskSave();
    int Quit();
};
