// The process-wide registry of live sections and tables. Every csn call checks the handles
// it is given here before touching them, so that a null, freed or foreign pointer is refused
// without being dereferenced. Guarded by one mutex: threads may use distinct tables at once.
#pragma once

#include "src/xsec/csnsection.h"
#include "src/xsec/csntable.h"

// Registers a section of the caller's. False when memory ran out (nothing registered).
bool csnRegisterSection(CsnSection* section);
// The live section whose record is `record`, or null.
CsnSection* csnLiveSection(const CsnXsecRecord* record);
// Unregisters and returns the live section of `record` when it belongs to no table; null
// otherwise (nothing changes).
CsnSection* csnTakeFreeSection(const CsnXsecRecord* record);

// Registers a table with all its sections. False when memory ran out (nothing registered).
bool csnRegisterTable(CsnXsecTable* table);
bool csnIsLiveTable(const CsnXsecTable* table);
// Unregisters the table with its sections. False when the table is not live.
bool csnForgetTable(const CsnXsecTable* table);
