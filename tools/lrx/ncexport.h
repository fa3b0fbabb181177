// `lrx convert FILE.gbx OUT.nc`: a data file as netCDF-CF, streamed one time step at a time.
#pragma once

#include <string>

#include "commands.h"
#include "datafile.h"

namespace lrxtool {

// Writes the netCDF file target (the temporary name of the output) from an open data file.
// Returns the exit code; prints what went wrong and what was not carried over.
int exportToNetcdf(const DataFile& data, const std::string& target, const ConvertOptions& options);

}  // namespace lrxtool
