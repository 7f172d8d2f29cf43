// Whole-file I/O on POSIX descriptors, so every failure carries the system's reason.
#include "AtomicFile.h"

#include "Errors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace kurvo {
namespace {

[[noreturn]] void fail(const char* verb, const std::filesystem::path& file, int error) {
    throw EInOutError(std::string("Cannot ") + verb + " " + file.string() + ": " + std::strerror(error));
}

// Closes the descriptor and removes the temporary file unless the write was committed.
class TempFile {
  public:
    TempFile(int fd, std::filesystem::path path) : m_fd(fd), m_path(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (m_fd >= 0) ::close(m_fd);
        if (!m_committed) ::unlink(m_path.c_str());
    }
    int fd() const { return m_fd; }
    const std::filesystem::path& path() const { return m_path; }
    int close() {
        int rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }
    void commit() { m_committed = true; }

  private:
    int m_fd;
    std::filesystem::path m_path;
    bool m_committed = false;
};

std::string randomSuffix() {
    std::random_device device;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    std::string s;
    for (int i = 0; i < 8; ++i)
        s += "0123456789abcdefghijklmnopqrstuvwxyz"[digit(device)];
    return s;
}

} // namespace

std::string readRecordBytes(const std::filesystem::path& file, std::size_t recordSize,
                            std::string_view recordName) {
    std::string bytes = readFileBytes(file);
    if (bytes.size() < recordSize)
        throw EInOutError("Cannot read " + file.string() + ": the file holds " +
                          std::to_string(bytes.size()) + " bytes, less than one " + std::string(recordName) +
                          " (" + std::to_string(recordSize) + " bytes)");
    return bytes;
}

std::vector<std::string_view> lineViews(std::string_view text, bool dropFinalCr) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t lf = text.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        std::string_view line = text.substr(start, end - start);
        if ((lf != std::string_view::npos || dropFinalCr) && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string readFileBytes(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail("read", file, errno);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            ::close(fd);
            fail("read", file, error);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    struct stat old {};
    bool hadFile = ::stat(file.c_str(), &old) == 0;

    int fd = -1;
    std::filesystem::path tempPath;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tempPath = folder / ("." + file.filename().string() + "." + randomSuffix() + ".tmp");
        fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) fail("write", file, errno);
    }
    if (fd < 0) fail("write", file, EEXIST);
    TempFile temp(fd, tempPath);

    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(temp.fd(), p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail("write", file, errno);
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (hadFile && ::fchmod(temp.fd(), old.st_mode & 07777) != 0) fail("write", file, errno);
    // A full disk may only show at flush or close; both are checked before the rename.
    if (::fsync(temp.fd()) != 0) fail("write", file, errno);
    if (temp.close() != 0) fail("write", file, errno);
    if (::rename(temp.path().c_str(), file.c_str()) != 0) fail("write", file, errno);
    temp.commit();
}

} // namespace kurvo
