// The cross-section file kind and the identifiers of its blocks.
#pragma once

#include <cstdint>

#include "lrx/lrx.h"

// Kind tag "CSN_" (first character in the lowest byte) and the application version of files
// written by this library.
constexpr int32_t CSN_KIND_TAG = 0x5F4E5343;
constexpr int32_t CSN_FORMAT_VERSION = 104;

// Blocks of one section, in the order in which they are written.
constexpr uint16_t CSN_BLOCK_TEXTS = 257;      // keyText1, position, keyText2, extraText
constexpr uint16_t CSN_BLOCK_CODES = 258;      // codes, values
constexpr uint16_t CSN_BLOCK_RAW = 259;        // raw1 to raw6
constexpr uint16_t CSN_BLOCK_SELECTED = 260;   // sel
constexpr uint16_t CSN_BLOCK_PROCESSED = 261;  // prc1 to prc6

// The kind callback of cross-section files.
int32_t csnKindCallback(int32_t* appVersion);
