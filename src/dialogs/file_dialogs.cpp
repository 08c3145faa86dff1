#include "dialogs/file_dialogs.h"

#include "dialogs/dialog_text.h"
#include "engine/command_table.h"

namespace orv::dialogs {

namespace {

const std::vector<std::string> kFileKinds = {"chdir", "copy", "rename", "delete", "mkdir"};
constexpr CommandId kFileTags[] = {CommandId::Chdir, CommandId::Copyfile, CommandId::Renfile, CommandId::Delfile,
                                   CommandId::Mkdir};

}  // namespace

TDoDOSFiles::TDoDOSFiles()
    : ValuesDialog({
          choiceField("kind", "chdir", kFileKinds),
          textField("path", "", 255),
          textField("newname", "", 255),
      }) {
    overflowField_ = "path";
}

void TDoDOSFiles::load(const Values& v) {
    if (v.kind >= ChangeFolder && v.kind <= CreateFolder) set("kind", kFileKinds[static_cast<std::size_t>(v.kind - 1)]);
    set("path", v.first);
    set("newname", v.second);
}

Outcome TDoDOSFiles::doCheck(const DialogEnv& env) {
    Values v;
    v.kind = choiceIndex("kind") + 1;
    v.first = text("path");
    const bool twoNames = v.kind == Copy || v.kind == Rename;
    if (twoNames) {
        v.second = text("newname");
        if (v.second.empty()) return Outcome::fail("newname", "No new name specified.  Please correct.");
    }
    // The file to copy or rename must exist when the command is made; a file to delete may be
    // one that the macro itself creates before it plays this command.
    if (twoNames) {
        if (env.files == nullptr || v.first.empty() || !env.files->fileExists(v.first))
            return Outcome::fail("path", "Specified Text File does not exist.  Please correct.");
    }
    // The source of a copy or rename ends at the first ";".
    if (const char c = firstOf(v.first, twoNames ? ">;" : ">")) return Outcome::fail("path", forbiddenCharMessage(c));
    if (const char c = firstOf(v.second, ">")) return Outcome::fail("newname", forbiddenCharMessage(c));
    std::string out;
    if (v.kind == ChangeFolder) {
        if (env.files == nullptr || v.first.empty() || !env.files->canEnterFolder(v.first))
            return Outcome::fail("path", "Specified directory/folder does not exist.  Please correct.");
        std::string folder = env.files->shortPath(v.first);
        if (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
        out += folder;
    } else {
        out += v.first;
        if (twoNames) out += ";" + v.second;
    }
    values_ = v;
    return Outcome::ok(composeTag(kFileTags[v.kind - 1], {}, out));
}

std::vector<std::pair<std::string, std::string>> TDoDOSFiles::results() const {
    return {{"kind", std::to_string(values_.kind)}, {"first", values_.first}, {"second", values_.second}};
}

TDoExplore::TDoExplore() : ValuesDialog({textField("folder", "", 255)}) { overflowField_ = "folder"; }

Outcome TDoExplore::doCheck(const DialogEnv& env) {
    Values v;
    v.folder = text("folder");
    if (env.files == nullptr || v.folder.empty() || !env.files->canEnterFolder(v.folder))
        return Outcome::fail("folder", "Specified folder does not exist.  Please correct.");
    if (const char c = firstOf(v.folder, ">")) return Outcome::fail("folder", forbiddenCharMessage(c));
    values_ = v;
    return Outcome::ok(composeTag(CommandId::Explore, {}, v.folder));
}

std::vector<std::pair<std::string, std::string>> TDoExplore::results() const { return {{"folder", values_.folder}}; }

}  // namespace orv::dialogs
