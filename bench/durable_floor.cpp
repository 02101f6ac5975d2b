#include "durable_floor.h"

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace lexivo::bench {
namespace fs = std::filesystem;

void replaceDurably(const fs::path& target, const std::vector<std::string_view>& pieces)
{
    const fs::path scratch = target.string() + ".floor";
    const int descriptor = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    for (std::string_view piece : pieces) {
        while (!piece.empty()) {
            const ssize_t written = ::write(descriptor, piece.data(), piece.size());
            if (written <= 0) {
                break;
            }
            piece.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    ::fdatasync(descriptor);
    ::close(descriptor);
    ::rename(scratch.c_str(), target.c_str());
    const int directory = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(directory);
    ::close(directory);
}

std::string readAll(const std::vector<fs::path>& files)
{
    std::size_t size = 0;
    for (const fs::path& file : files) {
        size += fs::file_size(file);
    }
    std::string bytes;
    bytes.reserve(size);
    for (const fs::path& file : files) {
        const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        ::fstat(descriptor, &info);
        const std::size_t start = bytes.size();
        bytes.resize(start + static_cast<std::size_t>(info.st_size));
        ssize_t got = ::read(descriptor, bytes.data() + start, static_cast<std::size_t>(info.st_size));
        bytes.resize(start + static_cast<std::size_t>(got > 0 ? got : 0));
        ::close(descriptor);
    }
    return bytes;
}

namespace {

long statusKilobytes(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0) {
            return std::stol(line.substr(key.size()));
        }
    }
    return 0;
}

}  // namespace

long peakResidentBytes() { return statusKilobytes("VmHWM:") * 1024; }
long residentBytes() { return statusKilobytes("VmRSS:") * 1024; }

void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace lexivo::bench
