// The plug-in layer as the header's lifecycle sees it.
#pragma once

#include "src/gbx/header/gbxheader.h"

// Calls the plug-in's gbxExtTerminate (when it has one), releases its library and clears the
// header's plug-in slot; the header keeps the plug-in's items. Returns the terminate entry's
// result, 0 without one or without a plug-in.
int gbxPluginUnload(GbxHeader* header);
