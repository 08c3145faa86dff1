#pragma once

#include <optional>
#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Remark" (TDoRemark).
struct TDoRemarkTypes {
    struct Values {
        std::string remark;
    };
};
class TDoRemark final : public ValuesDialog<TDoRemarkTypes> {
public:
    TDoRemark();
    std::string_view typeName() const override { return "TDoRemark"; }
    std::string caption() const override { return "Remark"; }
    void load(const Values& v) { set("remark", v.remark); }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Display A Text Box" (TDoTBox). The tag may be longer than 255 characters; with an empty
// header nothing is inserted.
struct TDoTBoxTypes {
    struct Values {
        std::string header;
        std::string content;
    };
};
class TDoTBox final : public ValuesDialog<TDoTBoxTypes> {
public:
    TDoTBox();
    std::string_view typeName() const override { return "TDoTBox"; }
    std::string caption() const override { return "Display A Text Box"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Macro Commands" (TDoNick): run, delete, activate or deactivate a macro by nickname. The
// caller hands in the nickname list entry that is highlighted, if any.
struct TDoNickTypes {
    enum Kind { Run = 1, Delete, Activate, Deactivate };
    struct Values {
        int kind = Run;
        std::string nickname;
    };
};
class TDoNick final : public ValuesDialog<TDoNickTypes> {
public:
    TDoNick();
    std::string_view typeName() const override { return "TDoNick"; }
    std::string caption() const override { return "Macro Commands"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Load A New Macro File" (TDoSwap).
struct TDoSwapTypes {
    struct Values {
        std::string path;
    };
};
class TDoSwap final : public ValuesDialog<TDoSwapTypes> {
public:
    TDoSwap();
    std::string_view typeName() const override { return "TDoSwap"; }
    std::string caption() const override { return "Load A New Macro File"; }
    void load(const Values& v) { set("file", v.path); }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Internet Web Site" / "Internet FTP" (TDoWebStuff).
struct TDoWebStuffTypes {
    struct Values {
        std::string url;  // as completed for the command
    };
};
class TDoWebStuff final : public ValuesDialog<TDoWebStuffTypes> {
public:
    TDoWebStuff();
    std::string_view typeName() const override { return "TDoWebStuff"; }
    std::string caption() const override { return get("mode") == "ftp" ? "Internet FTP" : "Internet Web Site"; }
    void load(const Values& v) { set("url", v.url); }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
    void fieldChanged(std::string_view name) override;
};

// "Search and Replace" / "Find" (TDoSearch): the texts for the editors' search. Makes no command;
// "&Ok" with an empty "Find" does nothing.
struct TDoSearchTypes {
    struct Values {
        std::string find;
        std::string replace;
    };
};
class TDoSearch final : public ValuesDialog<TDoSearchTypes> {
public:
    TDoSearch();
    std::string_view typeName() const override { return "TDoSearch"; }
    std::string caption() const override { return get("mode") == "find" ? "Find" : "Search and Replace"; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Load Text from a Text File" (TDoTextInsert).
struct TDoTextInsertTypes {
    struct Values {
        std::string path;  // the path written into the tag
    };
};
class TDoTextInsert final : public ValuesDialog<TDoTextInsertTypes> {
public:
    TDoTextInsert();
    std::string_view typeName() const override { return "TDoTextInsert"; }
    std::string caption() const override { return "Load Text from a Text File"; }
    void load(const Values& v) { set("file", v.path); }
    std::vector<std::pair<std::string, std::string>> results() const override;
    // "&Edit In Notepad" and "Edit In &Scripting Editor": the failure when the file cannot be
    // opened, nothing when it can.
    std::optional<Failure> checkEditable(const DialogEnv& env) const;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

}  // namespace orv::dialogs
