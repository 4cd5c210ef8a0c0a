#pragma once

// Whole files written so that a reader never finds half of one, and read with a size limit.

#include <cstddef>
#include <string>
#include <string_view>

namespace hygrova {

// Writes `bytes` to `path` atomically: into a new temporary file in the same folder, which is
// flushed to the disk (fsync) and then renamed over `path`; the folder is synced too, so the
// new name survives a crash. On any failure the temporary file is removed and `path` keeps
// its old content (or stays absent). Gives "" on success, otherwise a message naming the step
// and the system's reason. A new file gets the permissions the process's umask allows; a
// replaced file keeps its own.
std::string WriteFileAtomically(const std::string& path, std::string_view bytes);

// A whole file read, or the message that tells why not.
struct FileReading {
    std::string bytes;
    std::string problem;  // empty when read
};

// Reads the whole file at `path`; refuses one larger than maxBytes without reading it.
FileReading ReadWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace hygrova
