#include "engine/command_table.h"

#include <array>
#include <string>
#include <vector>

#include "engine/date_time_formats.h"

namespace orv {

namespace {

// Every command identifier has its entry, and the first entry of a range comes first.
constexpr auto kFirstEntry = [] {
    std::array<std::uint16_t, kCommandIdCount> first{};
    first.fill(UINT16_MAX);
    for (std::size_t i = kCommandCatalogue.size(); i-- > 0;)
        first[static_cast<std::size_t>(kCommandCatalogue[i].id)] = static_cast<std::uint16_t>(i);
    return first;
}();

// The text that opens a date or time tag.
std::string dateTimeTag(std::string_view format) { return "<" + std::string(format) + "{"; }

struct Table {
    std::vector<std::string> dateTimeTags;
    std::vector<CommandEntry> commands;
    std::array<std::vector<std::uint16_t>, 256> bySecond;

    Table() : commands(kCommandCatalogue.begin(), kCommandCatalogue.end()) {
        dateTimeTags.reserve(kDateFormats.size() + kTimeFormats.size());
        for (std::string_view f : kDateFormats) dateTimeTags.push_back(dateTimeTag(f));
        for (std::string_view f : kTimeFormats) dateTimeTags.push_back(dateTimeTag(f));
        for (std::size_t i = 0; i < kDateFormats.size(); ++i)
            commands.push_back({dateTimeTags[i],
                                CommandId::DateFormat,
                                CommandFamily::ClipFile,
                                ScriptCommand::Date,
                                {},
                                static_cast<int>(i)});
        for (std::size_t i = 0; i < kTimeFormats.size(); ++i)
            commands.push_back({dateTimeTags[kDateFormats.size() + i],
                                CommandId::TimeFormat,
                                CommandFamily::ClipFile,
                                ScriptCommand::Time,
                                {},
                                static_cast<int>(i)});
        for (std::size_t i = 0; i < commands.size(); ++i) {
            const auto second = static_cast<unsigned char>(commands[i].tag[1]);
            bySecond[second].push_back(static_cast<std::uint16_t>(i));
        }
    }
};

const Table& table() {
    static const Table t;
    return t;
}

}  // namespace

std::span<const CommandEntry> commandTable() { return table().commands; }

std::span<const std::uint16_t> commandCandidates(unsigned char second) { return table().bySecond[second]; }

const CommandEntry& commandSpec(CommandId id) {
    const std::uint16_t i = kFirstEntry[static_cast<std::size_t>(id)];
    // The date and time commands live in the expanded table only.
    if (i == UINT16_MAX)
        return commandTable()[id == CommandId::DateFormat ? kCommandCatalogue.size()
                                                          : kCommandCatalogue.size() + kDateFormats.size()];
    return kCommandCatalogue[i];
}

std::string zeroPadded(long long value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    const std::size_t sign = value < 0 ? 1 : 0;
    if (digits.size() + sign < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - sign - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

std::string composeTagFields(const CommandEntry& entry, std::span<const std::string_view> fields,
                             std::string_view text) {
    const TagLayout& l = entry.layout;
    std::string out(entry.tag);
    std::size_t fieldEnd = 0;
    for (std::size_t i = 0; i < fields.size() && i < l.fieldCount; ++i) {
        const TagField& field = l.fields[i];
        if (fieldEnd != 0 && field.at > fieldEnd) out += l.separator;
        out += fields[i];
        fieldEnd = field.at + field.width;
    }
    if (l.hasText()) {
        if (fieldEnd != 0 && l.text > fieldEnd) out += l.separator;
        out += text;
        out += '>';
    } else if (l.close != 0) {
        out += '>';
    }
    return out;
}

std::string composeTag(const CommandEntry& entry, std::initializer_list<long long> numbers, std::string_view text) {
    std::array<std::string, 3> written;
    std::array<std::string_view, 3> views;
    std::size_t count = 0;
    for (long long n : numbers) {
        if (count >= written.size()) break;
        written[count] = zeroPadded(n, entry.layout.fields[count].width);
        views[count] = written[count];
        ++count;
    }
    return composeTagFields(entry, std::span(views.data(), count), text);
}

std::string composeLogon(std::string_view user, std::string_view password) {
    return std::string(kNameTag) + std::string(user) + ">" + std::string(kPassTag) + std::string(password) + ">";
}

std::string composeNetworkStart(CommandId id, bool permanent, bool force, bool showStatus) {
    std::string out(tagOf(id));
    if (permanent) out += kPermanentFlag;
    if (force && id == CommandId::Nwd) out += kForceFlag;
    if (showStatus) out += kStatusFlag;
    return out + ":";
}

std::string composeDialTag(std::string_view user, std::string_view password, std::string_view connection) {
    // The tag's text ends with the "<NAME:" of the logon.
    const std::string_view dial = tagOf(CommandId::Dial);
    return std::string(dial.substr(0, dial.size() - kNameTag.size())) + composeLogon(user, password) +
           std::string(connection) + ">";
}

std::string composeDateTag(std::size_t format, bool leadingZeros, bool future, int dayCount) {
    if (format >= kDateFormats.size()) return {};
    const CommandEntry& entry = commandTable()[kCommandCatalogue.size() + format];
    return std::string(entry.tag) + (leadingZeros ? kZerosFlag : kNoZerosFlag) + (future ? kFutureFlag : kPastFlag) +
           zeroPadded(dayCount, kDayCountWidth) + std::string(kDateTimeClose);
}

std::string composeTimeTag(std::size_t format, bool leadingZeros) {
    if (format >= kTimeFormats.size()) return {};
    const CommandEntry& entry = commandTable()[kCommandCatalogue.size() + kDateFormats.size() + format];
    return std::string(entry.tag) + (leadingZeros ? kZerosFlag : kNoZerosFlag) + std::string(kDateTimeClose);
}

std::string composeTag(CommandId id, std::initializer_list<long long> numbers, std::string_view text) {
    return composeTag(commandSpec(id), numbers, text);
}

}  // namespace orv
