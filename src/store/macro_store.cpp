#include "store/macro_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "store/macro_file.h"

namespace orv {

namespace {

constexpr const char* kErrorTitle = "Error";

bool preadAll(int fd, std::uint8_t* data, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, data + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool pwriteAll(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, data + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes `size` bytes at `offset`. When that fails part-way (a full disk, a file-size limit),
// puts back what was there and cuts the file back to its former size, so that a failed write
// leaves the file exactly as it was.
bool writeOrRestore(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    const off_t oldSize = st.st_size;
    std::vector<std::uint8_t> old;
    if (offset < oldSize) {
        old.resize(std::min<std::size_t>(size, static_cast<std::size_t>(oldSize - offset)));
        if (!preadAll(fd, old.data(), old.size(), offset)) return false;
    }
    if (pwriteAll(fd, data, size, offset)) return true;
    const int err = errno;
    if (!old.empty()) pwriteAll(fd, old.data(), old.size(), offset);
    if (::ftruncate(fd, oldSize) != 0) {
        // Nothing more can be done; the error reported is the write's.
    }
    errno = err;
    return false;
}

off_t recordOffset(int n) { return static_cast<off_t>(n - 1) * static_cast<off_t>(TMacroRecord::kSize); }

// Closes a descriptor when it goes out of scope.
struct Fd {
    int fd;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

std::string fileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string macrosLoadedText(int count) {
    if (count == 0) return "None of its macros could be loaded";
    if (count == 1) return "Its first macro is loaded";
    return "Its first " + std::to_string(count) + " macros are loaded";
}

}  // namespace

const std::string& systemMacroNickName(int code) {
    static const std::array<std::string, 4> names = {"Activate Orvanta", "Start / Stop Capture", "Resume Pause",
                                                     "Menu of Macros for Top Most Window"};
    return names[static_cast<std::size_t>(code - 1)];
}

MacroStore::MacroStore(TActivationTable& table, TAppSettings& settings, IHookLibrary& hook, IUserPrompt& prompt,
                       const IClock& clock, std::string iconsDir)
    : table_(table), settings_(settings), hook_(hook), prompt_(prompt), clock_(clock), iconsDir_(std::move(iconsDir)) {}

MacroIconRef MacroStore::resolveIcon(TMacroRecord& record, bool forWrite) const {
    if (record.IconName == "MENU") return {MacroIconRef::Kind::Menu, {}};
    if (record.IconName == "MAIN") return {MacroIconRef::Kind::Main, {}};
    if (!record.IconName.empty() && record.IconName.find('/') == std::string::npos && record.IconName != "." &&
        record.IconName != "..") {
        const std::string path = iconsDir_ + "/" + record.IconName;
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) return {MacroIconRef::Kind::File, path};
    }
    const bool menu = record.Scope == kScopePopupMenu;
    if (forWrite) record.IconName = menu ? "MENU" : "MAIN";
    return {menu ? MacroIconRef::Kind::Menu : MacroIconRef::Kind::Main, {}};
}

void MacroStore::storeIndexEntry(int j, const TMacroRecord& record, const MacroIconRef& icon) {
    const auto i = static_cast<std::size_t>(j - 1);
    settings_.NickName[i] = record.NickName;
    settings_.ShortKeyText[i] = record.ShortKeyText;
    settings_.MacroIcon[i] = icon;
    table_.setScope(j, record.Scope);
    table_.setWindowTitle(j, record.WindowTitle);
    table_.setTopMostOnly(j, record.TopMostOnly != 0);
    table_.setHotKeyCode(j, record.HotKeyCode);
    table_.setActive(j, record.Active != 0);
}

bool MacroStore::LoadMacroFile(const std::string& path, LoadMode mode) {
    table_.setMacroCount(0);
    loadedPath_ = path;
    readOnlyReason_.clear();
    memoryOnly_.clear();
    fileRecords_ = 0;
    inspectOnly_ = mode == LoadMode::Inspect;
    if (!inspectOnly_) removeStaleTemporaries(path);

    MacroFileContents contents = readMacroFile(path);
    if (contents.status == MacroFileContents::Status::Missing && inspectOnly_) {
        readOnlyReason_ = "it does not exist";
        prompt_.messageBox(kErrorTitle, "The macro file \"" + fileName(path) + "\" does not exist.");
        return false;
    }
    if (contents.status == MacroFileContents::Status::Missing) {
        // Macro files may hold logon passwords: private to the user unless the folder is shared.
        const mode_t created = settings_.NetworkMode ? 0666 : 0600;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, created);
        if (fd < 0) {
            prompt_.messageBox(kErrorTitle, "New file could not be created.");
            return false;
        }
        ::close(fd);
        EnsureSystemMacros();
        return true;
    }
    if (contents.status == MacroFileContents::Status::Unreadable) {
        // Never create over a file that exists: that would destroy it.
        readOnlyReason_ = "it could not be read (" + contents.error + ")";
        prompt_.messageBox(kErrorTitle,
                           "The macro file \"" + fileName(path) + "\" could not be read: " + contents.error + ".");
        return false;
    }

    int count = 0;
    for (TMacroRecord& record : contents.records) {
        ++count;
        table_.setMacroCount(count);
        storeIndexEntry(count, record, resolveIcon(record, false));
        hook_.OrvUpItem(table_, count);
    }
    fileRecords_ = count;
    hook_.OrvUpNumKeys(table_);

    readOnlyReason_ = contents.damage();
    if (!readOnlyReason_.empty()) {
        prompt_.messageBox(kErrorTitle, "The macro file \"" + fileName(path) + "\" is damaged: " + readOnlyReason_ +
                                            ". " + macrosLoadedText(count) +
                                            " and the file is kept read-only, so nothing in it is lost.");
    } else if (!contents.problems.empty()) {
        std::string text = "Some macros in \"" + fileName(path) + "\" are damaged and were read as far as possible:";
        const std::size_t shown = std::min<std::size_t>(contents.problems.size(), 5);
        for (std::size_t i = 0; i < shown; ++i) text += "\n" + contents.problems[i];
        if (contents.problems.size() > shown)
            text += "\n(and " + std::to_string(contents.problems.size() - shown) + " more)";
        prompt_.messageBox(kErrorTitle, text);
    }
    EnsureSystemMacros();
    return true;
}

TMacroRecord MacroStore::makeSystemMacro(int code) const {
    TMacroRecord r;
    r.NickName = systemMacroNickName(code);
    r.WindowTitle = std::string(1, static_cast<char>('0' + code));
    r.HotKeyCode = static_cast<std::int16_t>(kFirstSystemHotKey + code - 1);
    r.Scope = kScopeSystem;
    r.Active = 1;
    r.IconName = "MAIN";
    r.LastModified = toDateSerial(clock_.now());
    return r;
}

void MacroStore::EnsureSystemMacros() {
    std::array<bool, 4> found{};
    for (int j = 1; j <= table_.MacroCount(); ++j) {
        if (table_.Scope(j) != kScopeSystem) continue;
        const std::string title = table_.WindowTitle(j);
        if (title.empty() || title[0] < '1' || title[0] > '4') continue;
        const int code = title[0] - '0';
        found[static_cast<std::size_t>(code - 1)] = true;
        if (settings_.nickName(j) != systemMacroNickName(code))
            settings_.NickName[static_cast<std::size_t>(j - 1)] = systemMacroNickName(code);
    }
    // A damaged or inspected file is never written: its missing system macros live in memory
    // only, so that the program can still be called up and capture still started.
    const bool memoryOnly = !readOnlyReason_.empty() || inspectOnly_;
    for (int code = 1; code <= 4; ++code) {
        if (found[static_cast<std::size_t>(code - 1)] || table_.MacroCount() >= kMaxMacros) continue;
        table_.setMacroCount(table_.MacroCount() + 1);
        hook_.OrvUpNumKeys(table_);
        TMacroRecord record = makeSystemMacro(code);
        if (memoryOnly) {
            storeIndexEntry(table_.MacroCount(), record, resolveIcon(record, false));
            hook_.OrvUpItem(table_, table_.MacroCount());
            memoryOnly_.push_back(record);
            continue;
        }
        if (!writeRecordTo(loadedPath_, table_.MacroCount(), record)) {
            table_.setMacroCount(table_.MacroCount() - 1);
            hook_.OrvUpNumKeys(table_);
            return;
        }
    }
}

bool MacroStore::ReadMacroRecord(int n, TMacroRecord& record) const {
    if (n < 1) return false;
    const auto memoryIndex = static_cast<std::size_t>(n - fileRecords_ - 1);
    if (settings_.CurrentFile == loadedPath_ && n > fileRecords_ && n <= table_.MacroCount() &&
        memoryIndex < memoryOnly_.size()) {
        record = memoryOnly_[memoryIndex];
        return true;
    }
    Fd f(openRegularFile(settings_.CurrentFile, O_RDONLY));
    if (f.fd < 0) return false;
    RecordBytes buffer{};
    if (!preadAll(f.fd, buffer.data(), buffer.size(), recordOffset(n))) return false;
    record = decodeRecord(buffer);
    return true;
}

bool MacroStore::refuseWhenReadOnly(const std::string& path) {
    if (path != loadedPath_) return false;
    if (inspectOnly_) return true;
    if (readOnlyReason_.empty()) return false;
    prompt_.messageBox(kErrorTitle,
                       "The macro file \"" + fileName(path) + "\" cannot be changed: " + readOnlyReason_ + ".");
    return true;
}

bool MacroStore::WriteMacroRecord(int n, TMacroRecord& record) {
    return writeRecordTo(settings_.CurrentFile, n, record);
}

bool MacroStore::writeRecordTo(const std::string& path, int n, TMacroRecord& record) {
    if (refuseWhenReadOnly(path)) return false;
    Fd f(openRegularFile(path, O_RDWR));
    const int number = n == -1 ? table_.MacroCount() : n;
    if (f.fd < 0 || number < 1 || number > kMaxMacros) {
        prompt_.messageBox(kErrorTitle, "Saving of keystrokes failed.");
        return false;
    }
    off_t offset = recordOffset(number);
    if (n == -1) {
        offset = ::lseek(f.fd, 0, SEEK_END);
        if (offset < 0) {
            prompt_.messageBox(kErrorTitle, "Saving of keystrokes failed.");
            return false;
        }
    }
    const MacroIconRef icon = resolveIcon(record, true);
    const RecordBytes bytes = encodeRecord(record);
    if (!writeOrRestore(f.fd, bytes.data(), bytes.size(), offset)) {
        prompt_.messageBox(kErrorTitle, "Saving of keystrokes failed.");
        return false;
    }
    // The record is the truth: the index takes what was stored (strings cut to their fields).
    storeIndexEntry(number, decodeRecord(bytes), icon);
    hook_.OrvUpItem(table_, number);
    return true;
}

bool MacroStore::AppendMacroRecord(TMacroRecord& record) {
    if (table_.MacroCount() >= kMaxMacros) return false;
    table_.setMacroCount(table_.MacroCount() + 1);
    hook_.OrvUpNumKeys(table_);
    if (WriteMacroRecord(-1, record)) return true;
    table_.setMacroCount(table_.MacroCount() - 1);
    hook_.OrvUpNumKeys(table_);
    return false;
}

bool MacroStore::AppendMacroRecords(std::vector<TMacroRecord>& records) {
    const std::string& path = settings_.CurrentFile;
    if (refuseWhenReadOnly(path)) return false;
    std::string all;
    {
        Fd f(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        const off_t size = f.fd < 0 ? -1 : ::lseek(f.fd, 0, SEEK_END);
        const auto held = static_cast<std::size_t>(size) / TMacroRecord::kSize;
        if (size < 0 || static_cast<std::size_t>(size) % TMacroRecord::kSize != 0 ||
            held + records.size() > static_cast<std::size_t>(kMaxMacros)) {
            prompt_.messageBox(kErrorTitle, "Saving of keystrokes failed.");
            return false;
        }
        all.resize(static_cast<std::size_t>(size));
        if (!preadAll(f.fd, reinterpret_cast<std::uint8_t*>(all.data()), all.size(), 0)) {
            prompt_.messageBox(kErrorTitle, "Saving of keystrokes failed.");
            return false;
        }
    }
    all.reserve(all.size() + records.size() * TMacroRecord::kSize);
    for (TMacroRecord& record : records) {
        resolveIcon(record, true);
        const RecordBytes bytes = encodeRecord(record);
        all.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    std::string error;
    if (!replaceFileAtomically(path, all, &error)) {
        prompt_.messageBox(kErrorTitle, "The macros could not be added to \"" + fileName(path) + "\": " + error + ".");
        return false;
    }
    ReloadMacroFile();
    return true;
}

bool MacroStore::DeleteMacroRecord(int n) {
    const std::string& path = settings_.CurrentFile;
    if (refuseWhenReadOnly(path)) return false;
    MacroFileContents contents = readMacroFile(path);
    if (contents.status != MacroFileContents::Status::Ok || n < 1 ||
        static_cast<std::size_t>(n) > contents.recordsInFile || !contents.damage().empty())
        return false;
    // Copy the raw bytes of every other record so that nothing in them is rewritten.
    std::string all;
    {
        Fd f(openRegularFile(path, O_RDONLY));
        if (f.fd < 0) return false;
        all.resize(contents.recordsInFile * TMacroRecord::kSize);
        if (!preadAll(f.fd, reinterpret_cast<std::uint8_t*>(all.data()), all.size(), 0)) return false;
    }
    all.erase(static_cast<std::size_t>(n - 1) * TMacroRecord::kSize, TMacroRecord::kSize);
    std::string error;
    if (!replaceFileAtomically(path, all, &error)) {
        prompt_.messageBox(kErrorTitle,
                           "The macro could not be removed from \"" + fileName(path) + "\": " + error + ".");
        return false;
    }
    ReloadMacroFile();
    return true;
}

bool MacroStore::SetMacroActive(int n, bool active) {
    const std::string& path = settings_.CurrentFile;
    if (n < 1 || refuseWhenReadOnly(path)) return false;
    auto fail = [&](const std::string& why) {
        prompt_.messageBox(kErrorTitle, std::string("The macro could not be ") +
                                            (active ? "activated" : "deactivated") + ": \"" + fileName(path) + "\" " +
                                            why + ".");
        return false;
    };
    std::string why;
    Fd f(openRegularFile(path, O_RDWR, &why));
    if (f.fd < 0) return fail("could not be opened (" + why + ")");
    const off_t end = ::lseek(f.fd, 0, SEEK_END);
    if (end < recordOffset(n) + static_cast<off_t>(TMacroRecord::kSize))
        return fail("holds no macro number " + std::to_string(n));
    const std::uint8_t flag = active ? 1 : 0;
    if (!writeOrRestore(f.fd, &flag, 1, recordOffset(n) + static_cast<off_t>(TMacroRecord::oActive)))
        return fail(std::string("could not be written (") + std::strerror(errno) + ")");
    if (n <= table_.MacroCount() && path == loadedPath_) {
        table_.setActive(n, active);
        hook_.OrvUpItem(table_, n);
    }
    return true;
}

}  // namespace orv
