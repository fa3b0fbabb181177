/* Uses the installed headers and library from C: calls into the record stream, the data-file
 * layer and the trace, and checks the record-stream version. */
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
    gbxInitSystem();
    printnblank(0); /* writes nothing; links the trace */
    printf("lrx record-stream version %d\n", (int)version);
    return 0;
}
