#include "store/package_file.h"

#include "store/file_io.h"

namespace lexivo {
namespace fs = std::filesystem;

Result<std::string> editRecords(std::string_view bytes, const RecordEditor& editor)
{
    std::string out;
    out.reserve(bytes.size() + 16);
    RecordReader reader(bytes);
    while (auto stored = reader.next()) {
        const RecordChange change = editor(stored->record);
        switch (change.action) {
        case RecordChange::Action::Keep:
            out += stored->raw;
            break;
        case RecordChange::Action::Remove:
            break;
        case RecordChange::Action::SetKnowledge: {
            auto line = withKnowledge(stored->raw, change.replacement.knowledge);
            if (!line) {
                return line.message();
            }
            out += line.value();
            break;
        }
        case RecordChange::Action::Replace:
            if (Status written = writeWordRecord(out, change.replacement); !written) {
                return written.message();
            }
            break;
        }
    }
    return out;
}

Status rewriteRecordFile(const fs::path& file, const fs::path& scratch, const RecordEditor& editor)
{
    const auto bytes = readFileBytes(file);
    if (!bytes) {
        return bytes.message();
    }
    auto edited = editRecords(*bytes, editor);
    if (!edited) {
        return edited.message();
    }
    if (edited.value() == *bytes) {
        return Status::success();
    }
    return writeFileAtomically(file, scratch, edited.value());
}

Status rewritePackageFile(const DataTree& tree, std::string_view group, std::string_view package,
                          const RecordEditor& editor)
{
    return rewriteRecordFile(tree.packageFile(group, package), tree.packageFile(group, kPackageScratchName), editor);
}

Status appendWordRecords(const DataTree& tree, std::string_view group, std::string_view package,
                         const std::vector<WordRecord>& records)
{
    const fs::path file = tree.packageFile(group, package);
    std::string existing;
    if (entryExists(file)) {
        // A package that cannot be read is left alone: its last line might lack its end.
        if (Status read = appendFileBytes(file, existing); !read) {
            return read;
        }
    }
    std::string added = !existing.empty() && existing.back() != '\n' ? "\r\n" : "";
    for (const WordRecord& record : records) {
        if (Status written = writeWordRecord(added, record); !written) {
            return written;
        }
    }
    // Through the scratch file like a rewrite, so that a failed write leaves no half record
    // and a package that is a link is replaced, its target left alone.
    return writeFileAtomically(file, tree.packageFile(group, kPackageScratchName), [&](PieceSink& sink) {
        sink.add(existing);
        sink.add(added);
    });
}

std::vector<WordRecord> readPackageRecords(const DataTree& tree, std::string_view group, std::string_view package)
{
    std::vector<WordRecord> records;
    const auto bytes = readFileBytes(tree.packageFile(group, package));
    if (!bytes) {
        return records;
    }
    records.reserve(static_cast<std::size_t>(countLines(*bytes)));
    RecordReader reader(*bytes);
    while (auto stored = reader.next()) {
        records.push_back(std::move(stored->record));
    }
    return records;
}

int countPackageWords(const DataTree& tree, std::string_view group, std::string_view package)
{
    const auto bytes = readFileBytes(tree.packageFile(group, package));
    return bytes ? countLines(*bytes) : 0;
}

}  // namespace lexivo
