#pragma once
// What a floor does: the plain system calls of a durable file replacement, without any of the
// program's code, so that an operation can be measured against the same steps on the same bytes.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexivo::bench {

// Writes `pieces` into a scratch file beside `target`, fdatasyncs it, renames it over `target`
// and fsyncs the directory.
void replaceDurably(const std::filesystem::path& target, const std::vector<std::string_view>& pieces);

// Reads every file into one buffer reserved for all of them.
std::string readAll(const std::vector<std::filesystem::path>& files);

// The peak resident memory of this process since the last reset, in bytes.
long peakResidentBytes();
long residentBytes();
void resetPeakResident();

// How far the resident memory has risen above what it was when this was made.
class MemoryRise {
public:
    MemoryRise() : before_((resetPeakResident(), residentBytes())) {}
    long bytes() const { return peakResidentBytes() - before_; }
    double megabytes() const { return static_cast<double>(bytes()) / (1 << 20); }

private:
    long before_;
};

}  // namespace lexivo::bench
