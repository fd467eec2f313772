/// \file
/// Small engine helpers: whole-file reading and a GL error report.
#ifndef OVRA_UTILS_HPP
#define OVRA_UTILS_HPP

#include "Ovra3D/Color.hpp"

#include <string>

namespace ovra {

/// Reads the file's bytes unchanged into `output`.
/// \return false, with `output` untouched, when `filename` is null or names no readable regular file.
bool get_file_contents(const char* filename, std::string& output);

/// True when `path` names a regular file (links followed) that this process may read:
/// not a folder, a device or a pipe, which would read as garbage or block. False for null.
bool is_readable_file(const char* path);

/// Prints one line per pending GL error, tagged with the caller's file (null prints as
/// "(null)") and line. Needs a current GL context.
/// \return true when there was at least one.
bool test_GL_error(const char* file, int line);

}  // namespace ovra

#endif
