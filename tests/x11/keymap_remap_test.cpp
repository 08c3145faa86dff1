// Remapping keys through the keymap: what the user's keyboard types, what the program itself
// types, a new keymap, and the keymap given back after a crash.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>

#include "platform/x11/key_injector.h"
#include "platform/x11/keymap_remap.h"
#include "platform/x11/x11_keyboard_input.h"
#include "platform/x11/x11_window_system.h"
#include "support/temp_dir.h"
#include "x11_test_support.h"

namespace orv::x11 {
namespace {

using namespace test;

class KeymapRemapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ORV_NEED_DISPLAY();
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr);
        for (KeySym sym : {XK_a, XK_b, XK_c, XK_d, XK_1}) keycodes_[sym] = XKeysymToKeycode(display_, sym);
        file_ = dir_.file("remap-keys");
    }
    void TearDown() override {
        if (display_ != nullptr) XCloseDisplay(display_);
    }

    // The keysym of the first level of `keycode` in group 1, read from the server now.
    KeySym level1(KeySym ofKey) {
        XkbDescPtr xkb = XkbGetMap(display_, XkbKeySymsMask, XkbUseCoreKbd);
        const KeySym sym = XkbKeySymEntry(xkb, keycodes_[ofKey], 0, 0);
        XkbFreeKeyboard(xkb, 0, True);
        return sym;
    }

    // Handles the remapper's events until `condition` holds or the deadline passes.
    bool serveUntil(KeymapRemap& remap, const std::function<bool()>& condition) {
        const auto end = std::chrono::steady_clock::now() + kDeadline;
        while (!condition()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd p{remap.connectionNumber(), POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(std::min<long>(left.count(), 200)));
            remap.processEvents();
        }
        return true;
    }

    Display* display_ = nullptr;
    std::map<KeySym, unsigned> keycodes_;
    orv::test::TempDir dir_;
    std::string file_;
};

TEST_F(KeymapRemapTest, UsersKeysTypeTheMappedCharactersAndTheProgramTypesItsOwn) {
    TargetApp app({"Orvanta Remap Target"});
    const unsigned long window = app.window(0);
    auto windows = X11WindowSystem::create();
    ASSERT_TRUE(test::activate(*windows, static_cast<WindowId>(window)));
    auto keyboard = X11KeyboardInput::create();
    ASSERT_TRUE(keyboard);
    KeyInjector& injector = keyboard->injector();

    auto remap = KeymapRemap::create(file_);
    ASSERT_TRUE(remap);
    remap->setReserved([&injector](int keycode) { return injector.isSpare(keycode); });
    remap->setOnChange([&injector] { injector.reloadKeymap(); });
    ASSERT_TRUE(remap->apply({{'a', 'b'}, {'c', 0}, {'1', 0xE9}}));
    EXPECT_EQ(level1(XK_a), XK_b);
    EXPECT_EQ(level1(XK_c), static_cast<KeySym>(NoSymbol));
    EXPECT_EQ(readRemappedSyms(file_).size(), remap->applied().size());

    PhysicalKeyboard user;
    ASSERT_TRUE(user.valid());
    for (KeySym key : {XK_a, XK_c, XK_1, XK_d}) user.tapKeycode(keycodes_[key]);
    EXPECT_EQ(app.waitForText(0, 4), "b\u00e9d") << "a gives b, c nothing, 1 gives e-acute";

    // The program's own typing of "a" still arrives as "a" (through a spare keycode).
    injector.typeChar(U'a');
    keyboard->endPlayback();
    ASSERT_TRUE(keyboard->waitUntilDelivered(kDeadline));
    EXPECT_EQ(app.waitForText(0, 5), "b\u00e9da");

    ASSERT_TRUE(remap->restore());
    EXPECT_EQ(level1(XK_a), XK_a);
    EXPECT_EQ(level1(XK_c), XK_c);
    EXPECT_FALSE(std::filesystem::exists(file_)) << "nothing is left to restore";
    user.tapKeycode(keycodes_[XK_a]);
    EXPECT_EQ(app.waitForText(0, 6), "b\u00e9daa");
}

TEST_F(KeymapRemapTest, SwapSurvivesANewKeymap) {
    auto remap = KeymapRemap::create(file_);
    ASSERT_TRUE(remap);
    ASSERT_TRUE(remap->apply({{'a', 'b'}, {'b', 'a'}}));
    EXPECT_EQ(level1(XK_a), XK_b);
    EXPECT_EQ(level1(XK_b), XK_a);
    // Our own change is recognised: handling its events changes nothing.
    const auto applied = remap->applied();
    XSync(display_, False);
    remap->processEvents();
    EXPECT_EQ(remap->applied(), applied);

    // A layout switch loads a whole new keymap, the user's own.
    ASSERT_EQ(std::system("setxkbmap -layout us"), 0);
    ASSERT_EQ(level1(XK_a), XK_a) << "the new keymap has the user's keys";
    EXPECT_TRUE(serveUntil(*remap, [&] { return level1(XK_a) == XK_b && level1(XK_b) == XK_a; }))
        << "the remap is applied to the new keymap";
    ASSERT_TRUE(remap->restore());
    EXPECT_EQ(level1(XK_a), XK_a);
    EXPECT_EQ(level1(XK_b), XK_b);
}

TEST_F(KeymapRemapTest, KeymapOfACrashedRunIsGivenBackAtTheNextStart) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto remap = KeymapRemap::create(file_);
        if (remap && remap->apply({{'a', 'd'}})) ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(level1(XK_a), XK_d) << "the killed run left its remap";

    auto next = KeymapRemap::create(file_);
    ASSERT_TRUE(next);
    EXPECT_EQ(level1(XK_a), XK_a);
    EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST(RemapKeysFileTest, DamagedOrForeignFilesAreNotBelieved) {
    orv::test::TempDir dir;
    const std::string path = dir.file("f");
    const std::vector<RemappedSym> syms{{38, 0, 0, 0x61, 0x62}, {40, 1, 2, 0x64, 0}};
    ASSERT_TRUE(writeRemappedSyms(path, syms));
    EXPECT_EQ(orv::test::readFile(path), "38 0 0 61 62\n40 1 2 64 0\n");
    EXPECT_EQ(readRemappedSyms(path), syms);
    for (const char* bad : {"38 0 0 61\n", "3 0 0 61 62\n", "38 9 0 61 62\n", "38 0 0 zz 62\n"}) {
        orv::test::writeFile(path, bad);
        EXPECT_TRUE(readRemappedSyms(path).empty()) << bad;
    }
    ASSERT_TRUE(writeRemappedSyms(path, syms));
    ::chmod(path.c_str(), 0666);
    EXPECT_TRUE(readRemappedSyms(path).empty()) << "a file others may write";
}

}  // namespace
}  // namespace orv::x11
