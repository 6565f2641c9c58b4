#pragma once

#include <cstdint>

// The C interface of the RegAcc module (libRegAcc.so): zero-terminated UTF-8 strings and 32-bit
// integers by value, a 32-bit result. The module defines these functions; LumoSpecify binds
// them by name at run time and takes their types from here.
#define REGACC_EXPORT extern "C" __attribute__((visibility("default")))

// Associates `extension` with the program: its file type, open verb and icon. `mode` is always 1.
REGACC_EXPORT std::int32_t Specify(const char *extension, const char *description,
                                   const char *verbCaption, const char *commandSuffix,
                                   const char *programPath, const char *iconFile,
                                   std::int32_t iconIndex, std::int32_t mode);

// Removes the association of `extension` with the program; the other arguments are unused.
REGACC_EXPORT std::int32_t UnSpecify(const char *extension, const char *verbCaption,
                                     const char *programPath, const char *unused,
                                     std::int32_t iconIndex);
