// Replaces a file atomically: the new content goes to NAME.tmp-XXXXXX beside it, is flushed to disk and
// renamed over the target; the previous file is kept as the target's name with ".bak" for its extension.
#pragma once

#include <functional>
#include <string>

// write(fd) produces the content; false (with error set) when it failed. Nothing is replaced then.
bool dxfReplaceFile(const std::string& path, const std::function<bool(int fd, std::string& error)>& write,
                    std::string& error);
// The name the previous version of path is kept under.
std::string dxfBackupName(const std::string& path);
