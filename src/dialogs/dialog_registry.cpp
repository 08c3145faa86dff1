#include "dialogs/dialog_registry.h"

#include "dialogs/copy_move_dialog.h"
#include "dialogs/date_time_dialog.h"
#include "dialogs/file_dialogs.h"
#include "dialogs/input_dialogs.h"
#include "dialogs/media_dialogs.h"
#include "dialogs/network_dialogs.h"
#include "dialogs/schedule_dialog.h"
#include "dialogs/system_dialogs.h"
#include "dialogs/text_dialogs.h"
#include "dialogs/timing_dialogs.h"
#include "dialogs/wait_dialog.h"
#include "dialogs/window_dialogs.h"

namespace orv::dialogs {

namespace {

template <typename T>
DialogInfo entry(std::string_view name, std::string_view summary) {
    return {name, summary, [] { return std::unique_ptr<DialogModel>(new T()); }};
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto low = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (low(a[i]) != low(b[i])) return false;
    }
    return true;
}

}  // namespace

const std::vector<DialogInfo>& dialogRegistry() {
    static const std::vector<DialogInfo> registry = {
        entry<TDoWaitWin>("TDoWaitWin", "Wait For: the wait commands"),
        entry<TDoDelay>("TDoDelay", "Set Delay: seconds, Alt keypad sequence or scheduler frequency"),
        entry<TDoDelay2>("TDoDelay2", "Set Delay: seconds or milliseconds"),
        entry<TDoSpeed>("TDoSpeed", "Speed: keyboard, mouse or macro speed"),
        entry<TDoRepeat>("TDoRepeat", "Repeat Options: repeats and counters"),
        entry<TRepeatPrompt>("TRepeatPrompt", "Macro Repeat: the count of a prompted repeat (no command)"),
        entry<TDoPausePos>("TDoPausePos", "Pause Window: basic or placed pause"),
        entry<TDoActive>("TDoActive", "Activate/Launch Program"),
        entry<TDoSystemCommand>("TDoSystemCommand", "Window Controls"),
        entry<TDoSizeIt>("TDoSizeIt", "Size or Position a Window"),
        entry<TDoMouse>("TDoMouse", "Mouse Commands"),
        entry<TDoKeyUpDown>("TDoKeyUpDown", "Keys Up Or Down"),
        entry<TDoClipboard>("TDoClipboard", "Clipboard"),
        entry<TDoRemark>("TDoRemark", "Remark"),
        entry<TDoTBox>("TDoTBox", "Display A Text Box"),
        entry<TDoNick>("TDoNick", "Macro Commands: run, delete, activate, deactivate"),
        entry<TDoSwap>("TDoSwap", "Load A New Macro File"),
        entry<TDoWebStuff>("TDoWebStuff", "Internet Web Site / Internet FTP"),
        entry<TDoDOSFiles>("TDoDOSFiles", "File Manipulation"),
        entry<TDoNetConn>("TDoNetConn", "Map or Unmap  A Network Drive"),
        entry<TDoDialup>("TDoDialup", "Dial-Up Networking"),
        entry<TDoSound>("TDoSound", "Set Sound (also the scheduler alarm)"),
        entry<TDoAVI>("TDoAVI", "Play a Video Clip"),
        entry<TDoCDRom>("TDoCDRom", "Audio CD Controls"),
        entry<TDoVolume>("TDoVolume", "Speaker Controls"),
        entry<TDoExplore>("TDoExplore", "Open Explorer"),
        entry<TDoRecycle>("TDoRecycle", "Desktop"),
        entry<TDoDefPrint>("TDoDefPrint", "Default Printer"),
        entry<TDoScreen>("TDoScreen", "Screen Display Setting"),
        entry<TDoReboot>("TDoReboot", "Reboot or Shut Down"),
        entry<TDoSysControls>("TDoSysControls", "System Controls"),
        entry<TDoSpecial>("TDoSpecial", "Insert Symbol"),
        entry<TDoSpecWind>("TDoSpecWind", "Set Title / Set Program (no command)"),
        entry<TDoAllProgs>("TDoAllProgs", "List of Installed Programs (no command)"),
        entry<TDoSearch>("TDoSearch", "Search and Replace / Find (no command)"),
        entry<TDateOrTime>("TDateOrTime", "Dates / Times: the date and time commands"),
        entry<TDoTextInsert>("TDoTextInsert", "Load Text from a Text File"),
        entry<TDoSchedule>("TDoSchedule", "Set Schedule (no command)"),
        entry<TCopyOrMove>("TCopyOrMove", "Copy Hot Key / Move Hot Key (no command)"),
    };
    return registry;
}

std::unique_ptr<DialogModel> makeDialog(std::string_view name) {
    for (const DialogInfo& d : dialogRegistry()) {
        if (sameName(d.name, name)) return d.make();
    }
    return nullptr;
}

}  // namespace orv::dialogs
