// Names of the simple types, file types and time-axis types of the data-file API, as
// constant texts. Calls the record stream's simple-type names only.
#include "lrx/gbx.h"

extern "C" {

const char* LRX_CALL gbxSimpleTypeStr(int type) {
    return lrxSimpName(type);
}

const char* LRX_CALL gbxFileTypeStr(int fileType) {
    switch (fileType) {
        case F_UNDEFINED_FILE_TYPE:
            return "F_UNDEFINED_FILE_TYPE";
        case F_EQTIME_FIXEDSPACE_ALLITEMS:
            return "F_EQTIME_FIXEDSPACE_ALLITEMS";
        case F_EQTIME_TVARSPACE_ALLITEMS:
            return "F_EQTIME_TVARSPACE_ALLITEMS";
        case F_NEQTIME_FIXEDSPACE_ALLITEMS:
            return "F_NEQTIME_FIXEDSPACE_ALLITEMS";
        case F_NEQTIME_FIXEDSPACE_VARITEMS:
            return "F_NEQTIME_FIXEDSPACE_VARITEMS";
        case F_NEQTIME_TVARSPACE_VARITEMS:
            return "F_NEQTIME_TVARSPACE_VARITEMS";
        default:
            return "*** FileType error ***";
    }
}

const char* LRX_CALL gbxTimeAxisTypeStr(int timeAxisType) {
    switch (timeAxisType) {
        case F_UNDEFINED_TAXIS:
            return "F_UNDEFINED_TAXIS";
        case F_TM_EQ_AXIS:
            return "F_TM_EQ_AXIS";
        case F_TM_NEQ_AXIS:
            return "F_TM_NEQ_AXIS";
        case F_CAL_EQ_AXIS:
            return "F_CAL_EQ_AXIS";
        case F_CAL_NEQ_AXIS:
            return "F_CAL_NEQ_AXIS";
        default:
            return "*** TimeAxis error ***";
    }
}

}  // extern "C"
