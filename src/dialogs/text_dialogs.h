#pragma once

#include <optional>
#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Remark" (TDoRemark).
class TDoRemark final : public DialogModel {
public:
    struct Values {
        std::string remark;
    };
    TDoRemark();
    std::string_view typeName() const override { return "TDoRemark"; }
    std::string caption() const override { return "Remark"; }
    void load(const Values& v) { set("remark", v.remark); }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Display A Text Box" (TDoTBox). The tag may be longer than 255 characters; with an empty
// header nothing is inserted.
class TDoTBox final : public DialogModel {
public:
    struct Values {
        std::string header;
        std::string content;
    };
    TDoTBox();
    std::string_view typeName() const override { return "TDoTBox"; }
    std::string caption() const override { return "Display A Text Box"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Macro Commands" (TDoNick): run, delete, activate or deactivate a macro by nickname. The
// caller hands in the nickname list entry that is highlighted, if any.
class TDoNick final : public DialogModel {
public:
    enum Kind { Run = 1, Delete, Activate, Deactivate };
    struct Values {
        int kind = Run;
        std::string nickname;
    };
    TDoNick();
    std::string_view typeName() const override { return "TDoNick"; }
    std::string caption() const override { return "Macro Commands"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Load A New Macro File" (TDoSwap).
class TDoSwap final : public DialogModel {
public:
    struct Values {
        std::string path;
    };
    TDoSwap();
    std::string_view typeName() const override { return "TDoSwap"; }
    std::string caption() const override { return "Load A New Macro File"; }
    void load(const Values& v) { set("file", v.path); }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Internet Web Site" / "Internet FTP" (TDoWebStuff).
class TDoWebStuff final : public DialogModel {
public:
    struct Values {
        std::string url;  // as completed for the command
    };
    TDoWebStuff();
    std::string_view typeName() const override { return "TDoWebStuff"; }
    std::string caption() const override { return get("mode") == "ftp" ? "Internet FTP" : "Internet Web Site"; }
    void load(const Values& v) { set("url", v.url); }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
    void fieldChanged(std::string_view name) override;

private:
    Values values_;
};

// "Search and Replace" / "Find" (TDoSearch): the texts for the editors' search. Makes no command;
// "&Ok" with an empty "Find" does nothing.
class TDoSearch final : public DialogModel {
public:
    struct Values {
        std::string find;
        std::string replace;
    };
    TDoSearch();
    std::string_view typeName() const override { return "TDoSearch"; }
    std::string caption() const override { return get("mode") == "find" ? "Find" : "Search and Replace"; }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Load Text from a Text File" (TDoTextInsert).
class TDoTextInsert final : public DialogModel {
public:
    struct Values {
        std::string path;  // the path written into the tag
    };
    TDoTextInsert();
    std::string_view typeName() const override { return "TDoTextInsert"; }
    std::string caption() const override { return "Load Text from a Text File"; }
    void load(const Values& v) { set("file", v.path); }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;
    // "&Edit In Notepad" and "Edit In &Scripting Editor": the failure when the file cannot be
    // opened, nothing when it can.
    std::optional<Failure> checkEditable(const DialogEnv& env) const;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

}  // namespace orv::dialogs
