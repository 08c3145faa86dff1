// System, desktop, shell, session, network-drive and dial-up commands. The mixer, CD, video
// and sound commands are in media_commands.cpp.
#include "engine/system_commands.h"

#include <cctype>

#include "engine/password_substitution.h"
#include "engine/playback_engine.h"
#include "engine/text_fields.h"
#include "platform/desktop_settings.h"
#include "platform/desktop_shell.h"
#include "platform/dialup.h"
#include "platform/network_drives.h"
#include "platform/shell.h"
#include "platform/window_system.h"
#include "platform/activation_table.h"

namespace orv {

namespace {

constexpr std::string_view kExecutionError = "Macro Execution Error";
constexpr std::string_view kShellMissingText =
    "This function requires Windows 98 or NT.  Ruvi requires Windows 95 that has Internet Explore 4.0 or greater "
    "installed. It appears that your system does not meet these requirements.";
constexpr std::string_view kDialUpMissing =
    "Dial-Up Connections cannot be performed on this computer. The necessary Windows files have not been installed.  "
    "Missing RASAPI32.DLL";

// A shell function command: its function or special folder and the name in its error title.
struct ShellCommand {
    CommandId id;
    bool explore;
    int value;  // a ShellFunction, or the special-folder number
    const char* name;
};

constexpr ShellCommand kShellCommands[] = {
    {CommandId::Minidesk, false, static_cast<int>(ShellFunction::MinimizeAll), "Minimize All"},
    {CommandId::Restdesk, false, static_cast<int>(ShellFunction::UndoMinimizeAll), "Undo Minimize All"},
    {CommandId::Suspend, false, static_cast<int>(ShellFunction::Suspend), "Suspend"},
    {CommandId::Undock, false, static_cast<int>(ShellFunction::EjectPC), "Eject PC"},
    {CommandId::Rundt, false, static_cast<int>(ShellFunction::SetTime), "Run Set Time"},
    {CommandId::Runfc, false, static_cast<int>(ShellFunction::FindComputer), "Run Find Computer"},
    {CommandId::Runff, false, static_cast<int>(ShellFunction::FindFiles), "Run Find Files"},
    {CommandId::Runrp, false, static_cast<int>(ShellFunction::FileRun), "Run File Run"},
    {CommandId::Expcp, true, 3, "Open Explorer"},
    {CommandId::Expdt, true, 0, "Open Explorer"},
    {CommandId::Expdp, true, 16, "Open Explorer"},
    {CommandId::Expfv, true, 6, "Open Explorer"},
    {CommandId::Expft, true, 20, "Open Explorer"},
    {CommandId::Expmc, true, 17, "Open Explorer"},
    {CommandId::Expnw, true, 18, "Open Explorer"},
    {CommandId::Exppr, true, 4, "Open Explorer"},
    {CommandId::Exppf, true, 2, "Open Explorer"},
    {CommandId::Exprd, true, 8, "Open Explorer"},
    {CommandId::Exprb, true, 10, "Open Explorer"},
    {CommandId::Expsm, true, 11, "Open Explorer"},
    {CommandId::Expsu, true, 7, "Open Explorer"},
    {CommandId::Expud, true, 5, "Open Explorer"},
};

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
    if (!startsAt(text, from, "<NAME:")) return std::nullopt;
    const std::size_t userEnd = text.find('>', from + 6);
    if (userEnd == std::string_view::npos || !startsAt(text, userEnd + 1, "<PASS:")) return std::nullopt;
    const std::size_t passFrom = userEnd + 7;
    const std::size_t passEnd = text.find('>', passFrom);
    if (passEnd == std::string_view::npos) return std::nullopt;
    return Logon{std::string(text.substr(from + 6, userEnd - from - 6)),
                 substitutePassword(text.substr(passFrom, passEnd - passFrom)), passEnd + 1};
}

}  // namespace

std::optional<std::size_t> SystemCommands::perform(PlaybackEngine& engine, Interpretation& run,
                                                   const CommandSpec& cmd) {
    if (auto next = settingsCommand(engine, run, cmd)) return next;
    if (auto next = desktopCommand(engine, run, cmd)) return next;
    if (auto next = networkCommand(engine, run, cmd)) return next;
    if (auto next = mixerCommand(engine, run, cmd)) return next;
    if (auto next = cdCommand(engine, run, cmd)) return next;
    return clipCommand(engine, run, cmd);
}

std::optional<std::size_t> SystemCommands::settingsCommand(PlaybackEngine& engine, Interpretation& run,
                                                           const CommandSpec& cmd) {
    const std::string_view text = run.text;
    const std::size_t at = run.pos;
    IDesktopSettings* settings = s_.settings;
    switch (cmd.id) {
        case CommandId::Keydel:
            if (!charAt(text, at, 9, '>')) return std::nullopt;
            if (settings) settings->setKeyboardDelay(static_cast<int>(fieldNumber(text, at, 8, 1)));
            return at + 10;
        case CommandId::Keyspd:
        case CommandId::Sstime:
        case CommandId::Wbsize: {
            if (!charAt(text, at, 10, '>')) return std::nullopt;
            const int value = static_cast<int>(fieldNumber(text, at, 8, 2));
            if (settings) {
                if (cmd.id == CommandId::Keyspd)
                    settings->setKeyboardSpeed(value);
                else if (cmd.id == CommandId::Sstime)
                    settings->setScreenSaverTimeout(value * 60);
                else
                    settings->setBorderWidth(value);
            }
            return at + 11;
        }
        case CommandId::Sson:
            if (settings && settings->screenSaverActive()) settings->startScreenSaver();
            return at + cmd.tag.size();
        case CommandId::Ssoff:
            if (settings) settings->setScreenSaverActive(false);
            return at + cmd.tag.size();
        case CommandId::Screen: {
            if (!charAt(text, at, 11, '>')) return std::nullopt;
            if (!settings) return at + 12;
            const int wanted = static_cast<int>(fieldNumber(text, at, 8, 3));
            DisplayMode mode;
            bool found = false;
            for (int i = 0; i <= wanted && settings->displayMode(i, mode); ++i) found = i == wanted;
            if (!found) {
                engine.DoAMessage(std::string(kExecutionError),
                                  "The specified Screen Display Settings does not exist on this computer.");
                return at + 12;
            }
            const std::string failed = "The attempt to switch to the specified Screen Display Settings failed.";
            const int test = settings->testDisplayMode(mode);
            if (test == display_result::kFailed || test == display_result::kBadMode ||
                test == display_result::kBadFlags) {
                engine.DoAMessage(std::string(kExecutionError), failed);
                return at + 12;
            }
            const int result = settings->applyDisplayMode(mode);
            if (result == display_result::kRestart)
                engine.DoAMessage("Warning", "System must be rebooted before new display settings take effect.");
            else if (result != display_result::kSuccessful)
                engine.DoAMessage(std::string(kExecutionError), failed);
            return at + 12;
        }
        case CommandId::Wallt:
        case CommandId::Wallc:
        case CommandId::Walls:
        case CommandId::Wallp: {
            const FreeText param = freeText(text, at + 7);
            WallpaperValues v;
            v.tile = cmd.id == CommandId::Wallt ? "1" : "0";
            v.style = cmd.id == CommandId::Walls ? "2" : "0";
            v.originX = v.originY = "0";
            if (cmd.id == CommandId::Wallp) {
                // X in characters 1 to 4, Y in 6 to 9, the file from 10 on.
                v.originX = std::to_string(fieldNumber(param.value, 0, 0, 4));
                v.originY = std::to_string(fieldNumber(param.value, 0, 5, 4));
                v.file = std::string(param.value.size() > 9 ? param.value.substr(9) : std::string_view());
            } else {
                v.file = std::string(param.value);
            }
            if (settings) settings->setWallpaper(v);
            return param.next;
        }
        case CommandId::Defprt: {
            const FreeText param = freeText(text, at + 8);
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
            engine.DoAMessage(std::string(kExecutionError),
                              "The specified Default Printer does not exist on this computer.");
            return param.next;
        }
        default:
            return std::nullopt;
    }
}

std::optional<std::size_t> SystemCommands::desktopCommand(PlaybackEngine& engine, Interpretation& run,
                                                          const CommandSpec& cmd) {
    const std::size_t at = run.pos;
    const std::size_t next = at + cmd.tag.size();
    IDesktopShell* shell = s_.shell;
    for (const ShellCommand& sc : kShellCommands) {
        if (sc.id != cmd.id) continue;
        if (!shell) return next;
        if (!shell->shellAutomationAvailable()) {
            engine.DoAMessage(std::string(sc.name) + " Error", std::string(kShellMissingText));
        } else if (sc.explore) {
            shell->exploreSpecialFolder(sc.value);
        } else {
            shell->shellFunction(static_cast<ShellFunction>(sc.value));
        }
        return next;
    }
    switch (cmd.id) {
        case CommandId::Cascdesk:
            if (shell) shell->cascadeWindows();
            return next;
        case CommandId::Tilhdesk:
        case CommandId::Tilvdesk:
            if (shell) shell->tileWindows(cmd.id == CommandId::Tilhdesk);
            return next;
        case CommandId::Hidetask:
            if (shell) shell->hideTaskBar();
            return next;
        case CommandId::Showtask:
            if (shell) {
                const int height = s_.windows ? s_.windows->screenSize().height : 0;
                shell->showTaskBar({0, 0, 100, height});
            }
            return next;
        case CommandId::Emptybin:
            return next;
        case CommandId::Explore: {
            const FreeText folder = freeText(run.text, at + 9);
            if (IShell* open = engine.services().shell) open->shellOpen("explore", std::string(folder.value), "", "");
            return folder.next;
        }
        case CommandId::Logoff:
        case CommandId::Reboot:
        case CommandId::Shutdown:
        case CommandId::Poweroff: {
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
        default:
            return std::nullopt;
    }
}

std::optional<std::size_t> SystemCommands::networkCommand(PlaybackEngine& engine, Interpretation& run,
                                                          const CommandSpec& cmd) {
    const std::string_view text = run.text;
    const std::size_t at = run.pos;
    switch (cmd.id) {
        case CommandId::Nwc:
        case CommandId::Nwt:
        case CommandId::Nwd: {
            // Option letters in the order P, F (disconnect only), S.
            std::size_t i = at + 4;
            const bool permanent = charAt(text, i, 0, 'P');
            if (permanent) ++i;
            const bool force = cmd.id == CommandId::Nwd && charAt(text, i, 0, 'F');
            if (force) ++i;
            const bool show = charAt(text, i, 0, 'S');
            if (show) ++i;
            if (!charAt(text, i, 0, ':')) return std::nullopt;
            INetworkDrives* net = s_.network;

            auto disconnect = [&](const std::string& name, bool updateProfile, bool forced) {
                const int result = net->disconnect(name, updateProfile, forced);
                if (show) engine.DoAMessage("Unmap Network Drive " + name, disconnectResultText(result));
            };

            if (cmd.id == CommandId::Nwd) {
                const FreeText name = freeText(text, i + 1);
                if (net) disconnect(std::string(name.value), permanent, force);
                return name.next;
            }
            const std::optional<Logon> logon = logonAt(text, i + 1);
            if (!logon) return std::nullopt;
            const FreeText drivePath = freeText(text, logon->next);
            if (!net) return drivePath.next;
            const std::string drive(drivePath.value.substr(0, 2));
            const std::string path(drivePath.value.size() > 2 ? drivePath.value.substr(2) : std::string_view());
            if (cmd.id == CommandId::Nwt && !drive.empty()) {
                std::vector<std::string> connected;
                if (net->connectedDrives(connected)) {
                    for (const std::string& local : connected) {
                        if (!local.empty() && std::toupper(static_cast<unsigned char>(local[0])) ==
                                                  std::toupper(static_cast<unsigned char>(drive[0]))) {
                            disconnect(drive, permanent, false);
                            return drivePath.next;
                        }
                    }
                }
            }
            const int result = net->connect(drive, path, logon->user, logon->password, permanent);
            if (show) engine.DoAMessage("Map " + drive + " to " + path, connectResultText(result));
            return drivePath.next;
        }
        case CommandId::Dial:
        case CommandId::Hang: {
            std::optional<Logon> logon;
            FreeText entry{{}, at + cmd.tag.size()};
            if (cmd.id == CommandId::Dial) {
                logon = logonAt(text, at + 6);
                if (!logon) return std::nullopt;
                entry = freeText(text, logon->next);
            }
            IDialUp* dialup = s_.dialup;
            if (!dialup) return entry.next;
            if (!dialup->available()) {
                engine.MyMessage("Warning", std::string(kDialUpMissing));
                return entry.next;
            }
            if (cmd.id == CommandId::Dial) {
                DialConnection connection = 0;
                const int result = dialup->dial(std::string(entry.value), logon->user, logon->password, connection);
                if (result != 0) {
                    if (connection != 0) dialup->hangUp(connection);
                    engine.DoAMessage("Dial-Up Error", "Dial-Up Network Connection to " + std::string(entry.value) +
                                                           " failed.  Error code: " + std::to_string(result));
                }
                return entry.next;
            }
            std::vector<DialConnection> connections;
            if (!dialup->activeConnections(connections)) {
                engine.DoAMessage("Dial-Up Error", "Dial-Up Networking Hang Up failed.");
            } else if (connections.empty()) {
                engine.DoAMessage("Dial-Up Error", "There are no Dial-Up Networking connections to hang up.");
            } else if (dialup->hangUp(connections.front()) != 0) {
                engine.DoAMessage("Dial-Up Error", "Dial-Up Networking Hang Up failed.");
            }
            return entry.next;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace orv
