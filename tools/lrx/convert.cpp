// `lrx convert IN OUT`: the output's extension chooses the direction (.nc: export to
// netCDF-CF, .gbx: import from netCDF-CF). The output is written under a temporary name in its
// own folder and takes its name only when it is complete, so that a failure never leaves a
// half-written file under the output name.
#include <filesystem>
#include <system_error>

#include "commands.h"
#include "datafile.h"
#include "errortext.h"
#include "ncexport.h"
#include "ncimport.h"
#include "platform.h"

namespace lrxtool {

namespace {

enum class Direction { Export, Import, Unknown };

std::string extensionOf(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

bool isNetcdf(const std::string& path) {
    const std::string extension = extensionOf(path);
    return extension == ".nc" || extension == ".nc4" || extension == ".cdf";
}

Direction directionOf(const ConvertOptions& options) {
    if (isNetcdf(options.output) && !isNetcdf(options.input)) return Direction::Export;
    if (extensionOf(options.output) == ".gbx" && isNetcdf(options.input)) return Direction::Import;
    return Direction::Unknown;
}

int exportFile(const std::string& target, const ConvertOptions& options) {
    DataFile data;
    if (!data.open(options.input)) return kExitFailure;
    return exportToNetcdf(data, target, options);
}

}  // namespace

int runConvert(const ConvertOptions& options) {
    const Direction direction = directionOf(options);
    if (direction == Direction::Unknown) {
        reportError(options.output,
                    "convert writes a netCDF file (.nc) from a data file, or a data file (.gbx) from "
                    "a netCDF file");
        return kExitUsage;
    }
    if (direction == Direction::Import && (options.classic || options.deflate > 0)) {
        reportError(options.output, "--classic and --deflate choose the form of a netCDF output");
        return kExitUsage;
    }
    const std::string temporary = createTemporaryBeside(options.output);
    if (temporary.empty()) {
        reportError(options.output, "cannot create a file in the output's folder");
        return kExitFailure;
    }
    const int status =
        direction == Direction::Export ? exportFile(temporary, options) : importFromNetcdf(temporary, options);
    std::error_code error;
    if (status == kExitOk) {
        std::filesystem::rename(temporary, options.output, error);
        if (!error) return kExitOk;
        reportError(options.output, "cannot give the finished file its name: " + error.message());
    }
    std::filesystem::remove(temporary, error);
    return status == kExitOk ? kExitFailure : status;
}

}  // namespace lrxtool
