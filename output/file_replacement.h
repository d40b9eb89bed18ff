#pragma once

#include "core/run_fault.h"

#include <string>
#include <string_view>

namespace tarvilo {

// The file exists and is read-only for the user: the system reports it as
// "permission denied", the same as a folder that cannot be written, but the
// user is told apart what to change. Never an error number (those are > 0).
inline constexpr int kReadOnlyFile = -1;

// Replaces the file at path by one holding text, so that a reader sees the
// old file or the new one, never a part: the text goes to a new file beside
// it, which is then renamed over it. Where no new file can be made in the
// folder but the file itself is writable, the file is rewritten in place,
// with the room for the whole text reserved before anything is overwritten,
// so that a full disk leaves the old file as it was. Nothing is synced to
// the disk: the file must survive a failed run, not a power cut.
// Returns 0, kReadOnlyFile for a file the user may not write, or the
// system's error number of the failure.
int ReplaceFileContents(const std::string &path, std::string_view text);

// The same for a file written in pieces (a table of any length): the pieces
// go to a new file beside it, which commit() renames over it; until then,
// and whatever fails, the old file stays as it was, and a replacement that
// is never committed leaves nothing behind. Without room for a new file in
// the folder there is no replacement (no rewriting in place).
class FileReplacement
{
public:
    explicit FileReplacement(std::string path);
    ~FileReplacement();

    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    // 0, kReadOnlyFile or the system's error number, as ReplaceFileContents.
    int open();
    int fd() const { return m_fd; } // where the pieces go, once open
    int commit();

private:
    std::string m_target;
    std::string m_tempPath;
    int m_fd = -1;
};

// What an error number from ReplaceFileContents means for the user.
FileFailure FileFailureOf(int error);

// The path made absolute against the current folder, also when that folder
// has been removed meanwhile.
std::string AbsolutePathOf(const std::string &path);

} // namespace tarvilo
