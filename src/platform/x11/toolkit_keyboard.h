#pragma once

namespace orv::x11 {

// The server announces a new keyboard whenever input switches between the user's keyboard and
// the XTest device, which the program's typing makes it do at every playback; Qt then reads the
// whole keymap again on the main thread, dozens of round trips, just when the next hotkey needs
// that thread. This stops Qt's connection from listening for those announcements (a changed
// keymap, such as another layout or a remap, still reaches it). Does nothing without a Qt
// application on X11.
void ignoreKeyboardSwitchesInToolkit();

}  // namespace orv::x11
