#include "editors/icon_choice.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/ansi_upper.h"

namespace orv::editors {

namespace fs = std::filesystem;

namespace {

constexpr const char* kInvalidType = "Invalid file type selected.";
constexpr const char* kNameTaken =
    "The selected icon could not be opened.  An icon of this name already exists in the default icon folder.  It will "
    "be opened instead.";
constexpr const char* kCannotOpen = "Icon could not be opened.";

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

bool sameBytes(const fs::path& a, const fs::path& b) {
    std::ifstream fa(a, std::ios::binary);
    std::ifstream fb(b, std::ios::binary);
    if (!fa || !fb) return false;
    return std::equal(std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>());
}

// A name a record can hold: printable ASCII, no path separator, at most 12 characters.
bool fitsRecord(const std::string& name) {
    return name.size() <= kIconNameLength &&
           std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 0x7f && c != '/'; });
}

// A short name for a file whose own name does not fit: up to six letters or digits of the name,
// "~", a number and ".ICO"; the first such name that is free or holds the same icon already.
std::string shortName(const fs::path& chosen, const fs::path& folder) {
    std::string stem;
    for (char c : chosen.stem().string())
        if (stem.size() < 6 && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) stem += c;
    if (stem.empty()) stem = "ICON";
    stem = ansiUpper(stem);
    for (int n = 1; n < 100; ++n) {
        const std::string name = stem.substr(0, n < 10 ? 6 : 5) + "~" + std::to_string(n) + ".ICO";
        std::error_code ec;
        if (!fs::exists(folder / name, ec) || sameBytes(chosen, folder / name)) return name;
    }
    return {};
}

}  // namespace

std::optional<std::string> chooseIcon(const std::string& chosen, const std::string& iconsDir, IUserPrompt& prompt) {
    const fs::path file(chosen);
    if (ansiUpper(file.extension().string()) != ".ICO") {
        prompt.messageBox("Error", kInvalidType);
        return std::nullopt;
    }
    std::error_code missing;
    if (!fs::is_regular_file(file, missing)) {
        prompt.messageBox("Error", kCannotOpen);
        return std::nullopt;
    }
    const fs::path folder(iconsDir);
    std::string name = file.filename().string();
    if (!sameFolder(file.parent_path(), folder)) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (!fitsRecord(name)) name = shortName(file, folder);
        const bool copied = !name.empty() && !fs::exists(folder / name, ec) &&
                            fs::copy_file(file, folder / name, fs::copy_options::none, ec);
        if (!copied && !(fitsRecord(name) && sameBytes(file, folder / name))) prompt.messageBox("Error", kNameTaken);
    } else if (!fitsRecord(name)) {
        name = shortName(file, folder);
        std::error_code ec;
        if (!name.empty() && !fs::exists(folder / name, ec)) fs::copy_file(file, folder / name, ec);
    }
    std::error_code ec;
    if (name.empty() || !fs::is_regular_file(folder / name, ec)) {
        prompt.messageBox("Error", kCannotOpen);
        return std::nullopt;
    }
    return name;
}

bool askResetIcon(IUserPrompt& prompt) {
    return prompt.messageBox("", "Reset icon to program default?", PromptButtons::YesNo) == PromptAnswer::Yes;
}

}  // namespace orv::editors
