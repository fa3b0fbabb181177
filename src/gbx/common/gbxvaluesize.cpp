// The byte size of one item value by its simple type. Calls nothing.
#include "src/gbx/common/gbxvaluesize.h"

#include "lrx/lrx.h"

int gbxValueTypeSize(int type) {
    switch (type) {
        case LRX_FLOAT:
            return 4;
        case LRX_DOUBLE:
            return 8;
        case LRX_BYTE:
            return 1;
        case LRX_INT4:
            return 4;
        case LRX_UINT4:
            return 4;
        default:
            return 0;
    }
}
