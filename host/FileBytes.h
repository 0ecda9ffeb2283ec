#pragma once
// Writing a whole file at once, with a one-line error for the user.
#include <cstddef>
#include <string>

// Creates or replaces `path` with `size` bytes. On failure answers false and
// sets `error` to "cannot create/write <what> '<path>'...".
bool writeFileBytes(const std::string& path, const void* data, size_t size, const char* what,
                    std::string& error);
