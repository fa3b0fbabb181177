// The table order. Texts are compared byte by byte with the ASCII letters folded to lower
// case; bytes from 0x80 up are compared as they are, so that multi-byte characters (whose
// bytes are all above 0x7F in UTF-8) are never split by the folding.
#include "src/xsec/csnorder.h"

#include <cmath>

namespace {

unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

int compareText(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char x = folded(*a);
        const unsigned char y = folded(*b);
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
}

// A position that is not a number, as a damaged file may hold, sorts after every number and
// equal to another one, so that the order stays total and the sort stays sound.
int comparePosition(double a, double b) {
    const bool aNan = std::isnan(a);
    const bool bNan = std::isnan(b);
    if (aNan || bNan) return aNan == bNan ? 0 : (aNan ? 1 : -1);
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

int csnCompareToKey(const CsnXsecRecord& record, const char* keyText1, double position, const char* keyText2) {
    int order = compareText(record.keyText1, keyText1);
    if (order == 0) order = compareText(record.keyText2, keyText2);
    if (order == 0) order = comparePosition(record.position, position);
    return order;
}
