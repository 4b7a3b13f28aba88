#include "gamedata/attribute_sheet.h"

#include "system/stream.h"

// Made at build time from assets/attributes.png.
extern const unsigned char AttributesPngBytes[];
extern const size_t AttributesPngSize;

const uint8_t* AttributeSheetBytes() { return AttributesPngBytes; }

size_t AttributeSheetSize() { return AttributesPngSize; }

void RegisterAttributeSheet() { RegisterBuiltinFile(AttributeSheetFile, AttributesPngBytes, AttributesPngSize); }
