#pragma once

#include <string>
#include <vector>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// A display mode as the screen dialog lists it: "1024 x  768  65536 Colors  60 hertz".
std::string displayModeText(const DisplayMode& mode);

// The installed-program list: one entry per start-menu shortcut whose name holds ".LNK" and whose
// target holds ".EXE", is not the help viewer "WINHELP.EXE" and exists; an entry is the
// shortcut's name followed by the target's file name, and an entry already listed (compared in
// upper case) is skipped.
std::vector<std::string> installedPrograms(const std::vector<ProgramShortcut>& shortcuts, IDialogFiles& files);
// The program of an entry: the text after ".LNK".
std::string installedProgramOf(const std::string& entry);

// "Desktop" (TDoRecycle).
class TDoRecycle final : public DialogModel {
public:
    struct Values {
        int code = 1;  // position of the choice, 1 = <CASCDESK> ... 25 = <EXPUD>
    };
    TDoRecycle();
    std::string_view typeName() const override { return "TDoRecycle"; }
    std::string caption() const override { return "Desktop"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Default Printer" (TDoDefPrint).
class TDoDefPrint final : public DialogModel {
public:
    struct Values {
        std::string printer;
    };
    TDoDefPrint();
    std::string_view typeName() const override { return "TDoDefPrint"; }
    std::string caption() const override { return "Default Printer"; }
    void load(const Values& v) { set("printer", v.printer); }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "Screen Display Setting" (TDoScreen): a display mode by its list position.
class TDoScreen final : public DialogModel {
public:
    struct Values {
        int mode = 0;
    };
    TDoScreen();
    std::string_view typeName() const override { return "TDoScreen"; }
    std::string caption() const override { return "Screen Display Setting"; }
    void show(const DialogEnv& env) override;
    void load(const Values& v) { set("mode", std::to_string(v.mode)); }
    const Values& values() const { return values_; }
    // The list's lines, filled by show().
    const std::vector<std::string>& modeLines() const { return lines_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
    std::vector<std::string> lines_;
};

// "Reboot or Shut Down" (TDoReboot).
class TDoReboot final : public DialogModel {
public:
    enum Kind { Reboot = 1, ShutDown, LogOff, PowerOff };
    struct Values {
        int kind = Reboot;
    };
    TDoReboot();
    std::string_view typeName() const override { return "TDoReboot"; }
    std::string caption() const override { return "Reboot or Shut Down"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
};

// "System Controls" (TDoSysControls).
class TDoSysControls final : public DialogModel {
public:
    enum Kind { SaverOn = 1, SaverOff, SaverTime, KeyDelay, KeySpeed, Wallpaper, SizingBorder };
    enum Style { Tile = 1, Center, Stretch, Position };
    struct Values {
        int kind = SaverOn;
        std::string path;
        int number = 0;
        int x = 0;
        int y = 0;
        int style = Center;
    };
    TDoSysControls();
    std::string_view typeName() const override { return "TDoSysControls"; }
    std::string caption() const override { return "System Controls"; }
    void load(const Values& v);
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    // The wallpaper: its style, position and bitmap file.
    Outcome checkWallpaper(Values& v, const DialogEnv& env);

    Values values_;
};

// "List of Installed Programs" (TDoAllProgs): chooses an installed program. Makes no command.
class TDoAllProgs final : public DialogModel {
public:
    struct Values {
        std::string program;
    };
    TDoAllProgs();
    std::string_view typeName() const override { return "TDoAllProgs"; }
    std::string caption() const override { return "List of Installed Programs"; }
    // Builds the list unless one was handed in with setPrograms (the main window keeps it for
    // the whole run).
    void show(const DialogEnv& env) override;
    void setPrograms(std::vector<std::string> entries) { entries_ = std::move(entries); }
    const std::vector<std::string>& programs() const { return entries_; }
    const Values& values() const { return values_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    Values values_;
    std::vector<std::string> entries_;
};

}  // namespace orv::dialogs
