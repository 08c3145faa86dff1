#pragma once

#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "File Manipulation" (TDoDOSFiles).
struct TDoDOSFilesTypes {
    enum Kind { ChangeFolder = 1, Copy, Rename, Delete, CreateFolder };
    struct Values {
        int kind = ChangeFolder;
        std::string first;   // the path
        std::string second;  // the new name of a copy or rename
    };
};
class TDoDOSFiles final : public ValuesDialog<TDoDOSFilesTypes> {
public:
    TDoDOSFiles();
    std::string_view typeName() const override { return "TDoDOSFiles"; }
    std::string caption() const override { return "File Manipulation"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Open Explorer" (TDoExplore).
struct TDoExploreTypes {
    struct Values {
        std::string folder;
    };
};
class TDoExplore final : public ValuesDialog<TDoExploreTypes> {
public:
    TDoExplore();
    std::string_view typeName() const override { return "TDoExplore"; }
    std::string caption() const override { return "Open Explorer"; }
    void load(const Values& v) { set("folder", v.folder); }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

}  // namespace orv::dialogs
