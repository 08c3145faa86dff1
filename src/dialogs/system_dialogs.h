#pragma once

#include <string>
#include <vector>

#include "dialogs/dialog_model.h"

namespace orv::dialogs {

// A display mode as the screen dialog lists it: "1024 x  768  65536 Colors  60 hertz".
std::string displayModeText(const DisplayMode& mode);

// The installed-program list: one entry per start-menu shortcut whose name holds ".LNK" and whose
// target holds ".EXE", is not the help viewer "WINHELP.EXE" and exists, and per application
// entry of the desktop ("<name>.desktop") whose program exists; an entry is the shortcut's name
// (an application entry's name and ".LNK") followed by the target's file name, and an entry
// already listed (compared in upper case) is skipped.
std::vector<std::string> installedPrograms(const std::vector<ProgramShortcut>& shortcuts, IDialogFiles& files);
// The program of an entry: the text after ".LNK".
std::string installedProgramOf(const std::string& entry);

// "Desktop" (TDoRecycle).
struct TDoRecycleTypes {
    struct Values {
        int code = 1;  // position of the choice, 1 = <CASCDESK> ... 25 = <EXPUD>
    };
};
class TDoRecycle final : public ValuesDialog<TDoRecycleTypes> {
public:
    TDoRecycle();
    std::string_view typeName() const override { return "TDoRecycle"; }
    std::string caption() const override { return "Desktop"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Default Printer" (TDoDefPrint).
struct TDoDefPrintTypes {
    struct Values {
        std::string printer;
    };
};
class TDoDefPrint final : public ValuesDialog<TDoDefPrintTypes> {
public:
    TDoDefPrint();
    std::string_view typeName() const override { return "TDoDefPrint"; }
    std::string caption() const override { return "Default Printer"; }
    void load(const Values& v) { set("printer", v.printer); }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "Screen Display Setting" (TDoScreen): a display mode by its list position.
struct TDoScreenTypes {
    struct Values {
        int mode = 0;
    };
};
class TDoScreen final : public ValuesDialog<TDoScreenTypes> {
public:
    TDoScreen();
    std::string_view typeName() const override { return "TDoScreen"; }
    std::string caption() const override { return "Screen Display Setting"; }
    void show(const DialogEnv& env) override;
    void load(const Values& v) { set("mode", std::to_string(v.mode)); }
    // The list's lines, filled by show().
    const std::vector<std::string>& modeLines() const { return lines_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    std::vector<std::string> lines_;
};

// "Reboot or Shut Down" (TDoReboot).
struct TDoRebootTypes {
    enum Kind { Reboot = 1, ShutDown, LogOff, PowerOff };
    struct Values {
        int kind = Reboot;
    };
};
class TDoReboot final : public ValuesDialog<TDoRebootTypes> {
public:
    TDoReboot();
    std::string_view typeName() const override { return "TDoReboot"; }
    std::string caption() const override { return "Reboot or Shut Down"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;
};

// "System Controls" (TDoSysControls).
struct TDoSysControlsTypes {
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
};
class TDoSysControls final : public ValuesDialog<TDoSysControlsTypes> {
public:
    TDoSysControls();
    std::string_view typeName() const override { return "TDoSysControls"; }
    std::string caption() const override { return "System Controls"; }
    void load(const Values& v);
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    // The wallpaper: its style, position and bitmap file.
    Outcome checkWallpaper(Values& v, const DialogEnv& env);
};

// "List of Installed Programs" (TDoAllProgs): chooses an installed program. Makes no command.
struct TDoAllProgsTypes {
    struct Values {
        std::string program;
    };
};
class TDoAllProgs final : public ValuesDialog<TDoAllProgsTypes> {
public:
    TDoAllProgs();
    std::string_view typeName() const override { return "TDoAllProgs"; }
    std::string caption() const override { return "List of Installed Programs"; }
    // Builds the list unless one was handed in with setPrograms (the main window keeps it for
    // the whole run).
    void show(const DialogEnv& env) override;
    void setPrograms(std::vector<std::string> entries) { entries_ = std::move(entries); }
    const std::vector<std::string>& programs() const { return entries_; }
    std::vector<std::pair<std::string, std::string>> results() const override;

protected:
    Outcome doCheck(const DialogEnv& env) override;

private:
    std::vector<std::string> entries_;
};

}  // namespace orv::dialogs
