// The encoding keys of a compressed data file as static items: written right after the
// header when the file is created, and loaded back into the header at every opening.
#pragma once

#include "lrx/gbx.h"

// Writes each key that the header holds, in the order X, Y, Z, as a static item named
// "X-Encoding Key", "Y-Encoding Key" or "Z-Encoding Key" (item type 999, unit 0, 32-bit
// integers on an EqD1 axis of the key length, start 0, step 1). The static writes report
// their own errors; nothing is returned.
void gbxWriteEncodeKeys(GbxHeader* header, GbxFile* file);

// Reads the key items that open the file's static section into the header's key slots and
// points encodeKeyRef at them. Key items are recognised by their names, so the file is left
// standing on the first static item that is no key. Errors of these reads stay in the file's
// error state and are not returned.
void gbxLoadEncodeKeys(GbxHeader* header, GbxFile* file);
