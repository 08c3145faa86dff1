#pragma once

#include <string>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// "Activate/Launch Program" (TDoActive).
class TDoActive final : public DialogModel {
public:
    enum Kind { Activate = 1, Launch, LaunchAndActivate, ActivateOrLaunch };
    struct Values {
        int kind = Activate;
        std::string title;
        std::string program;
        std::string parameters;
        int delay = 0;
        int maxWait = 12;
    };

    TDoActive();
    std::string_view typeName() const override { return "TDoActive"; }
    std::string caption() const override { return "Activate/Launch Program"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Window Controls" (TDoSystemCommand).
class TDoSystemCommand final : public DialogModel {
public:
    enum Command { Maximize = 1, Minimize, Restore, Close, Hide, Show, ShutDown };
    struct Values {
        int command = Maximize;
        std::string title;
        bool current = true;
    };

    TDoSystemCommand();
    std::string_view typeName() const override { return "TDoSystemCommand"; }
    std::string caption() const override { return "Window Controls"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Size or Position a Window" (TDoSizeIt).
class TDoSizeIt final : public DialogModel {
public:
    enum Kind { Resize = 1, Reposition };
    struct Values {
        int kind = Resize;
        std::string title;
        bool current = true;
        int first = 0;   // width or left
        int second = 0;  // height or top
    };

    TDoSizeIt();
    std::string_view typeName() const override { return "TDoSizeIt"; }
    std::string caption() const override { return "Size or Position a Window"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Set Title" / "Set Program" (TDoSpecWind): the window title or program name of a macro's
// scope and whether the macro runs only while that window is on top. Makes no command.
class TDoSpecWind final : public DialogModel {
public:
    struct Values {
        std::string title;
        int topMostOnly = 1;
    };

    TDoSpecWind();
    std::string_view typeName() const override { return "TDoSpecWind"; }
    std::string caption() const override { return get("mode") == "program" ? "Set Program" : "Set Title"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

}  // namespace orv::dialogs
