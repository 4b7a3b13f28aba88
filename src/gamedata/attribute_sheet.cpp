#include "gamedata/attribute_sheet.h"

#include <cstddef>

#include "platform/stream.h"

// Made at build time from assets/attributes.png.
extern const unsigned char AttributesPngBytes[];
extern const size_t AttributesPngSize;

void RegisterAttributeSheet() {
    RegisterBuiltinFile(AttributeSheetFile, AttributesPngBytes, AttributesPngSize);
}
