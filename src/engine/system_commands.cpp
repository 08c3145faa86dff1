// System, desktop, shell, session, network-drive and dial-up commands. The mixer, CD, video
// and sound commands are in media_commands.cpp.
#include "engine/system_commands.h"

#include <cctype>

#include "engine/password_substitution.h"
#include "engine/command_handlers.h"
#include "engine/playback_engine.h"
#include "engine/system_command_tables.h"
#include "engine/text_fields.h"
#include "platform/desktop_settings.h"
#include "platform/desktop_shell.h"
#include "platform/dialup.h"
#include "platform/network_drives.h"
#include "platform/shell.h"
#include "platform/window_system.h"
#include "platform/activation_table.h"
#include "platform/capabilities.h"

namespace orv {

namespace {

constexpr std::string_view kExecutionError = "Macro Execution Error";
constexpr std::string_view kShellMissingText =
    "This function requires Windows 98 or NT.  Ruvi requires Windows 95 that has Internet Explore 4.0 or greater "
    "installed. It appears that your system does not meet these requirements.";

std::string connectResultText(int result) {
    switch (result) {
        case 0:
            return "Drive mapped succesfully.";
        case 5:
            return "Map Failed.  Access to the nework device was denied.";
        case 66:
            return "Map Failed.  Nework device specified is not compatible with a drive.";
        case 67:
            return "Map Failed.  The specified networkd device was invalid.";
        case 85:
            return "Map Failed.  Drive was already assigned to a nework device.";
        case 86:
            return "Map Failed.  The specified password was invalid.";
        case 170:
            return "Map Failed.  The network router was busy--possibly initializing.  Try again.";
        case 1200:
            return "Map Failed.  The specified drive was invalid.";
        case 1222:
            return "Map Failed.  No network exists.";
        default:
            return "Map Failed.  Unknown Error #" + std::to_string(result);
    }
}

std::string disconnectResultText(int result) {
    switch (result) {
        case 0:
            return "Drive succesfully unmapped.";
        case 2404:
            return "Unmap Failed.  Nework device is in use by an active process.";
        case 2250:
            return "Unmap Failed.  Drive is not currently connected to a nework device.";
        case 2401:
            return "Unmap Failed.  There are open files on the network device and the \"Force\" option was not used.";
        default:
            return "Unmap Failed.  Unknown Error #" + std::to_string(result);
    }
}

// "<NAME:" user "><PASS:" password ">" from `from`; the password turned back from its stored
// form. nullopt when the text does not have that shape.
struct Logon {
    std::string user;
    std::string password;
    std::size_t next;  // just past the password's ">"
};
std::optional<Logon> logonAt(std::string_view text, std::size_t from) {
    if (!startsAt(text, from, kNameTag)) return std::nullopt;
    const std::size_t userFrom = from + kNameTag.size();
    const std::size_t userEnd = text.find('>', userFrom);
    if (userEnd == std::string_view::npos || !startsAt(text, userEnd + 1, kPassTag)) return std::nullopt;
    const std::size_t passFrom = userEnd + 1 + kPassTag.size();
    const std::size_t passEnd = text.find('>', passFrom);
    if (passEnd == std::string_view::npos) return std::nullopt;
    return Logon{std::string(text.substr(userFrom, userEnd - userFrom)),
                 substitutePassword(text.substr(passFrom, passEnd - passFrom)), passEnd + 1};
}

}  // namespace

std::optional<std::size_t> SystemCommands::perform(PlaybackEngine& engine, Interpretation& run,
                                                   const CommandEntry& cmd) {
    using S = SystemCommands;
    static constexpr HandlerTable<SystemCommands> kHandlers = [] {
        HandlerTable<SystemCommands> table{
            {CommandId::Keydel, &S::keyboardDelay},
            {CommandId::Keyspd, &S::numberSetting},
            {CommandId::Sstime, &S::numberSetting},
            {CommandId::Wbsize, &S::numberSetting},
            {CommandId::Sson, &S::screenSaver},
            {CommandId::Ssoff, &S::screenSaver},
            {CommandId::Screen, &S::displayMode},
            {CommandId::Wallt, &S::wallpaper},
            {CommandId::Wallc, &S::wallpaper},
            {CommandId::Walls, &S::wallpaper},
            {CommandId::Wallp, &S::wallpaper},
            {CommandId::Defprt, &S::defaultPrinter},
            {CommandId::Cascdesk, &S::arrangeWindows},
            {CommandId::Tilhdesk, &S::arrangeWindows},
            {CommandId::Tilvdesk, &S::arrangeWindows},
            {CommandId::Hidetask, &S::taskBar},
            {CommandId::Showtask, &S::taskBar},
            {CommandId::Emptybin, &S::emptyBin},
            {CommandId::Explore, &S::explore},
            {CommandId::Logoff, &S::endSession},
            {CommandId::Reboot, &S::endSession},
            {CommandId::Shutdown, &S::endSession},
            {CommandId::Poweroff, &S::endSession},
            {CommandId::Nwc, &S::networkDrive},
            {CommandId::Nwt, &S::networkDrive},
            {CommandId::Nwd, &S::networkDrive},
            {CommandId::Dial, &S::dial},
            {CommandId::Hang, &S::hangUp},
            {CommandId::Cdplay, &S::cd},
            {CommandId::Cdstop, &S::cd},
            {CommandId::Cdpause, &S::cd},
            {CommandId::Cdnext, &S::cd},
            {CommandId::Cdprev, &S::cd},
            {CommandId::Cdeject, &S::cd},
            {CommandId::Cdclose, &S::cd},
            {CommandId::Cdgoto, &S::cd},
            {CommandId::Cdstep, &S::cd},
            {CommandId::Cdback, &S::cd},
            {CommandId::Avi, &S::video},
            {CommandId::Avii, &S::video},
            {CommandId::Avie, &S::video},
            {CommandId::Wav1, &S::waveFile},
            {CommandId::Wav2, &S::waveFile},
            {CommandId::Beep, &S::beep},
        };
        for (const system_tables::ShellCommand& c : system_tables::kShellCommands) table.add(c.id, &S::shellCommand);
        for (const system_tables::MixerCommand& c : system_tables::kMixerCommands) table.add(c.id, &S::mixer);
        return table;
    }();
    return kHandlers.run(*this, engine, run, cmd);
}

// "<KEYDEL:": the keyboard's repeat delay (0..3).
std::optional<std::size_t> SystemCommands::keyboardDelay(PlaybackEngine& engine, Interpretation& run,
                                                         const CommandEntry& cmd) {
    if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
    if (IDesktopSettings* settings = desktopSettings(engine))
        settings->setKeyboardDelay(static_cast<int>(fieldNumber(run.text, run.pos, cmd.field(0))));
    return cmd.end(run.pos);
}

// The desktop settings when the session lets the program change them; otherwise the user is
// told so (rather than the command doing nothing) and there are none.
IDesktopSettings* SystemCommands::desktopSettings(PlaybackEngine& engine) {
    if (s_.capabilities.has(Capability::DesktopSettings)) return s_.settings;
    engine.DoAMessage(std::string(kExecutionError),
                      std::string(capabilityWording(Capability::DesktopSettings, Reach::Nowhere)));
    return nullptr;
}

// "<KEYSPD:" (repeat speed), "<SSTIME:" (screen saver minutes) and "<WBSIZE:" (border width).
std::optional<std::size_t> SystemCommands::numberSetting(PlaybackEngine& engine, Interpretation& run,
                                                         const CommandEntry& cmd) {
    if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
    const int value = static_cast<int>(fieldNumber(run.text, run.pos, cmd.field(0)));
    // The border width has no equivalent anywhere and is ignored without a word.
    if (IDesktopSettings* settings = cmd.id == CommandId::Wbsize ? s_.settings : desktopSettings(engine)) {
        if (cmd.id == CommandId::Keyspd)
            settings->setKeyboardSpeed(value);
        else if (cmd.id == CommandId::Sstime)
            settings->setScreenSaverTimeout(value * 60);
        else
            settings->setBorderWidth(value);
    }
    return cmd.end(run.pos);
}

// "<SSON>" starts the screen saver when one is set; "<SSOFF>" turns it off.
std::optional<std::size_t> SystemCommands::screenSaver(PlaybackEngine& engine, Interpretation& run,
                                                       const CommandEntry& cmd) {
    if (IDesktopSettings* settings = desktopSettings(engine)) {
        if (cmd.id == CommandId::Ssoff)
            settings->setScreenSaverActive(false);
        else if (settings->screenSaverActive())
            settings->startScreenSaver();
    }
    return cmd.end(run.pos);
}

// "<SCREEN:": the display mode with the given number, tested before it is applied.
std::optional<std::size_t> SystemCommands::displayMode(PlaybackEngine& engine, Interpretation& run,
                                                       const CommandEntry& cmd) {
    if (!closedAt(run.text, run.pos, cmd)) return std::nullopt;
    const std::size_t next = cmd.end(run.pos);
    IDesktopSettings* settings = desktopSettings(engine);
    if (!settings) return next;
    const int wanted = static_cast<int>(fieldNumber(run.text, run.pos, cmd.field(0)));
    DisplayMode mode;
    bool found = false;
    for (int i = 0; i <= wanted && settings->displayMode(i, mode); ++i) found = i == wanted;
    if (!found) {
        engine.DoAMessage(std::string(kExecutionError),
                          "The specified Screen Display Settings does not exist on this computer.");
        return next;
    }
    const std::string failed = "The attempt to switch to the specified Screen Display Settings failed.";
    const int test = settings->testDisplayMode(mode);
    if (test == display_result::kFailed || test == display_result::kBadMode || test == display_result::kBadFlags) {
        engine.DoAMessage(std::string(kExecutionError), failed);
        return next;
    }
    const int result = settings->applyDisplayMode(mode);
    if (result == display_result::kRestart)
        engine.DoAMessage("Warning", "System must be rebooted before new display settings take effect.");
    else if (result != display_result::kSuccessful)
        engine.DoAMessage(std::string(kExecutionError), failed);
    return next;
}

// "<WALLT:", "<WALLC:", "<WALLS:" (tiled, centred, stretched) and "<WALLP:" (at a position).
// The parameter runs from the end of the tag's name to ">"; the position fields are read from it.
std::optional<std::size_t> SystemCommands::wallpaper(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    const FreeText param = freeText(run.text, run.pos + cmd.tag.size());
    WallpaperValues v;
    v.tile = cmd.id == CommandId::Wallt ? "1" : "0";
    v.style = cmd.id == CommandId::Walls ? "2" : "0";
    v.originX = v.originY = "0";
    v.file = std::string(param.value);
    if (cmd.id == CommandId::Wallp) {
        const std::size_t name = cmd.tag.size();
        v.originX = std::to_string(fieldNumber(param.value, 0, cmd.field(0).at - name, cmd.field(0).width));
        v.originY = std::to_string(fieldNumber(param.value, 0, cmd.field(1).at - name, cmd.field(1).width));
        const std::size_t file = cmd.layout.text - name;
        v.file = std::string(param.value.size() > file ? param.value.substr(file) : std::string_view());
    }
    if (s_.settings) s_.settings->setWallpaper(v);
    return param.next;
}

// "<DEFPRT:": the printer of that name becomes the default one.
std::optional<std::size_t> SystemCommands::defaultPrinter(PlaybackEngine& engine, Interpretation& run,
                                                          const CommandEntry& cmd) {
    const FreeText param = textParameter(run.text, run.pos, cmd);
    IDesktopSettings* settings = s_.settings;
    if (!settings) return param.next;
    const std::string name(param.value);
    for (const PrinterInfo& printer : settings->printers()) {
        if (printer.name != name) continue;
        std::string driver = printer.driver;
        std::string port = printer.port;
        if (driver.empty() || port.empty()) {
            const std::string entry = settings->printerDevicesEntry(name);
            const std::size_t comma = entry.find(',');
            if (driver.empty()) driver = entry.substr(0, comma);
            if (port.empty()) port = comma == std::string::npos ? std::string() : entry.substr(comma + 1);
        }
        settings->setDefaultPrinter(name + "," + driver + "," + port);
        return param.next;
    }
    engine.DoAMessage(std::string(kExecutionError), "The specified Default Printer does not exist on this computer.");
    return param.next;
}

// The shell functions and the special folders.
std::optional<std::size_t> SystemCommands::shellCommand(PlaybackEngine& engine, Interpretation& run,
                                                        const CommandEntry& cmd) {
    IDesktopShell* shell = s_.shell;
    for (const system_tables::ShellCommand& sc : system_tables::kShellCommands) {
        if (sc.id != cmd.id || !shell) continue;
        if (!shell->shellAutomationAvailable()) {
            engine.DoAMessage(std::string(sc.name) + " Error", std::string(kShellMissingText));
        } else if (sc.explore) {
            shell->exploreSpecialFolder(sc.value);
        } else {
            shell->shellFunction(static_cast<ShellFunction>(sc.value));
        }
    }
    return cmd.end(run.pos);
}

// "<CASCDESK>", "<TILHDESK>" and "<TILVDESK>".
std::optional<std::size_t> SystemCommands::arrangeWindows(PlaybackEngine&, Interpretation& run,
                                                          const CommandEntry& cmd) {
    if (IDesktopShell* shell = s_.shell) {
        if (cmd.id == CommandId::Cascdesk)
            shell->cascadeWindows();
        else
            shell->tileWindows(cmd.id == CommandId::Tilhdesk);
    }
    return cmd.end(run.pos);
}

// "<HIDETASK>" and "<SHOWTASK>".
std::optional<std::size_t> SystemCommands::taskBar(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    if (IDesktopShell* shell = s_.shell) {
        if (cmd.id == CommandId::Hidetask) {
            shell->hideTaskBar();
        } else {
            const int height = s_.windows ? s_.windows->screenSize().height : 0;
            shell->showTaskBar({0, 0, 100, height});
        }
    }
    return cmd.end(run.pos);
}

// "<EMPTYBIN>" has no effect.
std::optional<std::size_t> SystemCommands::emptyBin(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    return cmd.end(run.pos);
}

// "<EXPLORE:": the folder opened by the desktop.
std::optional<std::size_t> SystemCommands::explore(PlaybackEngine& engine, Interpretation& run,
                                                   const CommandEntry& cmd) {
    const FreeText folder = textParameter(run.text, run.pos, cmd);
    if (IShell* open = engine.services().shell) open->shellOpen("explore", std::string(folder.value), "", "");
    return folder.next;
}

// "<LOGOFF>", "<REBOOT>", "<SHUTDOWN>" and "<POWEROFF>": all but logging off need the shut-down
// privilege on a system that has privileges.
std::optional<std::size_t> SystemCommands::endSession(PlaybackEngine&, Interpretation& run, const CommandEntry& cmd) {
    const std::size_t next = cmd.end(run.pos);
    IDesktopShell* shell = s_.shell;
    if (!shell) return next;
    const int flags = cmd.id == CommandId::Logoff     ? exit_flags::kLogOff
                      : cmd.id == CommandId::Reboot   ? exit_flags::kReboot
                      : cmd.id == CommandId::Shutdown ? exit_flags::kShutdown
                                                      : exit_flags::kPowerOff;
    const bool needsPrivilege = flags != exit_flags::kLogOff && (s_.table == nullptr || s_.table->IsNT());
    if (needsPrivilege && !shell->setShutdownPrivilege(true)) return next;
    shell->exitSession(flags);
    if (needsPrivilege) shell->setShutdownPrivilege(false);
    return next;
}

namespace {

// The option letters of a network tag, in the order P, F (disconnect only), S, then ":".
struct NetworkOptions {
    bool permanent = false;
    bool force = false;
    bool show = false;
    std::size_t next = 0;  // just past the ":"
};

std::optional<NetworkOptions> networkOptions(std::string_view text, const CommandEntry& cmd, std::size_t at) {
    NetworkOptions o;
    std::size_t i = at + cmd.tag.size();
    o.permanent = charAt(text, i, 0, kPermanentFlag);
    if (o.permanent) ++i;
    o.force = cmd.id == CommandId::Nwd && charAt(text, i, 0, kForceFlag);
    if (o.force) ++i;
    o.show = charAt(text, i, 0, kStatusFlag);
    if (o.show) ++i;
    if (!charAt(text, i, 0, ':')) return std::nullopt;
    o.next = i + 1;
    return o;
}

// "<NWT": whether the drive letter of `drive` is one of the connected drives.
bool driveConnected(INetworkDrives& net, const std::string& drive) {
    std::vector<std::string> connected;
    if (drive.empty() || !net.connectedDrives(connected)) return false;
    for (const std::string& local : connected) {
        if (!local.empty() &&
            std::toupper(static_cast<unsigned char>(local[0])) == std::toupper(static_cast<unsigned char>(drive[0])))
            return true;
    }
    return false;
}

}  // namespace

// "<NWC" maps a drive, "<NWD" unmaps one, "<NWT" toggles: unmaps a connected drive, maps
// another.
std::optional<std::size_t> SystemCommands::networkDrive(PlaybackEngine& engine, Interpretation& run,
                                                        const CommandEntry& cmd) {
    const std::string_view text = run.text;
    const std::optional<NetworkOptions> o = networkOptions(text, cmd, run.pos);
    if (!o) return std::nullopt;
    INetworkDrives* net = s_.network;
    auto disconnect = [&](const std::string& name, bool updateProfile, bool forced) {
        const int result = net->disconnect(name, updateProfile, forced);
        if (o->show) engine.DoAMessage("Unmap Network Drive " + name, disconnectResultText(result));
    };
    if (cmd.id == CommandId::Nwd) {
        const FreeText name = freeText(text, o->next);
        if (net) disconnect(std::string(name.value), o->permanent, o->force);
        return name.next;
    }
    const std::optional<Logon> logon = logonAt(text, o->next);
    if (!logon) return std::nullopt;
    const FreeText drivePath = freeText(text, logon->next);
    if (!net) return drivePath.next;
    const std::string drive(drivePath.value.substr(0, 2));
    const std::string path(drivePath.value.size() > 2 ? drivePath.value.substr(2) : std::string_view());
    if (cmd.id == CommandId::Nwt && driveConnected(*net, drive)) {
        disconnect(drive, o->permanent, false);
        return drivePath.next;
    }
    const int result = net->connect(drive, path, logon->user, logon->password, o->permanent);
    if (o->show) engine.DoAMessage("Map " + drive + " to " + path, connectResultText(result));
    return drivePath.next;
}

IDialUp* SystemCommands::availableDialUp(PlaybackEngine& engine) {
    IDialUp* dialup = s_.dialup;
    if (dialup && !dialup->available()) {
        engine.MyMessage("Warning", std::string(kDialUpMissingText));
        return nullptr;
    }
    return dialup;
}

// "<DIAL:<NAME:": dials a connection with the user and password given.
std::optional<std::size_t> SystemCommands::dial(PlaybackEngine& engine, Interpretation& run, const CommandEntry& cmd) {
    const std::optional<Logon> logon = logonAt(run.text, run.pos + cmd.tag.size() - kNameTag.size());
    if (!logon) return std::nullopt;
    const FreeText entry = freeText(run.text, logon->next);
    IDialUp* dialup = availableDialUp(engine);
    if (!dialup) return entry.next;
    DialConnection connection = 0;
    const int result = dialup->dial(std::string(entry.value), logon->user, logon->password, connection);
    if (result != 0) {
        if (connection != 0) dialup->hangUp(connection);
        engine.DoAMessage("Dial-Up Error", "Dial-Up Network Connection to " + std::string(entry.value) +
                                               " failed.  Error code: " + std::to_string(result));
    }
    return entry.next;
}

// "<HANG>": hangs up the first active connection.
std::optional<std::size_t> SystemCommands::hangUp(PlaybackEngine& engine, Interpretation& run,
                                                  const CommandEntry& cmd) {
    IDialUp* dialup = availableDialUp(engine);
    if (!dialup) return cmd.end(run.pos);
    std::vector<DialConnection> connections;
    if (!dialup->activeConnections(connections)) {
        engine.DoAMessage("Dial-Up Error", "Dial-Up Networking Hang Up failed.");
    } else if (connections.empty()) {
        engine.DoAMessage("Dial-Up Error", "There are no Dial-Up Networking connections to hang up.");
    } else if (dialup->hangUp(connections.front()) != 0) {
        engine.DoAMessage("Dial-Up Error", "Dial-Up Networking Hang Up failed.");
    }
    return cmd.end(run.pos);
}

}  // namespace orv
