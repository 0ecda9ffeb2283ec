#include "host/files/FileBytes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

bool isFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isDevice(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");  // changes nothing, creates nothing
    if (!file) return false;
    struct stat st;
    const bool device = fstat(fileno(file), &st) == 0 && S_ISCHR(st.st_mode);
    std::fclose(file);
    return device;
}

std::FILE* openFile(const std::string& path, const char* mode, const char* what, std::string& error) {
    const std::string verb = mode[0] == 'r' ? "cannot open " : "cannot create ";
    // Checked first: some systems open a folder for reading and fail later.
    if (isFolder(path)) {
        error = verb + what + "'" + path + "': it is a folder, not a file";
        return nullptr;
    }
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) error = verb + what + "'" + path + "': " + std::strerror(errno);
    return file;
}

bool readFileStart(const std::string& path, const char* what, uint8_t* bytes, size_t capacity, size_t& got,
                   std::string& error) {
    std::FILE* file = openFile(path, "rb", what, error);
    if (!file) return false;
    got = std::fread(bytes, 1, capacity, file);
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) error = std::string("cannot read ") + what + "'" + path + "'";
    return !readError;
}

bool seekFile(std::FILE* file, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

bool fileSize(std::FILE* file, uint64_t& size) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0) return false;
    const __int64 end = _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0) return false;
    const off_t end = ftello(file);
#endif
    if (end < 0) return false;
    size = static_cast<uint64_t>(end);
    return true;
}

namespace {

// The bytes that reached an open file, what its buffer still holds aside.
bool writtenLength(std::FILE* file, uint64_t& length) {
#ifdef _WIN32
    const __int64 n = _filelengthi64(_fileno(file));
    if (n < 0) return false;
    length = static_cast<uint64_t>(n);
#else
    struct stat st;
    if (fstat(fileno(file), &st) != 0) return false;
    length = static_cast<uint64_t>(st.st_size);
#endif
    return true;
}

}  // namespace

bool replaceFile(const std::string& from, const std::string& to, std::string& error) {
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    const bool moved = MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    const char* reason = "the file is in use or write-protected";
#else
    const bool moved = std::rename(from.c_str(), to.c_str()) == 0;
    const char* reason = std::strerror(errno);
#endif
    if (!moved) error = "cannot replace '" + to + "': " + (isFolder(to) ? "it is a folder" : reason);
    return moved;
}

namespace {

bool pathExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

#ifdef _WIN32
const char kSeparators[] = "\\/";
#else
const char kSeparators[] = "/";
#endif

// "<folder><separator>", "<name>" of a full path; false when it has no folder.
bool splitFolder(const std::string& path, std::string& folder, std::string& name) {
    const size_t slash = path.find_last_of(kSeparators);
    if (slash == std::string::npos) return false;
    folder = path.substr(0, slash + 1);
    name = path.substr(slash + 1);
    return true;
}

#ifdef _WIN32

// The path as the system resolves it (the current folder, `.`, `..`, either
// slash, trailing dots; Wine maps a Unix path to its drive), upper-cased:
// names compare without case.
std::string fullPathOf(const std::string& path) {
    char buffer[4 * MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    std::string full = n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
    if (!full.empty()) CharUpperBuffA(&full[0], static_cast<DWORD>(full.size()));
    return full;
}

// A folder's volume and index, which every spelling of it shares (under
// Wine, C:\ and its Z:\ twin too).
bool folderIdentity(const std::string& folder, uint64_t& volume, uint64_t& index) {
    HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!known) return false;
    volume = info.dwVolumeSerialNumber;
    index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

#else

// A bare name lies in the current folder; the folder's identity does the rest.
std::string fullPathOf(const std::string& path) { return path.find('/') == std::string::npos ? "./" + path : path; }

bool folderIdentity(const std::string& folder, uint64_t& volume, uint64_t& index) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) return false;
    volume = static_cast<uint64_t>(st.st_dev);
    index = static_cast<uint64_t>(st.st_ino);
    return true;
}

#endif

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
    const std::string fullA = fullPathOf(a), fullB = fullPathOf(b);
    if (fullA == fullB) return true;
    std::string folderA, folderB, nameA, nameB;
    if (!splitFolder(fullA, folderA, nameA) || !splitFolder(fullB, folderB, nameB) || nameA != nameB) return false;
    uint64_t volumeA, indexA, volumeB, indexB;
    return folderIdentity(folderA, volumeA, indexA) && folderIdentity(folderB, volumeB, indexB) &&
           volumeA == volumeB && indexA == indexB;
}

std::string OutputFile::temporaryPathFor(const std::string& path) { return path + ".partial"; }

bool OutputFile::open(const std::string& path, const char* what, std::string& error, size_t buffer) {
    abandon();
    const std::string name = std::string(what) + "'" + path + "'";
    // The user asked for `path`: checked first, and named in messages.
    if (isFolder(path)) {
        error = "cannot create " + name + ": it is a folder, not a file";
        return false;
    }
    const bool device = ::isDevice(path);  // NUL: nothing there to protect
    const std::string target = device ? path : temporaryPathFor(path);
    std::FILE* file = isFolder(target) ? nullptr : std::fopen(target.c_str(), "wb");
    if (!file) {
        const int err = errno;
        const std::string reason = isFolder(target) ? "it is a folder, not a file" : std::strerror(err);
        // A temporary name already taken by something that cannot be
        // replaced is the thing to name.
        const bool blocked = !device && pathExists(target);
        error = "cannot create " + (blocked ? "'" + target + "' (the temporary file for " + name + ")" : name) + ": " +
                reason;
        return false;
    }
    if (buffer) std::setvbuf(file, nullptr, _IOFBF, buffer);
    file_ = file;
    position_ = end_ = 0;
    path_ = path;
    temporary_ = device ? "" : target;
    what_ = what;
    return true;
}

std::string OutputFile::failure(const char* verb, int err) const {
    return std::string("cannot ") + verb + " " + what_ + "'" + path_ + "': " +
           (err ? std::strerror(err) : "the file system refused (is the disk full?)");
}

bool OutputFile::write(const void* data, size_t size, std::string& error) {
    if (!file_) {
        error = "no output file open";
        return false;
    }
    errno = 0;
    const bool written = std::fwrite(data, 1, size, file_) == size;
    const int err = errno;
    position_ += size;
    if (position_ > end_) end_ = position_;
    if (!written) error = failure("write", writeFailureReason(err, end_));
    return written;
}

// Under Wine a write that a full disk cuts short comes back as a success,
// and the C runtime then fails with EINVAL (or no reason at all): a file
// that holds less than it was given names the real reason.
int OutputFile::writeFailureReason(int err, uint64_t asked) const {
    if (err != 0 && err != EINVAL) return err;
    uint64_t length = 0;
    return !isDevice() && writtenLength(file_, length) && length < asked ? ENOSPC : err;
}

bool OutputFile::writeAt(uint64_t offset, const void* data, size_t size, std::string& error) {
    if (!file_ || isDevice()) {
        error = "no output file to rewrite";
        return false;
    }
    if (!seekFile(file_, offset)) {
        error = failure("write", errno);
        return false;
    }
    position_ = offset;
    return write(data, size, error);
}

bool OutputFile::commit(std::string& error) {
    if (!file_) {
        error = "no output file open";
        return false;
    }
    errno = 0;
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
    const int err = flushed ? errno : writeFailureReason(errno, end_);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        error = failure("write", err);
        abandon();
        return false;
    }
    if (!temporary_.empty() && !replaceFile(temporary_, path_, error)) {
        abandon();
        return false;
    }
    temporary_.clear();
    return true;
}

void OutputFile::abandon() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
}

bool writeFileBytes(const std::string& path, const void* data, size_t size, const char* what,
                    std::string& error) {
    OutputFile file;
    return file.open(path, what, error) && file.write(data, size, error) && file.commit(error);
}
