// Scratch files of a fuzz target: the folder of this process, in memory (/dev/shm) where the
// system has one so that an execution costs no disk, else below the temporary folder; removed
// when the process ends normally.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lrxfuzz {

// The path of `name` in the scratch folder (made on first use).
std::string scratchPath(const std::string& name);

// Writes the bytes as the whole file at path; false when it cannot be written.
bool writeScratch(const std::string& path, const uint8_t* data, std::size_t size);

}  // namespace lrxfuzz
