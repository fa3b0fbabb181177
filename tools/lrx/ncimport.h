// `lrx convert IN.nc OUT.gbx`: a netCDF-CF file of time series or regular grids as a data file.
#pragma once

#include <string>

#include "commands.h"

namespace lrxtool {

// Writes the data file target (the temporary name of the output) from the netCDF file
// options.input. Returns the exit code; prints what went wrong and what was skipped.
int importFromNetcdf(const std::string& target, const ConvertOptions& options);

}  // namespace lrxtool
