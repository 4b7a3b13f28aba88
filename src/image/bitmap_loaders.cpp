#include "image/bitmap_loaders.h"

#include <exception>

#include "image/png_load.h"

namespace {

std::vector<TBitmapLoaderPtr>& LoaderList() {
    static std::vector<TBitmapLoaderPtr> loaders{std::make_shared<TPngLoader>()};
    return loaders;
}

}  // namespace

TBitmapPtr TPngLoader::LoadBitmap(const TStreamPtr& stream) { return LoadPng(stream); }

const std::vector<TBitmapLoaderPtr>& BitmapLoaders() { return LoaderList(); }

void RegisterBitmapLoader(TBitmapLoaderPtr loader) {
    if (loader) LoaderList().push_back(std::move(loader));
}

TBitmapPtr LoadBitmapFile(const std::string& source) {
    TStreamPtr stream = OpenReadStream(source);
    if (!stream) return nullptr;
    const int64_t start = stream->Pos();
    TBitmapPtr result;
    for (const auto& loader : LoaderList()) {
        if (!stream->Seek(start)) break;
        try {
            result = loader->LoadBitmap(stream);
        } catch (const std::exception&) {
            result = nullptr;
        }
        if (result) break;
    }
    stream->Close();
    return result;
}

TPixmapPtr TPixmapConverter::LoadPixmap(const std::string& source) const {
    TBitmapPtr bitmap = LoadBitmapFile(source);
    return bitmap ? bitmap->ToPixmap(1) : nullptr;
}
