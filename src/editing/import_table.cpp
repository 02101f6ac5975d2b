#include "editing/import_table.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>

namespace lexivo {
namespace {

// What an entry holds for one language.
struct Translation {
    std::string text;
    std::string example;
    std::optional<int> grade;
};

struct Identifier {
    int id = -1;
    std::string locale;
};

std::string utf8(QStringView text) { return text.toString().trimmed().toStdString(); }

int attributeId(const QXmlStreamReader& reader)
{
    bool ok = false;
    const int id = reader.attributes().value(QLatin1String("id")).toInt(&ok);
    return ok ? id : -1;
}

// Grades run from 0 (never practised) to 7 (known); levels from 4 (not known) to 0 (known).
std::string levelOfGrade(std::optional<int> grade)
{
    if (!grade) {
        return {};
    }
    static constexpr int kLevelOfGrade[] = {4, 3, 3, 2, 2, 1, 1, 0};
    return std::to_string(kLevelOfGrade[std::clamp(*grade, 0, 7)]);
}

class KvtmlReader {
public:
    explicit KvtmlReader(std::string_view bytes)
        : reader_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())))
    {
    }

    Result<ImportTable> read()
    {
        if (!reader_.readNextStartElement() || reader_.name() != QLatin1String("kvtml")) {
            return refusal("Soubor není slovník ve formátu KVTML.");
        }
        if (!reader_.attributes().value(QLatin1String("version")).startsWith(QLatin1String("2"))) {
            return refusal("Soubor je slovník KVTML jiné verze než 2.");
        }
        while (!cut_ && reader_.readNextStartElement()) {
            if (reader_.name() == QLatin1String("identifiers")) {
                readIdentifiers();
            } else if (reader_.name() == QLatin1String("entries")) {
                readEntries();
            } else {
                reader_.skipCurrentElement();
            }
        }
        if (reader_.hasError()) {
            return refusal("Soubor KVTML je poškozený (řádek " + std::to_string(reader_.lineNumber()) + ": " +
                           reader_.errorString().toStdString() + ").");
        }
        return table();
    }

private:
    static Message refusal(std::string text) { return errorMessage(std::move(text)); }

    void readIdentifiers()
    {
        while (reader_.readNextStartElement()) {
            if (reader_.name() != QLatin1String("identifier")) {
                reader_.skipCurrentElement();
                continue;
            }
            Identifier identifier{attributeId(reader_), {}};
            while (reader_.readNextStartElement()) {
                if (reader_.name() == QLatin1String("locale")) {
                    identifier.locale = reader_.readElementText().trimmed().toLower().toStdString();
                } else {
                    reader_.skipCurrentElement();
                }
            }
            identifiers_.push_back(identifier);
        }
    }

    void readEntries()
    {
        while (reader_.readNextStartElement()) {
            if (reader_.name() != QLatin1String("entry")) {
                reader_.skipCurrentElement();
                continue;
            }
            // No import reads more rows than a package and the list of faults can take.
            if (entries_.size() == kMaxImportRows) {
                cut_ = true;
                return;
            }
            const int line = static_cast<int>(reader_.lineNumber());
            std::map<int, Translation> translations;
            while (reader_.readNextStartElement()) {
                if (reader_.name() == QLatin1String("translation")) {
                    const int id = attributeId(reader_);
                    translations[id] = readTranslation();
                } else {
                    reader_.skipCurrentElement();
                }
            }
            entries_.push_back({line, std::move(translations)});
        }
    }

    Translation readTranslation()
    {
        Translation translation;
        while (reader_.readNextStartElement()) {
            if (reader_.name() == QLatin1String("text")) {
                translation.text = utf8(reader_.readElementText(QXmlStreamReader::IncludeChildElements));
            } else if (reader_.name() == QLatin1String("example")) {
                translation.example = utf8(reader_.readElementText(QXmlStreamReader::IncludeChildElements));
            } else if (reader_.name() == QLatin1String("grade")) {
                readGrade(translation);
            } else {
                reader_.skipCurrentElement();
            }
        }
        return translation;
    }

    void readGrade(Translation& translation)
    {
        while (reader_.readNextStartElement()) {
            if (reader_.name() == QLatin1String("currentgrade")) {
                bool ok = false;
                const int grade = reader_.readElementText().trimmed().toInt(&ok);
                if (ok) {
                    translation.grade = std::max(translation.grade.value_or(grade), grade);
                }
            } else {
                reader_.skipCurrentElement();
            }
        }
    }

    // The identifier of a language: by its locale, else the first (English) or second (Czech).
    int languageId(bool english) const
    {
        for (const Identifier& identifier : identifiers_) {
            const std::string& locale = identifier.locale;
            const bool matches = english ? locale.rfind("en", 0) == 0 : (locale.rfind("cs", 0) == 0 || locale.rfind("cz", 0) == 0);
            if (matches) {
                return identifier.id;
            }
        }
        const std::size_t position = english ? 0 : 1;
        return position < identifiers_.size() ? identifiers_[position].id : static_cast<int>(position);
    }

    ImportTable table() const
    {
        const int english = languageId(true);
        const int czech = languageId(false);
        ImportTable table;
        table.columnCount = 4;
        table.cut = cut_;
        for (const auto& [line, translations] : entries_) {
            auto of = [&](int id) {
                const auto found = translations.find(id);
                return found == translations.end() ? Translation{} : found->second;
            };
            const Translation foreign = of(english);
            const Translation native = of(czech);
            const std::optional<int> grade = native.grade ? native.grade : foreign.grade;
            table.rows.push_back({line, {foreign.text, native.text, foreign.example, levelOfGrade(grade)}});
        }
        return table;
    }

    QXmlStreamReader reader_;
    std::vector<Identifier> identifiers_;
    std::vector<std::pair<int, std::map<int, Translation>>> entries_;
    bool cut_ = false;
};

}  // namespace

Result<ImportTable> readKvtmlTable(std::string_view bytes) { return KvtmlReader(bytes).read(); }

ImportSettings detectImportSettings(const ImportFile& file)
{
    if (file.format == ImportFormat::Delimited) {
        return detectDelimitedSettings(file.bytes);
    }
    ImportSettings settings;
    settings.columns = ImportColumns{0, 1, 2, 3};
    return settings;
}

Result<ImportTable> readImportTable(const ImportFile& file, const ImportSettings& settings)
{
    if (file.format == ImportFormat::Kvtml) {
        return readKvtmlTable(file.bytes);
    }
    return splitDelimitedText(file.bytes, settings.encoding, settings.separator);
}

}  // namespace lexivo
