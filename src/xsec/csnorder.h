// The order of a cross-section table: keyText1, then keyText2, both without regard to case,
// then position numerically.
#pragma once

#include "lrx/csn.h"

// <0, 0 or >0 as the record sorts before, with or after the key.
int csnCompareToKey(const CsnXsecRecord& record, const char* keyText1, double position, const char* keyText2);
