#pragma once
// The list of bitmap file decoders, and loading a picture by trying each.

#include <memory>
#include <string>
#include <vector>

#include "image/bitmap.h"
#include "image/pixmap.h"
#include "system/stream.h"

class TBitmapLoader {
public:
    virtual ~TBitmapLoader() = default;
    // Decodes from the stream's current position; null when the data are not
    // this loader's format. May throw: the caller counts that as a refusal.
    virtual TBitmapPtr LoadBitmap(const TStreamPtr& stream) = 0;
};

class TPngLoader : public TBitmapLoader {
public:
    TBitmapPtr LoadBitmap(const TStreamPtr& stream) override;
};

using TBitmapLoaderPtr = std::shared_ptr<TBitmapLoader>;

// The process-wide list in the order loaders are tried. It is made on first
// use, with the PNG loader already in it, and never shrinks.
const std::vector<TBitmapLoaderPtr>& BitmapLoaders();
void RegisterBitmapLoader(TBitmapLoaderPtr loader);

// Opens source and offers it to every loader in turn, each from the same
// start; the first bitmap wins. Null when none takes it.
TBitmapPtr LoadBitmapFile(const std::string& source);

// Lets pictures that only the bitmap loaders understand be loaded as pixmaps.
class TPixmapConverter {
public:
    // LoadBitmapFile, then the bitmap's RGBA pixmap; null when it fails.
    TPixmapPtr LoadPixmap(const std::string& source) const;
};
