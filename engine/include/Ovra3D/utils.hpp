/// \file
/// Small engine helpers: whole-file reading, the GL context check and a GL error report.
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

/// True when a GL context is current on this thread and the GL entry points are loaded,
/// as once the window container is initialised. Otherwise writes the line
/// "ERROR: Ovra: no GL context to " + `attempted` + " (initialise the window container first)"
/// and answers false: a GL call made then would crash or do nothing.
bool has_gl_context(const char* attempted);

/// Prints one line per pending GL error, tagged with the caller's file (null prints as
/// "(null)") and line. Needs a current GL context.
/// \return true when there was at least one.
bool test_GL_error(const char* file, int line);

}  // namespace ovra

#endif
