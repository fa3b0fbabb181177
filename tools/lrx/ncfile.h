// An open netCDF file (netCDF-C) that closes itself, and that keeps the first failure of the
// calls made through it, so that a run of definitions can be checked once at its end.
#pragma once

#include <netcdf.h>

#include <cstddef>
#include <string>
#include <vector>

namespace lrxtool {

class NcFile {
public:
    NcFile() = default;
    ~NcFile();
    NcFile(const NcFile&) = delete;
    NcFile& operator=(const NcFile&) = delete;

    bool create(const std::string& path, int mode);
    bool open(const std::string& path);
    // Closes the file; false when closing (which writes what is left) failed.
    bool close();

    int id() const { return id_; }
    bool ok() const { return error_.empty(); }
    // "what: netCDF's message" of the first failed call; empty while all succeeded.
    const std::string& error() const { return error_; }

    // Records status as the failure of what when it is one; returns whether it succeeded.
    bool check(int status, const std::string& what);

    void putText(int var, const char* name, const std::string& text);
    void putInt(int var, const char* name, int value);
    void putDoubles(int var, const char* name, const std::vector<double>& values);
    // A numeric attribute of the variable's own type.
    void putTyped(int var, const char* name, nc_type type, std::size_t count, const void* values);

    // Attribute readers; false when the attribute is missing or not of a fitting type.
    bool getText(int var, const char* name, std::string* text) const;
    bool getDoubles(int var, const char* name, std::vector<double>* values) const;

private:
    int id_ = -1;
    std::string error_;
};

}  // namespace lrxtool
