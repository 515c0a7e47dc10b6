// Writing a file so that a failure leaves the old one intact, and reading one whole within a
// limit, with the system's reasons in Chinese.
#include "data/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabrel {

std::string systemReason(int err)
{
    switch (err) {
    case ENOENT: return "文件或文件夹不存在";
    case EACCES:
    case EPERM: return "没有访问权限";
    case EROFS: return "文件系统只读，不能写入";
    case ENOSPC: return "磁盘空间已满";
    case EDQUOT: return "磁盘配额已用完";
    case EISDIR: return "这是一个文件夹，不是文件";
    case ENOTDIR: return "路径中有一部分不是文件夹";
    case ENAMETOOLONG: return "文件名太长";
    case EEXIST: return "文件已存在";
    case EBUSY: return "文件正被使用";
    case EMFILE:
    case ENFILE: return "打开的文件太多";
    case EIO: return "读写设备出错";
    case ELOOP: return "符号链接层次太多";
    case EXDEV: return "不能跨越文件系统移动文件";
    case EFBIG: return "文件太大";
    case ETXTBSY: return "文件正被程序使用";
    case 0: return "未知原因";
    default: return "系统错误，代码 " + std::to_string(err);
    }
}

FileResult cannotWrite(const std::string& path, const std::string& why)
{
    FileResult r;
    r.status = FileStatus::CannotWrite;
    r.message = "无法写入文件: " + path + (why.empty() ? std::string() : "（" + why + "）");
    return r;
}

static bool writeAll(int fd, const std::string& bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Writes the bytes into a new file beside the target and renames it over the target once it is
// complete and flushed; the target is untouched on any failure.
FileResult replaceFileSafely(const std::string& path, const std::string& bytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        // Keep the link: replace the file it points to.
        fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    if (target.filename().empty())
        return cannotWrite(path, "不是文件名");
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    static std::atomic<unsigned> serial{0};
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder / ("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-"
                         + std::to_string(serial++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return cannotWrite(path, systemReason(errno));

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(fd, old.st_mode & 07777);

    int err = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return cannotWrite(path, systemReason(err));
    }
    // Make the rename itself durable; a failure here no longer affects the data written.
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

// ================================================================ reading

FileResult readFileLimited(const std::string& path, std::size_t limit, std::string& bytes)
{
    FileResult r;
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        r.status = FileStatus::CannotOpen;
        r.message = "无法打开文件: " + path + "（" + systemReason(errno) + "）";
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        r.status = FileStatus::CannotOpen;
        r.message = "无法打开文件: " + path + "（不是普通文件）";
        return r;
    }
    auto tooLarge = [&] {
        ::close(fd);
        bytes.clear();
        r.status = FileStatus::Damaged;
        r.message = "数据文件已损坏: " + path + " 超过 " + std::to_string(limit >> 20) + " MiB";
        return r;
    };
    if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > limit)
        return tooLarge();
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            bytes.clear();
            r.status = FileStatus::CannotOpen;
            r.message = "无法读取文件: " + path + "（" + systemReason(err) + "）";
            return r;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) // grew while being read
            return tooLarge();
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return r;
}

} // namespace tabrel
