#pragma once

#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Activate/Launch Program" (TDoActive).
struct TDoActiveTypes {
    enum Kind { Activate = 1, Launch, LaunchAndActivate, ActivateOrLaunch };
    struct Values {
        int kind = Activate;
        std::string title;
        std::string program;
        std::string parameters;
        int delay = 0;
        int maxWait = 12;
    };
};
class TDoActive final : public ValuesDialog<TDoActiveTypes> {
public:
    TDoActive();
    std::string_view typeName() const override { return "TDoActive"; }
    std::string caption() const override { return "Activate/Launch Program"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Window Controls" (TDoSystemCommand).
struct TDoSystemCommandTypes {
    enum Command { Maximize = 1, Minimize, Restore, Close, Hide, Show, ShutDown };
    struct Values {
        int command = Maximize;
        std::string title;
        bool current = true;
    };
};
class TDoSystemCommand final : public ValuesDialog<TDoSystemCommandTypes> {
public:
    TDoSystemCommand();
    std::string_view typeName() const override { return "TDoSystemCommand"; }
    std::string caption() const override { return "Window Controls"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Size or Position a Window" (TDoSizeIt).
struct TDoSizeItTypes {
    enum Kind { Resize = 1, Reposition };
    struct Values {
        int kind = Resize;
        std::string title;
        bool current = true;
        int first = 0;   // width or left
        int second = 0;  // height or top
    };
};
class TDoSizeIt final : public ValuesDialog<TDoSizeItTypes> {
public:
    TDoSizeIt();
    std::string_view typeName() const override { return "TDoSizeIt"; }
    std::string caption() const override { return "Size or Position a Window"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Set Title" / "Set Program" (TDoSpecWind): the window title or program name of a macro's
// scope and whether the macro runs only while that window is on top. Makes no command.
struct TDoSpecWindTypes {
    struct Values {
        std::string title;
        int topMostOnly = 1;
    };
};
class TDoSpecWind final : public ValuesDialog<TDoSpecWindTypes> {
public:
    TDoSpecWind();
    std::string_view typeName() const override { return "TDoSpecWind"; }
    std::string caption() const override { return get("mode") == "program" ? "Set Program" : "Set Title"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

}  // namespace orv::dialogs
