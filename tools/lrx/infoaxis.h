// The text that `lrx info` prints for an item's spatial axis.
#pragma once

#include <string>

#include "lrx/gbx.h"

namespace lrxtool {

// "EqD2 20 x 10, origin (0, 0), spacing (100, 100), unit m" and the like for every axis type.
std::string describeAxis(GbxItem* item);

}  // namespace lrxtool
