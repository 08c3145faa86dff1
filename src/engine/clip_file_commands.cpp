// Clipboard, files, web addresses, and the date and time commands.
#include <algorithm>
#include <optional>

#include "engine/date_time_formats.h"
#include "engine/date_time_text.h"
#include "engine/playback_engine.h"
#include "engine/text_fields.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace orv {

namespace {

constexpr std::uint8_t kVkControl = 17;
constexpr std::string_view kEndClip = "<ENDCLIP>";
// The most a "<BEGCLIP>" block can hold: the rest of a 5000-character macro.
constexpr std::size_t kMaxClipBlock = 4991;

// A file's text as a macro sees it: a last byte of 26 (an old end-of-file mark) is dropped.
std::optional<std::string> readText(IFileSystem* files, const std::string& path) {
    if (files == nullptr) return std::nullopt;
    std::optional<std::string> bytes = files->readFile(path);
    if (bytes && !bytes->empty() && bytes->back() == 26) bytes->pop_back();
    return bytes;
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// "<MKDIR:": the folder with every missing parent folder.
void makeFolders(PlaybackEngine& engine, IFileSystem& files, const std::string& folder) {
    std::string bare = folder;
    while (bare.size() > 1 && isSeparator(bare.back())) bare.pop_back();
    if (bare.empty() || files.isDirectory(bare)) return;
    // Each prefix ends with its separator, as the path is read from the left.
    for (std::size_t i = 0; i < folder.size(); ++i) {
        const bool last = i + 1 == folder.size();
        if (!isSeparator(folder[i]) && !last) continue;
        const std::string prefix = folder.substr(0, i + 1);
        std::string probe = prefix;
        while (probe.size() > 1 && isSeparator(probe.back())) probe.pop_back();
        if (files.isDirectory(probe)) continue;
        if (!files.createDirectory(probe)) {
            engine.DoAMessage("Create Folder Failed", "Folder \"" + prefix + "\" could not be created.");
            return;
        }
    }
}

// The two parts of "A;B" (B empty when there is no ";").
std::pair<std::string, std::string> splitPair(std::string_view param) {
    const std::size_t semi = param.find(';');
    if (semi == std::string_view::npos) return {std::string(param.substr(0, 255)), std::string()};
    return {std::string(param.substr(0, std::min<std::size_t>(semi, 255))),
            std::string(param.substr(semi + 1).substr(0, 255))};
}

class ClipFileCommands final : public ICommandFamily {
public:
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) override {
        const std::string_view text = run.text;
        const std::size_t at = run.pos;
        const std::size_t after = at + cmd.tag.size();
        const PlaybackServices& s = engine.services();
        switch (cmd.id) {
            case CommandId::Clipf: {
                const FreeText path = freeText(text, after);
                if (const std::optional<std::string> bytes = readText(s.files, path.shortString())) {
                    if (s.clipboard != nullptr) s.clipboard->setText(*bytes);
                    engine.PauseForNoSpeed(0.05);
                }
                return path.next;
            }
            case CommandId::Clipb: {
                const FreeText path = freeText(text, after);
                const std::string file = path.shortString();
                if (s.files != nullptr && s.files->fileExists(file)) {
                    if (s.clipboard != nullptr) s.clipboard->setBitmapFromFile(file);
                } else {
                    engine.DoAMessage("Bitmap Copy Error", "Bitmap could not be located.");
                }
                return path.next;
            }
            case CommandId::Clipc:
            case CommandId::Clipp: {
                const std::uint8_t letter = cmd.id == CommandId::Clipc ? 67 : 86;
                engine.PostVKey(kVkControl, 0);
                engine.PostVKey(letter, 0);
                engine.PostVKey(letter, 1);
                engine.PostVKey(kVkControl, 1);
                if (cmd.id == CommandId::Clipp) engine.PauseForNoSpeed(0.1);
                return after;
            }
            case CommandId::Begclip: {
                const std::size_t end = text.find(kEndClip, after);
                if (end == std::string_view::npos) return text.size() - 1;
                if (s.clipboard != nullptr)
                    s.clipboard->setText(std::string(text.substr(after, std::min(end - after, kMaxClipBlock))));
                engine.PauseForNoSpeed(0.05);
                return end;
            }
            case CommandId::Endclip:
                return after;
            case CommandId::Cliptype:
            case CommandId::Cliptypei: {
                if (s.clipboard == nullptr) return after;
                std::string clip = s.clipboard->text();
                if (cmd.id == CommandId::Cliptypei) std::erase_if(clip, [](char c) { return c == '\r' || c == '\n'; });
                if (!clip.empty()) engine.runNested(run, clip);
                return after;
            }
            case CommandId::Tfile: {
                const FreeText path = freeText(text, after);
                if (const std::optional<std::string> bytes = readText(s.files, path.shortString()))
                    engine.runNested(run, *bytes);
                return path.next;
            }
            case CommandId::Http:
            case CommandId::Ftp: {
                const FreeText address = freeText(text, after);
                if (s.shell != nullptr) s.shell->shellOpen("", address.shortString(), "", "");
                return address.next;
            }
            case CommandId::Chdir: {
                const FreeText path = freeText(text, after);
                if (s.files != nullptr) s.files->setCurrentDirectory(path.shortString());
                return path.next;
            }
            case CommandId::Mkdir: {
                const FreeText path = freeText(text, after);
                if (s.files != nullptr) makeFolders(engine, *s.files, path.shortString());
                return path.next;
            }
            case CommandId::Delfile: {
                const FreeText path = freeText(text, after);
                if (s.files != nullptr) s.files->deleteFile(path.shortString());
                return path.next;
            }
            case CommandId::Copyfile:
            case CommandId::Renfile: {
                const FreeText param = freeText(text, after);
                const auto [from, to] = splitPair(param.value);
                if (s.files != nullptr) {
                    if (cmd.id == CommandId::Copyfile)
                        s.files->copyFile(from, to);
                    else
                        s.files->renameFile(from, to);
                }
                return param.next;
            }
            case CommandId::DateFormat:
                return dateCommand(engine, run, cmd);
            case CommandId::TimeFormat:
                return timeCommand(engine, run, cmd);
            default:
                return std::nullopt;
        }
    }

private:
    // "{Y}>", "{N}>", or "{" Y|N P|F ddd "}>" after the format.
    static std::optional<std::size_t> dateCommand(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) {
        const std::string_view text = run.text;
        const std::size_t flag = run.pos + cmd.tag.size();
        if (flag >= text.size() || (text[flag] != 'Y' && text[flag] != 'N')) return std::nullopt;
        int days = 0;
        std::size_t next = 0;
        if (startsAt(text, flag + 1, "}>")) {
            next = flag + 3;
        } else if (flag + 1 < text.size() && (text[flag + 1] == 'P' || text[flag + 1] == 'F') &&
                   startsAt(text, flag + 5, "}>")) {
            days = static_cast<int>(fieldNumber(text, flag, 2, 3));
            if (text[flag + 1] == 'P') days = -days;
            next = flag + 7;
        } else {
            return std::nullopt;
        }
        const LocalTime date = addDays(engine.services().clock->now(), days);
        engine.typeText(run, formatDate(kDateFormats[static_cast<std::size_t>(cmd.arg)], date, text[flag] == 'Y'));
        return next;
    }

    static std::optional<std::size_t> timeCommand(PlaybackEngine& engine, Interpretation& run, const CommandSpec& cmd) {
        const std::string_view text = run.text;
        const std::size_t flag = run.pos + cmd.tag.size();
        if (flag >= text.size() || (text[flag] != 'Y' && text[flag] != 'N') || !startsAt(text, flag + 1, "}>"))
            return std::nullopt;
        const LocalTime now = engine.services().clock->now();
        engine.typeText(run, formatTime(kTimeFormats[static_cast<std::size_t>(cmd.arg)], now, text[flag] == 'Y'));
        return flag + 3;
    }
};

}  // namespace

std::unique_ptr<ICommandFamily> makeClipFileCommands() { return std::make_unique<ClipFileCommands>(); }

}  // namespace orv
