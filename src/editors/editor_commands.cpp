#include "editors/editor_commands.h"

#include "dialogs/dialog_registry.h"

namespace orv::editors {

namespace {

constexpr EditorCommand kCommands[] = {
    {"ACTIVATE", "&Activate", true, "TDoActive", ""},
    {"AUDIO CD", "A&udio CD", true, "TDoCDRom", ""},
    {"AVI", "A&VI", true, "TDoAVI", ""},
    {"CLIPBOARD", "&Clipboard", true, "TDoClipboard", ""},
    {"DATE", "&Date", true, "TDateOrTime", "date"},
    {"DELAY", "Dela&y", true, "TDoDelay2", ""},
    {"DESKTOP", "Desk&Top", true, "TDoRecycle", ""},
    {"DIAL-UP", "Dial-Up Net&working", true, "TDoDialup", ""},
    {"EXPLORER", "&Explorer", true, "TDoExplore", ""},
    {"FILES", "&Files", true, "TDoDOSFiles", ""},
    {"FTP", "FT&P", true, "TDoWebStuff", "ftp"},
    {"KEY UP/ DN", "&Key Up / Down", true, "TDoKeyUpDown", ""},
    {"LOAD TEXT", "&Load Text", true, "TDoTextInsert", ""},
    {"MACROS", "&Macros", true, "TDoNick", ""},
    {"MOUSE", "M&ouse", true, "TDoMouse", ""},
    {"NETWORK", "&Network", false, "TDoNetConn", ""},
    {"PAUSE", "Pa&use", false, "TDoPausePos", ""},
    {"PRINTER", "&Printer", false, "TDoDefPrint", ""},
    {"REBOOT", "Re&boot", false, "TDoReboot", ""},
    {"REMARK", "Remar&k", false, "TDoRemark", ""},
    {"REPEAT", "&Repeat", false, "TDoRepeat", ""},
    {"SCREEN", "S&creen", false, "TDoScreen", ""},
    {"SIZE / POS", "Si&ze and Position", false, "TDoSizeIt", ""},
    {"SOUND", "S&ound", false, "TDoSound", ""},
    {"SPEED", "S&peed", false, "TDoSpeed", ""},
    {"SWAP FILE", "Swap &File", false, "TDoSwap", ""},
    {"SYMBOLS", "&Symbols", false, "TDoSpecial", ""},
    {"SYS CTRLS", "S&ystem Controls", false, "TDoSysControls", ""},
    {"TEXT BOX", "Text Bo&x", false, "TDoTBox", ""},
    {"TIME", "&Time", false, "TDateOrTime", "time"},
    {"VOLUME", "&Volume", false, "TDoVolume", ""},
    {"WAIT", "Wa&it", false, "TDoWaitWin", ""},
    {"WEB SITE", "&Web Site", false, "TDoWebStuff", "web"},
    {"WIN CTRLS", "Win&dow Controls", false, "TDoSystemCommand", ""},
};
static_assert(std::size(kCommands) == 34);

}  // namespace

std::span<const EditorCommand> editorCommands() { return kCommands; }

const EditorCommand* findEditorCommand(std::string_view caption) {
    for (const EditorCommand& c : kCommands)
        if (c.caption == caption) return &c;
    return nullptr;
}

std::unique_ptr<dialogs::DialogModel> makeCommandDialog(const EditorCommand& command) {
    std::unique_ptr<dialogs::DialogModel> model = dialogs::makeDialog(command.dialog);
    if (!model) return nullptr;
    model->setNewCommand(true);
    if (!command.mode.empty()) model->set("mode", command.mode);
    return model;
}

}  // namespace orv::editors
