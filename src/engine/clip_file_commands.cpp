// Clipboard, files, web addresses, and the date and time commands.
#include <algorithm>
#include <optional>

#include "engine/date_time_formats.h"
#include "engine/date_time_text.h"
#include "engine/command_handlers.h"
#include "engine/playback_engine.h"
#include "engine/text_fields.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/virtual_keys.h"

namespace orv {

namespace {

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
    std::optional<std::size_t> perform(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) override {
        using C = ClipFileCommands;
        static constexpr HandlerTable<ClipFileCommands> kHandlers{
            {CommandId::Clipf, &C::clipFile},        {CommandId::Clipb, &C::clipBitmap},
            {CommandId::Clipc, &C::copyOrPaste},     {CommandId::Clipp, &C::copyOrPaste},
            {CommandId::Begclip, &C::beginClip},     {CommandId::Endclip, &C::endClip},
            {CommandId::Cliptype, &C::typeClip},     {CommandId::Cliptypei, &C::typeClip},
            {CommandId::Tfile, &C::textFile},        {CommandId::Http, &C::webAddress},
            {CommandId::Ftp, &C::webAddress},        {CommandId::Chdir, &C::fileCommand},
            {CommandId::Mkdir, &C::fileCommand},     {CommandId::Delfile, &C::fileCommand},
            {CommandId::Copyfile, &C::copyOrRename}, {CommandId::Renfile, &C::copyOrRename},
            {CommandId::DateFormat, &C::date},       {CommandId::TimeFormat, &C::time},
        };
        return kHandlers.run(*this, engine, run, cmd);
    }

private:
    using Result = std::optional<std::size_t>;

    // "<CLIPF:": a text file onto the clipboard.
    Result clipFile(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const PlaybackServices& s = engine.services();
        const FreeText path = textParameter(run.text, run.pos, cmd);
        if (const std::optional<std::string> bytes = readText(s.files, path.shortString())) {
            if (s.clipboard != nullptr) s.clipboard->setText(*bytes);
            engine.PauseForNoSpeed(0.05);
        }
        return path.next;
    }

    // "<CLIPB:": a bitmap file onto the clipboard.
    Result clipBitmap(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const PlaybackServices& s = engine.services();
        const FreeText path = textParameter(run.text, run.pos, cmd);
        const std::string file = path.shortString();
        if (s.files != nullptr && s.files->fileExists(file)) {
            if (s.clipboard != nullptr) s.clipboard->setBitmapFromFile(file);
        } else {
            engine.DoAMessage("Bitmap Copy Error", "Bitmap could not be located.");
        }
        return path.next;
    }

    // "<CLIPC>" and "<CLIPP>": Ctrl+C and Ctrl+V (a paste then waits for the target).
    Result copyOrPaste(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const std::uint8_t letter = cmd.id == CommandId::Clipc ? 67 : 86;
        engine.PostVKey(kVkControl, 0);
        engine.PostVKey(letter, 0);
        engine.PostVKey(letter, 1);
        engine.PostVKey(kVkControl, 1);
        if (cmd.id == CommandId::Clipp) engine.PauseForNoSpeed(0.1);
        return cmd.end(run.pos);
    }

    // "<BEGCLIP>": the text up to "<ENDCLIP>" onto the clipboard; interpretation goes on at the
    // "<ENDCLIP>".
    Result beginClip(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const std::string_view text = run.text;
        const std::size_t after = cmd.end(run.pos);
        const std::size_t end = text.find(tagOf(CommandId::Endclip), after);
        if (end == std::string_view::npos) return text.size() - 1;
        if (IClipboard* clipboard = engine.services().clipboard)
            clipboard->setText(std::string(text.substr(after, std::min(end - after, kMaxClipBlock))));
        engine.PauseForNoSpeed(0.05);
        return end;
    }

    Result endClip(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) { return cmd.end(run.pos); }

    // "<CLIPTYPE>" plays the clipboard's text as macro text; "<CLIPTYPEI>" without its line breaks.
    Result typeClip(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        IClipboard* clipboard = engine.services().clipboard;
        if (clipboard == nullptr) return cmd.end(run.pos);
        std::string clip = clipboard->text();
        if (cmd.id == CommandId::Cliptypei) std::erase_if(clip, [](char c) { return c == '\r' || c == '\n'; });
        if (!clip.empty()) engine.runNested(run, clip);
        return cmd.end(run.pos);
    }

    // "<TFILE:": plays a text file as macro text.
    Result textFile(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const FreeText path = textParameter(run.text, run.pos, cmd);
        if (const std::optional<std::string> bytes = readText(engine.services().files, path.shortString()))
            engine.runNested(run, *bytes);
        return path.next;
    }

    // "<HTTP:" and "<FTP:": the address opened by the desktop.
    Result webAddress(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const FreeText address = textParameter(run.text, run.pos, cmd);
        if (IShell* shell = engine.services().shell) shell->shellOpen("", address.shortString(), "", "");
        return address.next;
    }

    // "<CHDIR:", "<MKDIR:" and "<DELFILE:" on one path.
    Result fileCommand(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const FreeText path = textParameter(run.text, run.pos, cmd);
        IFileSystem* files = engine.services().files;
        if (files == nullptr) return path.next;
        if (cmd.id == CommandId::Chdir) files->setCurrentDirectory(path.shortString());
        if (cmd.id == CommandId::Mkdir) makeFolders(engine, *files, path.shortString());
        if (cmd.id == CommandId::Delfile) files->deleteFile(path.shortString());
        return path.next;
    }

    // "<COPYFILE:" and "<RENFILE:": "from;to".
    Result copyOrRename(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const FreeText param = textParameter(run.text, run.pos, cmd);
        const auto [from, to] = splitPair(param.value);
        if (IFileSystem* files = engine.services().files) {
            if (cmd.id == CommandId::Copyfile)
                files->copyFile(from, to);
            else
                files->renameFile(from, to);
        }
        return param.next;
    }

    // "Y" or "N" (leading zeros), then "}>", or "F"/"P" and a day count before "}>".
    Result date(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const std::string_view text = run.text;
        const std::size_t flag = run.pos + cmd.tag.size();
        if (flag >= text.size() || (text[flag] != kZerosFlag && text[flag] != kNoZerosFlag)) return std::nullopt;
        int days = 0;
        std::size_t next = 0;
        const std::size_t longClose = flag + 2 + kDayCountWidth;
        if (startsAt(text, flag + 1, kDateTimeClose)) {
            next = flag + 1 + kDateTimeClose.size();
        } else if (flag + 1 < text.size() && (text[flag + 1] == kPastFlag || text[flag + 1] == kFutureFlag) &&
                   startsAt(text, longClose, kDateTimeClose)) {
            days = static_cast<int>(fieldNumber(text, flag, 2, kDayCountWidth));
            if (text[flag + 1] == kPastFlag) days = -days;
            next = longClose + kDateTimeClose.size();
        } else {
            return std::nullopt;
        }
        const LocalTime day = addDays(engine.services().clock.now(), days);
        engine.typeText(run,
                        formatDate(kDateFormats[static_cast<std::size_t>(cmd.arg)], day, text[flag] == kZerosFlag));
        return next;
    }

    Result time(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
        const std::string_view text = run.text;
        const std::size_t flag = run.pos + cmd.tag.size();
        if (flag >= text.size() || (text[flag] != kZerosFlag && text[flag] != kNoZerosFlag) ||
            !startsAt(text, flag + 1, kDateTimeClose))
            return std::nullopt;
        const LocalTime now = engine.services().clock.now();
        engine.typeText(run,
                        formatTime(kTimeFormats[static_cast<std::size_t>(cmd.arg)], now, text[flag] == kZerosFlag));
        return flag + 1 + kDateTimeClose.size();
    }
};

}  // namespace

std::unique_ptr<ICommandFamily> makeClipFileCommands() { return std::make_unique<ClipFileCommands>(); }

}  // namespace orv
