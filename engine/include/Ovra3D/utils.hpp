/// \file
/// Small engine helpers: whole-file reading and a GL error report.
#ifndef OVRA_UTILS_HPP
#define OVRA_UTILS_HPP

#include "Ovra3D/Color.hpp"

#include <string>

namespace ovra {

/// Reads the file's bytes unchanged into `output`.
/// \return false, with `output` untouched, when the file cannot be opened or `filename` is null.
bool get_file_contents(const char* filename, std::string& output);

/// Prints one line per pending GL error, tagged with the caller's file (null prints as
/// "(null)") and line. Needs a current GL context.
/// \return true when there was at least one.
bool test_GL_error(const char* file, int line);

}  // namespace ovra

#endif
