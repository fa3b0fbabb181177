// Hand-offs to the legacy-file layer, which serves the headers and files of the legacy family
// through its interface. The plug-in hand-offs are in src/plugin/pluginhandoffs.cpp.
#include "src/gbx/file/gbxhandoffs.h"

#include <cstring>

#include "src/gbx/common/gbxmodel.h"
#include "src/legacy/legacy.h"

bool gbxIsLegacyPath(const char* path) {
    return lrx::legacy::isFamilyPath(path);
}

int gbxLegacyOpen(const char* path, GbxHeader** header, GbxFile** file) {
    return lrx::legacy::openPair(path, header, file);
}

int gbxLegacyCreate(const char* path, GbxHeader* header, GbxFile** file) {
    return lrx::legacy::createPair(path, header, file);
}

int gbxLegacyFlush(GbxHeader* header) {
    return lrx::legacy::flushPair(header);
}

int gbxLegacyClose(GbxHeader* header, GbxFile** file) {
    return lrx::legacy::closePair(header, file);
}

int gbxLegacyStaticWrite(GbxVector* vector, GbxFile* file, const void* data) {
    return lrx::legacy::writeStatic(vector, file, data);
}

GbxVector* gbxLegacyStaticRead(GbxFile* file, int* code) {
    return lrx::legacy::readStatic(file, code);
}

int gbxLegacyFindBlock(GbxHeader* header, GbxFile* file, int id) {
    return lrx::legacy::findBlock(header, file, id);
}

int gbxLegacyFindTimeStep(GbxHeader* header, GbxFile* file, int timeStep) {
    return lrx::legacy::findTimeStep(header, file, timeStep);
}

int gbxLegacyReadItem(GbxHeader* header, GbxFile* file, void* data, int count) {
    return lrx::legacy::readItem(header, file, data, count);
}

int gbxLegacyWriteItem(GbxHeader* header, GbxFile* file, const void* data, int count) {
    return lrx::legacy::writeItem(header, file, data, count);
}

bool gbxLegacyIsReadOnly(const GbxHeader* header) {
    return lrx::legacy::isOpenForReading(header);
}

void gbxReleaseLegacyFile(GbxHeader* header) {
    lrx::legacy::releaseState(header);
    header->legacyFile = nullptr;
}
