/* Uses the installed headers and library from C: calls into the record stream, the data-file
 * layer, the cross-section layer and the trace, and checks the record-stream version. */
#include <lrx/csn.h>
#include <lrx/gbx.h>
#include <lrx/trace.h>

#include <stdio.h>
#include <string.h>

int main(void) {
    const int32_t version = lrxGetVersionCurrent();
    if (version != 104) {
        fprintf(stderr, "lrxGetVersionCurrent() is %d, expected 104\n", (int)version);
        return 1;
    }
    if (strcmp(lrxSimpName(LRX_DOUBLE), "double") != 0) {
        fprintf(stderr, "lrxSimpName(LRX_DOUBLE) is %s\n", lrxSimpName(LRX_DOUBLE));
        return 1;
    }
    CsnXsecRecord* section = csnXsecCreate("river", 1.5, "km 1");
    if (section == NULL || csnXsecSetNoRaw(section, 4) != 1 || section->noRaw != 4) {
        fprintf(stderr, "cannot build a cross-section\n");
        return 1;
    }
    csnXsecFree(&section);
    gbxInitSystem();
    printnblank(0); /* writes nothing; links the trace */
    printf("lrx record-stream version %d\n", (int)version);
    return 0;
}
