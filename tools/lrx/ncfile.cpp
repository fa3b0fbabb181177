// An open netCDF file through the netCDF-C calls, with the first failure kept.
#include "ncfile.h"

namespace lrxtool {

NcFile::~NcFile() {
    if (id_ >= 0) nc_close(id_);
}

bool NcFile::create(const std::string& path, int mode) {
    return check(nc_create(path.c_str(), mode | NC_CLOBBER, &id_), "cannot create " + path);
}

bool NcFile::open(const std::string& path) {
    return check(nc_open(path.c_str(), NC_NOWRITE, &id_), "cannot open " + path);
}

bool NcFile::close() {
    if (id_ < 0) return ok();
    const int status = nc_close(id_);
    id_ = -1;
    return check(status, "cannot finish the file");
}

bool NcFile::check(int status, const std::string& what) {
    if (status == NC_NOERR) return true;
    if (error_.empty()) error_ = what + ": " + nc_strerror(status);
    return false;
}

void NcFile::putText(int var, const char* name, const std::string& text) {
    if (ok()) check(nc_put_att_text(id_, var, name, text.size(), text.c_str()), std::string("attribute ") + name);
}

void NcFile::putInt(int var, const char* name, int value) {
    if (ok()) check(nc_put_att_int(id_, var, name, NC_INT, 1, &value), std::string("attribute ") + name);
}

void NcFile::putDoubles(int var, const char* name, const std::vector<double>& values) {
    if (ok())
        check(nc_put_att_double(id_, var, name, NC_DOUBLE, values.size(), values.data()),
              std::string("attribute ") + name);
}

void NcFile::putTyped(int var, const char* name, nc_type type, std::size_t count, const void* values) {
    if (ok()) check(nc_put_att(id_, var, name, type, count, values), std::string("attribute ") + name);
}

bool NcFile::getText(int var, const char* name, std::string* text) const {
    nc_type type = NC_NAT;
    std::size_t length = 0;
    if (nc_inq_att(id_, var, name, &type, &length) != NC_NOERR || type != NC_CHAR) return false;
    std::string value(length, '\0');
    if (length > 0 && nc_get_att_text(id_, var, name, value.data()) != NC_NOERR) return false;
    // Some writers count the terminating zero.
    while (!value.empty() && value.back() == '\0')
        value.pop_back();
    *text = value;
    return true;
}

bool NcFile::getDoubles(int var, const char* name, std::vector<double>* values) const {
    nc_type type = NC_NAT;
    std::size_t length = 0;
    if (nc_inq_att(id_, var, name, &type, &length) != NC_NOERR) return false;
    if (type == NC_CHAR || type == NC_STRING || length == 0) return false;
    values->resize(length);
    return nc_get_att_double(id_, var, name, values->data()) == NC_NOERR;
}

}  // namespace lrxtool
