#pragma once
// The object pictures of a map, packed into a few picture files: every
// picture goes into a sheet of equal cells whose size is the next power of
// two of its own (so a long text does not blow up every cell), standing on
// the cell's bottom-left corner as Tiled stands a tile object. Equal pictures
// at equal offsets share one tile.

#include <map>
#include <string>
#include <vector>

#include "formats/tiled/tiled_level.h"

class TObjectPictureSheets {
public:
    // A picture's tile and the size of its cell, which is the size of the
    // tile objects that show it.
    struct TPlaced {
        int sheet = 0;
        int index = 0;
        uint32_t gid = 0;
        int cellWidth = 0;
        int cellHeight = 0;
    };

    // Adds a picture whose top-left corner lies (dx, dy) from its object's
    // position; defaults are the properties a new object placed with it in
    // Tiled takes. Gives the picture's number.
    int Add(const TBitmapPtr& picture, int dx, int dy, const TTiledProperties& defaults);
    // Makes the tilesets, with global ids from firstgid on, and their picture
    // files named base + ".objects-WxH.png".
    void Finish(uint32_t firstgid, const std::string& base, std::vector<TTiledTileset>& tilesets,
                std::vector<TTiledPicture>& pictures);
    const TPlaced& Placed(int number) const { return placed[size_t(number)]; }

private:
    struct TSheet {
        int cellWidth;
        int cellHeight;
        std::vector<int> pictures;   // numbers, in cell order
    };
    struct TPicture {
        TBitmapPtr bitmap;
        TTiledProperties properties;
    };
    std::vector<TSheet> sheets;
    std::vector<TPicture> pictureList;
    std::vector<TPlaced> placed;
    std::map<std::string, int> numbers;   // size, offset and pixels -> picture number
};
