#pragma once

#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "File Manipulation" (TDoDOSFiles).
class TDoDOSFiles final : public DialogModel {
public:
    enum Kind { ChangeFolder = 1, Copy, Rename, Delete, CreateFolder };
    struct Values {
        int kind = ChangeFolder;
        std::string first;   // the path
        std::string second;  // the new name of a copy or rename
    };
    TDoDOSFiles();
    std::string_view typeName() const override { return "TDoDOSFiles"; }
    std::string caption() const override { return "File Manipulation"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Open Explorer" (TDoExplore).
class TDoExplore final : public DialogModel {
public:
    struct Values {
        std::string folder;
    };
    TDoExplore();
    std::string_view typeName() const override { return "TDoExplore"; }
    std::string caption() const override { return "Open Explorer"; }
    void load(const Values& v) { set("folder", v.folder); }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

}  // namespace orv::dialogs
