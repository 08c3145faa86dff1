#include "transfer/import_source.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "platform/activation_table.h"
#include "transfer/import_conversion.h"

namespace orv {

namespace {

constexpr std::size_t kShownLines = 6;

struct FormatInfo {
    ImportFormat format;
    const char* extension;
    std::size_t recordSize;
};
constexpr std::array<FormatInfo, 3> kFormats{{
    {ImportFormat::Orv, ".ORV", TMacroRecord::kSize},
    {ImportFormat::Bv2, ".BV2", Bv2Record::kSize},
    {ImportFormat::Shk, ".SHK", ShkRecord::kSize},
}};

const FormatInfo& infoOf(ImportFormat format) {
    return *std::find_if(kFormats.begin(), kFormats.end(), [&](const FormatInfo& f) { return f.format == format; });
}

bool validCode(int code) {
    return (code >= 0 && code < kHotKeyCount) || code == kCodeTimed || code == kCodeShortKey ||
           code == kCodeWindowTitle || code == kCodeNone;
}

// Why this program cannot hold `record`, or empty. Foreign formats bring no popup menus or
// system macros.
std::string unfit(const TMacroRecord& record, ImportFormat format) {
    const int lastScope = format == ImportFormat::Orv ? kScopePopupMenu : kScopeProgram;
    if (record.Scope < kScopeGlobal || record.Scope > lastScope)
        return "scope " + std::to_string(record.Scope) + " cannot be imported";
    if (!validCode(record.HotKeyCode)) return "activation code " + std::to_string(record.HotKeyCode) + " is unknown";
    if (record.MacroText.size() > kMaxMacroText) return "its text would be longer than 5,000 characters";
    return {};
}

// Decodes one record of `format`; damage goes to `problems`. System macros give nothing.
std::optional<TMacroRecord> decode(ImportFormat format, const std::uint8_t* bytes, double now,
                                   std::vector<std::string>& problems) {
    switch (format) {
        case ImportFormat::Orv: {
            RecordBytes record;
            std::copy_n(bytes, record.size(), record.begin());
            TMacroRecord r = decodeRecord(record, &problems);
            if (r.Scope == kScopeSystem) return std::nullopt;
            return r;
        }
        case ImportFormat::Bv2:
            return fromBv2(decodeBv2(bytes, problems), now);
        case ImportFormat::Shk:
            return fromShk(decodeShk(bytes, problems), now);
    }
    return std::nullopt;
}

std::string joined(const std::vector<std::string>& problems) {
    std::string out;
    for (const std::string& p : problems) out += (out.empty() ? "" : "; ") + p;
    return out;
}

}  // namespace

std::optional<ImportFormat> importFormatOf(const std::string& path) {
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const FormatInfo& f : kFormats)
        if (tail == f.extension) return f.format;
    return std::nullopt;
}

ImportSource readImportSource(const std::string& path, double now) {
    ImportSource out;
    const std::optional<ImportFormat> format = importFormatOf(path);
    if (!format) {
        out.status = ImportSource::Status::WrongType;
        return out;
    }
    out.format = *format;
    const std::size_t recordSize = infoOf(*format).recordSize;
    std::error_code ec;
    const bool regular = std::filesystem::is_regular_file(path, ec);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, ec) : 0;
    std::ifstream in(path, std::ios::binary);
    if (!regular || ec || !in) {
        out.status = ImportSource::Status::Unopenable;
        return out;
    }
    const std::uintmax_t records = size / recordSize;
    const std::size_t toRead = static_cast<std::size_t>(std::min<std::uintmax_t>(records, kMaxMacros));
    std::vector<std::uint8_t> data(toRead * recordSize);
    if (!in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()))) {
        out.status = ImportSource::Status::Unopenable;
        return out;
    }
    for (std::size_t i = 0; i < toRead; ++i) {
        std::vector<std::string> problems;
        std::optional<TMacroRecord> record = decode(*format, data.data() + i * recordSize, now, problems);
        if (record && problems.empty()) {
            if (std::string why = unfit(*record, *format); !why.empty()) problems.push_back(std::move(why));
        }
        const int position = static_cast<int>(i) + 1;
        if (!problems.empty()) {
            out.notOffered.push_back("record " + std::to_string(position) + ": " + joined(problems));
        } else if (record) {
            out.entries.push_back({position, std::move(*record)});
        }
    }
    if (records > toRead)
        out.notOffered.push_back("records " + std::to_string(toRead + 1) + " to " + std::to_string(records) +
                                 ": a macro file holds at most " + std::to_string(kMaxMacros) + " macros");
    if (const std::uintmax_t rest = size % recordSize; rest != 0 && records <= toRead)
        out.notOffered.push_back("the file ends in a partial record of " + std::to_string(rest) + " bytes");
    return out;
}

std::string notOfferedMessage(const ImportSource& source, const std::string& fileName) {
    if (source.notOffered.empty()) return {};
    std::string text = "Some records of \"" + fileName + "\" cannot be imported and are not listed:";
    const std::size_t shown = std::min(source.notOffered.size(), kShownLines);
    for (std::size_t i = 0; i < shown; ++i) text += "\n" + source.notOffered[i];
    if (source.notOffered.size() > shown)
        text += "\n(and " + std::to_string(source.notOffered.size() - shown) + " more)";
    return text;
}

}  // namespace orv
