// The life of a data-file header (see gbxmodel.h): its initialisation and its serialisation
// as tagged logical blocks, written, read and updated in place.
#pragma once

#include "src/gbx/common/gbxmodel.h"

// Sets the defaults of a new header (titles empty, default delete values, no time axis).
int gbxInitHeader(GbxHeader* header);
// Makes every item of the header's item array a fresh record.
int gbxInitHeaderItems(GbxHeader* header);
// Reads the header blocks of a file positioned at its application data, up to the static or
// dynamic section marker; null on failure. *error (when not null) receives the code.
GbxHeader* gbxReadHeader(GbxFile* file, int* error);
// Writes the header blocks of a new file, positioned at its application data.
int gbxWriteHeader(GbxHeader* header, GbxFile* file);
// Rewrites the header blocks in place through a second handle, committing the file's data
// first (unless the last commit is younger than a second and force is 0).
int gbxUpdateHeader(GbxHeader* header, int force, GbxFile* file);
