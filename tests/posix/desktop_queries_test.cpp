// The desktop's lists for the command dialogs: application entries, network mounts, the
// phone book, and the queries that put them together.
#include "platform/x11/x11_desktop_queries.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/fake/fake_desktop_settings.h"
#include "platform/x11/desktop_entries.h"
#include "platform/x11/mount_table.h"
#include "platform/x11/nmcli_dialup.h"

namespace orv::x11 {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

void writeProgram(const fs::path& file) {
    write(file, "#!/bin/sh\n");
    fs::permissions(file, fs::perms::owner_all);
}

std::string entry(const std::string& keys) { return "[Desktop Entry]\nType=Application\n" + keys; }

// A user's data folder over a system one, and a folder of programs on the search path.
struct EntriesFixture {
    fs::path root = fs::path(std::getenv("ORVANTA_HOME")) / "xdg";
    fs::path user = root / "user";
    fs::path system = root / "system";
    fs::path bin = root / "bin";

    EntriesFixture() {
        fs::remove_all(root);
        writeProgram(bin / "editor");
        writeProgram(root / "opt/Image Viewer/viewer");
        write(system / "applications/editor.desktop", entry("Name=Text Editor\nName[de]=Texteditor\nExec=editor %F\n"));
        write(system / "applications/graphics/viewer.desktop",
              entry("Name=Image Viewer\nExec=\"" + (root / "opt/Image Viewer/viewer").string() + "\" --new %u\n"));
        write(system / "applications/tool.desktop", entry("Name=Tool\nExec=editor\nNoDisplay=true\n"));
        write(system / "applications/shadowed.desktop", entry("Name=Shadowed\nExec=editor\n"));
        write(user / "applications/shadowed.desktop", entry("Name=Shadowed\nExec=editor\nHidden=true\n"));
        write(system / "applications/missing.desktop", entry("Name=Missing\nExec=no-such-program\n"));
        write(system / "applications/tryexec.desktop", entry("Name=Try\nExec=editor\nTryExec=no-such-program\n"));
        write(system / "applications/site.desktop", "[Desktop Entry]\nType=Link\nName=Site\nURL=http://x\n");
        write(system / "applications/actions.desktop", entry("Name=Actions\n[Desktop Action new]\nExec=editor\n") + "");
        write(system / "applications/readme.txt", "not an entry");
    }
    std::vector<ProgramShortcut> read() { return readApplicationEntries({user, system}, {bin}); }
};

TEST(DesktopEntries, MenuEntriesWithTheirProgramsAndNothingHidden) {
    EntriesFixture fx;
    const std::vector<ProgramShortcut> expected = {
        {"Image Viewer.desktop", (fx.root / "opt/Image Viewer/viewer").string()},
        {"Text Editor.desktop", (fx.bin / "editor").string()},
    };
    EXPECT_EQ(fx.read(), expected);
}

TEST(MountTable, NetworkFileSystemsWithEscapesAndBootMounts) {
    std::istringstream table(
        "/dev/sda1 / ext4 rw,relatime 0 0\n"
        "//srv/My\\040Docs /mnt/my\\040docs cifs rw,user=me 0 0\n"
        "# a remark\n"
        "nas:/export /mnt/nas nfs4 rw,noauto 0 0\n"
        "me@box:/home /mnt/box fuse.sshfs rw 0 0\n");
    const std::vector<NetworkConnection> all = {
        {"/mnt/my docs", "//srv/My Docs"}, {"/mnt/nas", "nas:/export"}, {"/mnt/box", "me@box:/home"}};
    EXPECT_EQ(networkMounts(table, false), all);
    table.clear();
    table.seekg(0);
    const std::vector<NetworkConnection> boot = {{"/mnt/my docs", "//srv/My Docs"}, {"/mnt/box", "me@box:/home"}};
    EXPECT_EQ(networkMounts(table, true), boot);
}

TEST(MountTable, FileManagerSharesFromGvfs) {
    const fs::path gvfs = fs::path(std::getenv("ORVANTA_HOME")) / "gvfs";
    fs::remove_all(gvfs);
    for (const char* name : {"smb-share:server=srv,share=docs,user=me", "sftp:host=box,user=me", "mtp:device=phone"})
        fs::create_directories(gvfs / name);
    const std::vector<NetworkConnection> expected = {
        {(gvfs / "sftp:host=box,user=me").string(), "sftp://box"},
        {(gvfs / "smb-share:server=srv,share=docs,user=me").string(), "//srv/docs"},
    };
    EXPECT_EQ(gvfsMounts(gvfs), expected);
    EXPECT_TRUE(gvfsMounts(gvfs / "none").empty());
}

TEST(PhoneBook, DialUpProfilesOnlyWithEscapedNames) {
    EXPECT_EQ(parseDialUpProfiles("Home\\:Net:gsm\nWired:802-3-ethernet\nVPN Work:vpn\nC\\:\\\\drive:pppoe\n\n"),
              (std::vector<std::string>{"Home:Net", "VPN Work", "C:\\drive"}));
}

TEST(DesktopQueries, ListsFromTheirSourcesProgramsReadOnce) {
    EntriesFixture fx;
    fake::FakeDesktopSettings settings;
    settings.setPrinters({{"Laser", "", ""}, {"Ink", "", ""}});
    settings.setDisplayModes({{800, 600, 24, 60}, {1024, 768, 24, 60}});
    X11DesktopQueries::Sources sources;
    sources.settings = &settings;
    sources.dataDirs = {fx.user, fx.system};
    sources.path = {fx.bin};
    sources.mounts = fx.root / "mounts";
    sources.fstab = fx.root / "fstab";
    write(sources.mounts, "//srv/a /mnt/a cifs rw 0 0\n");
    write(sources.fstab, "//srv/b /mnt/b cifs rw 0 0\n");
    X11DesktopQueries queries(sources);

    EXPECT_EQ(queries.printers(), (std::vector<std::string>{"Laser", "Ink"}));
    EXPECT_EQ(queries.displayModes().size(), 2u);
    EXPECT_EQ(queries.networkConnections(false), (std::vector<NetworkConnection>{{"/mnt/a", "//srv/a"}}));
    EXPECT_EQ(queries.networkConnections(true), (std::vector<NetworkConnection>{{"/mnt/b", "//srv/b"}}));
    EXPECT_TRUE(queries.localDrives().empty());
    EXPECT_FALSE(queries.hasShellAutomation());
    ASSERT_EQ(queries.programShortcuts().size(), 2u);
    // Read once per run: an entry added later shows at the next start.
    write(fx.system / "applications/new.desktop", entry("Name=New\nExec=editor\n"));
    EXPECT_EQ(queries.programShortcuts().size(), 2u);
}

TEST(DesktopQueries, MissingServicesGiveEmptyLists) {
    X11DesktopQueries::Sources sources;
    sources.mounts = "/nonexistent/mounts";
    sources.fstab = "/nonexistent/fstab";
    sources.gvfs = "/nonexistent/gvfs";
    X11DesktopQueries queries(sources);
    const std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", "/nonexistent", 1);
    EXPECT_TRUE(queries.phoneBookEntries().empty());
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_TRUE(queries.printers().empty());
    EXPECT_TRUE(queries.displayModes().empty());
    EXPECT_TRUE(queries.networkConnections(false).empty());
    EXPECT_TRUE(queries.networkConnections(true).empty());
    EXPECT_TRUE(queries.programShortcuts().empty());
}

}  // namespace
}  // namespace orv::x11
