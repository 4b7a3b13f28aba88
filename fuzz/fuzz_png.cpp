// Feeds arbitrary bytes to the PNG decoder; whatever it returns must be a
// consistent bitmap that the encoder writes and the decoder reads back alike.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/png_load.h"
#include "image/png_save.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBitmapPtr bitmap = DecodePng(data, size);
    if (!bitmap) return 0;
    if (bitmap->fPixels.size() != size_t(bitmap->fWidth) * size_t(bitmap->fHeight)) std::abort();
    // Re-encoding big pictures would only slow the search down.
    if (bitmap->fPixels.size() > 4096) return 0;
    const std::vector<uint8_t> file = EncodePng(*bitmap, 1);
    TBitmapPtr again = DecodePng(file.data(), file.size());
    if (!again || again->fPixels != bitmap->fPixels) std::abort();
    return 0;
}
