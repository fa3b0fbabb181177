// A data file opened for reading through the data-file API, and item definitions read through
// the exported item calls.
#include "datafile.h"

#include "errortext.h"

namespace lrxtool {

DataFile::~DataFile() {
    if (file_ != nullptr) gbxFileClose(header_, &file_);
    if (header_ != nullptr) gbxHeaderDestroy(&header_);
}

bool DataFile::open(const std::string& path) {
    path_ = path;
    const int code = gbxFileRead(path.c_str(), &header_, &file_);
    if (code == 0 && header_ != nullptr && file_ != nullptr) return true;
    reportError(path, "cannot read the data file", code != 0 ? code : F_ERR_READ);
    return false;
}

void DataFile::enablePlugin() {
    // -2 (no plug-in number), -3 (none found) and -1 (refused) leave the header as it was;
    // other codes are item errors of a plug-in that is in place all the same.
    gbxEnablePlugin(header_, file_);
}

ItemInfo itemInfo(GbxItem* item) {
    ItemInfo info;
    const char* typeName = "";
    const char* name = "";
    const char* unitName = "";
    gbxGetItemInfo(item, &info.itemType, &typeName, &name, &info.unit, &unitName, &info.dataType);
    info.name = name != nullptr ? name : "";
    info.itemTypeName = typeName != nullptr ? typeName : "";
    info.unitName = unitName != nullptr ? unitName : "";
    return info;
}

bool isEncodingKeyName(const std::string& name) {
    return name == "X-Encoding Key" || name == "Y-Encoding Key" || name == "Z-Encoding Key";
}

int forEachStatic(GbxHeader* header, GbxFile* file, const std::function<bool(GbxVector*, int)>& visit) {
    int code = gbxFindBlockStatic(header, file);
    for (int number = 1; code == 0; ++number) {
        GbxVector* vector = gbxStaticRead(file, &code);
        if (vector == nullptr) break;
        const bool goOn = visit(vector, number);
        gbxStaticDestroy(&vector);
        if (!goOn) break;
    }
    return code;
}

int valueSize(int dataType) {
    switch (dataType) {
        case LRX_FLOAT:
        case LRX_INT4:
        case LRX_UINT4:
            return 4;
        case LRX_DOUBLE:
            return 8;
        case LRX_BYTE:
            return 1;
        default:
            return 0;
    }
}

}  // namespace lrxtool
