// A data file opened for reading through the data-file API, closed and freed on every path,
// and the texts and values every command asks of it.
#pragma once

#include <functional>
#include <string>

#include "lrx/gbx.h"

namespace lrxtool {

class DataFile {
public:
    DataFile() = default;
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Opens path with gbxFileRead. On failure prints "lrx: PATH: cannot read the data file
    // (error ...)" and returns false.
    bool open(const std::string& path);

    // Shows the derived items of the plug-in for the file's data type, when one is found; the
    // file's own items stay when there is none or it refuses the file.
    void enablePlugin();

    GbxHeader* header() const { return header_; }
    GbxFile* file() const { return file_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    GbxHeader* header_ = nullptr;
    GbxFile* file_ = nullptr;
};

// The definition of an item as the unit library names it.
struct ItemInfo {
    std::string name;
    int itemType = 0;
    std::string itemTypeName;
    int unit = 0;
    std::string unitName;
    int dataType = 0;
};

ItemInfo itemInfo(GbxItem* item);

// True for one of the encoding keys that a compressed file keeps as its first static items.
bool isEncodingKeyName(const std::string& name);

// Reads the static items of the file from the first on and hands each with its number (from
// 1) to visit, which returns false to stop. Returns 0, or the code that ended the reading.
int forEachStatic(GbxHeader* header, GbxFile* file, const std::function<bool(GbxVector*, int)>& visit);

// Byte size of one value of an item data type (1 float ... 5 uint32); 0 for any other.
int valueSize(int dataType);

}  // namespace lrxtool
