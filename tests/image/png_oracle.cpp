#include "png_oracle.h"

#include <cstring>

#include <png.h>

// libpng reports errors by longjmp. The functions that call setjmp keep no
// objects with destructors of their own; everything they fill lives in their
// callers, so jumping back skips nothing.

namespace {

struct TReadSource {
    const std::vector<uint8_t>* file;
    size_t pos = 0;
    std::vector<png_bytep> rows;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<TReadSource*>(png_get_io_ptr(png));
    if (source->file->size() - source->pos < count) png_error(png, "read past end");
    std::memcpy(out, source->file->data() + source->pos, count);
    source->pos += count;
}

bool ReadWithLibpng(TReadSource& source, TOracleImage& image) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, ReadFromMemory);
    png_set_user_limits(png, 1 << 16, 1 << 16);
    png_read_info(png, info);
    image.width = int(png_get_image_width(png, info));
    image.height = int(png_get_image_height(png, info));
    image.colourType = png_get_color_type(png, info);
    image.depth = png_get_bit_depth(png, info);
    image.interlace = png_get_interlace_type(png, info);
    bool oneSample = (image.colourType == PNG_COLOR_TYPE_GRAY || image.colourType == PNG_COLOR_TYPE_PALETTE) &&
                     image.depth <= 8;
    if (oneSample) {
        if (image.depth < 8) png_set_packing(png);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        image.samples.assign(size_t(image.width) * size_t(image.height), 0);
        source.rows.resize(size_t(image.height));
        for (int y = 0; y < image.height; ++y) source.rows[size_t(y)] = image.samples.data() + size_t(y) * image.width;
        png_read_image(png, source.rows.data());
        png_read_end(png, nullptr);
        png_colorp colours = nullptr;
        int count = 0;
        if (png_get_PLTE(png, info, &colours, &count) == PNG_INFO_PLTE) {
            image.palette.assign(size_t(count), 0);
            for (int i = 0; i < count; ++i)
                image.palette[size_t(i)] = 0xFF000000u | uint32_t(colours[i].red) << 16 |
                                           uint32_t(colours[i].green) << 8 | colours[i].blue;
            png_bytep alpha = nullptr;
            int alphaCount = 0;
            if (png_get_tRNS(png, info, &alpha, &alphaCount, nullptr) == PNG_INFO_tRNS && alpha)
                for (int i = 0; i < alphaCount && i < count; ++i)
                    image.palette[size_t(i)] = (image.palette[size_t(i)] & 0xFFFFFFu) | uint32_t(alpha[i]) << 24;
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

struct TWriteTarget {
    std::vector<uint8_t> file;
    std::vector<png_color> colours;
    std::vector<png_byte> alpha;
    std::vector<png_bytep> rows;
};

void WriteToMemory(png_structp png, png_bytep data, png_size_t count) {
    auto* target = static_cast<TWriteTarget*>(png_get_io_ptr(png));
    target->file.insert(target->file.end(), data, data + count);
}

void FlushNothing(png_structp) {}

bool WriteWithLibpng(const TOracleImage& image, int filters, size_t idatSize, TWriteTarget& target) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &target, WriteToMemory, FlushNothing);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.depth, image.colourType,
                 image.interlace, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.colourType == PNG_COLOR_TYPE_PALETTE) {
        for (uint32_t c : image.palette) {
            target.colours.push_back(png_color{png_byte(c >> 16), png_byte(c >> 8), png_byte(c)});
            target.alpha.push_back(png_byte(c >> 24));
        }
        png_set_PLTE(png, info, target.colours.data(), int(target.colours.size()));
        png_set_tRNS(png, info, target.alpha.data(), int(target.alpha.size()), nullptr);
    }
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
    png_set_compression_buffer_size(png, idatSize);
    png_write_info(png, info);
    if (image.depth < 8) png_set_packing(png);
    png_set_interlace_handling(png);
    for (int y = 0; y < image.height; ++y)
        target.rows.push_back(const_cast<png_bytep>(image.samples.data() + size_t(y) * image.width));
    png_write_image(png, target.rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool OracleDecode(const std::vector<uint8_t>& file, TOracleImage& image) {
    TReadSource source{&file, 0, {}};
    image = TOracleImage{};
    return ReadWithLibpng(source, image);
}

std::vector<uint8_t> OracleEncode(const TOracleImage& image, int filters, size_t idatSize) {
    TWriteTarget target;
    if (!WriteWithLibpng(image, filters, idatSize, target)) return {};
    return target.file;
}
