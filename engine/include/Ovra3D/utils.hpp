#ifndef OVRA_UTILS_HPP
#define OVRA_UTILS_HPP

// Small engine helpers: whole-file reading and a GL error report.
#include "Ovra3D/Color.hpp"

#include <string>

namespace ovra {

// Reads the file's bytes unchanged into `output`; false (and `output` untouched)
// when the file cannot be opened.
bool get_file_contents(const char* filename, std::string& output);

// True when `path` names a regular file (links followed) that this process may read:
// not a folder, a device or a pipe, which would read as garbage or block.
bool is_readable_file(const char* path);

// Prints one line per pending GL error, tagged with the caller's file and line;
// true when there was at least one. Needs a current GL context.
bool test_GL_error(const char* file, int line);

}  // namespace ovra

#endif
