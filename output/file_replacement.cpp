#include "output/file_replacement.h"

#include <cerrno>
#include <filesystem>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvilo {
namespace {

int WriteAll(int fd, std::string_view text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<size_t>(written);
    }
    return 0;
}

// The file a write must end up in: the target of a symbolic link (one that
// points nowhere yet too), so that the link stays a link.
std::string FinalPath(const std::string &path)
{
    struct stat status
    {
    };
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved))
        return resolved;
    const ssize_t length = readlink(path.c_str(), resolved, sizeof resolved - 1);
    if (length <= 0)
        return path;
    const std::string target(resolved, static_cast<size_t>(length));
    if (target.front() == '/')
        return target;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? target : path.substr(0, slash + 1) + target;
}

// 0 when the file may be replaced: it does not exist, or it is an ordinary
// file the user may write (a read-only file stays as it is, as it would for
// any editor that asks the system).
int ReplaceableError(const std::string &path)
{
    struct stat status
    {
    };
    if (stat(path.c_str(), &status) != 0)
        return 0;
    if (S_ISDIR(status.st_mode))
        return EISDIR;
    if (!S_ISREG(status.st_mode))
        return EINVAL; // a pipe or a device is no file to replace
    if (access(path.c_str(), W_OK) == 0)
        return 0;
    // EPERM: a file marked immutable, which not even root may write.
    return errno == EACCES || errno == EPERM ? kReadOnlyFile : errno;
}

// No file may be made in a folder that exists: some file systems (/proc, /sys)
// say ENOENT for that, which would read as a missing folder.
int CreationError(const std::string &path, int error)
{
    if (error != ENOENT)
        return error;
    struct stat status
    {
    };
    const std::string folder = std::filesystem::path(path).parent_path().string();
    // A folder removed while it is the present one still answers, with no links.
    const bool there =
            stat(folder.empty() ? "." : folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_nlink > 0;
    return there ? EACCES : error;
}

// A new file beside path, with a name no one else uses, or -1 with errno set.
int CreateBeside(const std::string &path, std::string &tempPath)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + "." + std::to_string(getpid()) + "-" + std::to_string(++counter);
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The new file keeps the permissions and, where allowed, the owner of the
// one it replaces.
int KeepOwnerAndMode(int fd, const std::string &path)
{
    struct stat status
    {
    };
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return 0;
    // Only root may give a file to another owner; anyone else's new file is theirs.
    if (geteuid() == 0 && fchown(fd, status.st_uid, status.st_gid) != 0)
        return errno;
    if (fchmod(fd, status.st_mode & 07777) != 0)
        return errno;
    return 0;
}

int WriteBesideAndRename(const std::string &path, std::string_view text, int fd, const std::string &tempPath)
{
    int error = KeepOwnerAndMode(fd, path);
    if (error == 0)
        error = WriteAll(fd, text);
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && rename(tempPath.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0)
        unlink(tempPath.c_str());
    return error;
}

int RewriteInPlace(const std::string &path, std::string_view text)
{
    // Read access lets the system emulate the reservation where the file
    // system cannot reserve room itself.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EACCES)
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    const auto size = static_cast<off_t>(text.size());
    struct stat before
    {
    };
    fstat(fd, &before);
    int error = posix_fallocate(fd, 0, size);
    if (error != 0) {
        // Where the system emulates the reservation it may have grown the
        // file with zeros before it failed: back to the old length (the old
        // bytes are untouched either way).
        const int truncated = ftruncate(fd, before.st_size);
        static_cast<void>(truncated);
    }
    if (error == 0)
        error = WriteAll(fd, text);
    if (error == 0 && ftruncate(fd, size) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace

int ReplaceFileContents(const std::string &path, std::string_view text)
{
    const std::string target = FinalPath(path);
    if (const int error = ReplaceableError(target))
        return error;
    std::string tempPath;
    const int fd = CreateBeside(target, tempPath);
    if (fd >= 0)
        return WriteBesideAndRename(target, text, fd, tempPath);
    return CreationError(target, RewriteInPlace(target, text));
}

FileReplacement::FileReplacement(std::string path) : m_target(FinalPath(path)) { }

FileReplacement::~FileReplacement()
{
    if (m_fd >= 0) {
        close(m_fd);
        unlink(m_tempPath.c_str());
    }
}

int FileReplacement::open()
{
    if (const int error = ReplaceableError(m_target))
        return error;
    const int fd = CreateBeside(m_target, m_tempPath);
    if (fd < 0)
        return CreationError(m_target, errno);
    m_fd = fd;
    return KeepOwnerAndMode(m_fd, m_target);
}

int FileReplacement::commit()
{
    int error = close(m_fd) == 0 ? 0 : errno;
    m_fd = -1;
    if (error == 0 && rename(m_tempPath.c_str(), m_target.c_str()) != 0)
        error = errno;
    if (error != 0)
        unlink(m_tempPath.c_str());
    return error;
}

FileFailure FileFailureOf(int error)
{
    switch (error) {
    case kReadOnlyFile:
        return FileFailure::ReadOnlyFile;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return FileFailure::NoPermission;
    case ENOSPC:
    case EDQUOT:
        return FileFailure::DiskFull;
    case EFBIG:
        return FileFailure::FileTooLarge;
    case ENOENT:
    case ENOTDIR:
        return FileFailure::FolderMissing;
    case EISDIR:
        return FileFailure::FolderInTheWay;
    default:
        return FileFailure::Other; // a pipe or a device in its place too
    }
}

std::string AbsolutePathOf(const std::string &path)
{
    namespace fs = std::filesystem;
    if (fs::path(path).is_absolute())
        return path;
    std::error_code error;
    fs::path folder = fs::current_path(error);
    if (error) {
        // A removed folder has no current path, but the system still knows
        // the name it had.
        folder = fs::read_symlink("/proc/self/cwd", error);
        const std::string deleted = " (deleted)";
        std::string name = folder.string();
        if (name.ends_with(deleted))
            name.resize(name.size() - deleted.size());
        folder = name;
    }
    return (folder / path).lexically_normal().string();
}

} // namespace tarvilo
