// The byte size of one value of the simple types that item values may have.
#pragma once

// Bytes of one value of the simple types 1 to 5 (float, double, byte, 32-bit integer, 32-bit
// unsigned); 0 for any other type.
int gbxValueTypeSize(int type);
