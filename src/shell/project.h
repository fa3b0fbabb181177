// Registration of written data files with the project window of the product family.
#pragma once

#include <cstdint>

// The name of the environment variable that names the project window.
constexpr const char* QV_PROJECT_VARIABLE = "QVPROJECTXXXXX";

// The window handle that a value of the project variable names: its fourth field (fields are
// separated by '&') read as a hexadecimal number. 0 for a null value, fewer than four fields,
// or a fourth field that does not begin with a hexadecimal number (or overflows).
uintptr_t qvProjectWindowFromVariable(const char* value);
