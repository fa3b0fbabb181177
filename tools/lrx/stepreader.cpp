// Reads a data file one time step at a time through gbxFindTimeStep and gbxReadItemTimeStep.
#include "stepreader.h"

#include <filesystem>
#include <system_error>

namespace lrxtool {

StepReader::StepReader(const DataFile& data, std::vector<bool> wanted) : data_(data), wanted_(std::move(wanted)) {
    const int items = gbxGetNoOfItems(data.header());
    wanted_.resize(static_cast<std::size_t>(items), false);
    for (int n = 1; n <= items; ++n) {
        GbxItem* item = gbxItemD(data.header(), n);
        int dataType = 0;
        gbxGetItemInfo(item, nullptr, nullptr, nullptr, nullptr, nullptr, &dataType);
        dataTypes_.push_back(dataType);
        counts_.push_back(gbxGetItemElements(item));
    }
    buffers_.resize(static_cast<std::size_t>(items));
}

bool StepReader::usable(std::string* problem) const {
    std::error_code error;
    const auto fileSize = static_cast<int64_t>(std::filesystem::file_size(data_.path(), error));
    for (std::size_t i = 0; i < wanted_.size(); ++i) {
        if (!wanted_[i]) continue;
        GbxItem* item = gbxItemD(data_.header(), static_cast<int>(i) + 1);
        const int64_t stored = static_cast<int64_t>(gbxGetUsedItemElements(item)) * valueSize(dataTypes_[i]);
        const int axisType = gbxGetItemAxisType(item);
        if (counts_[i] < 1 || valueSize(dataTypes_[i]) == 0 || axisType == 4 || axisType == 7 || axisType == 10) {
            *problem = "item " + std::to_string(i + 1) + " cannot be read step by step (data type " +
                       std::to_string(dataTypes_[i]) + ", axis type " + std::to_string(axisType) + ")";
            return false;
        }
        if (!error && stored > fileSize) {
            *problem = "item " + std::to_string(i + 1) + " claims more values per time step than the file holds";
            return false;
        }
    }
    return true;
}

int StepReader::read(int index, double* time) {
    GbxHeader* header = data_.header();
    int code = gbxFindTimeStep(header, data_.file(), index);
    for (std::size_t i = 0; i < wanted_.size() && code == 0; ++i) {
        void* into = nullptr;
        if (wanted_[i]) {
            buffers_[i].resize(static_cast<std::size_t>(counts_[i] * valueSize(dataTypes_[i])));
            into = buffers_[i].data();
        }
        double itemTime = 0.0;
        code = gbxReadItemTimeStep(header, data_.file(), &itemTime, into);
        if (i == 0) *time = itemTime;
    }
    return code;
}

}  // namespace lrxtool
