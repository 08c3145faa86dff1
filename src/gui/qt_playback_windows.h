#pragma once

#include "platform/playback_windows.h"

class QDialog;
class QWidget;

namespace orv {
class IWindowSystem;
}

namespace orv::gui {

// The windows a macro raises while it plays, as Qt dialogs that stay on top of every window,
// and the handling of the program's main window around them. Foreground questions go to the
// desktop's window system.
class QtPlaybackWindows final : public IPlaybackWindows {
public:
    QtPlaybackWindows(QWidget* mainWindow, IWindowSystem& windows) : main_(mainWindow), windows_(windows) {}

    void messageWindow(const std::string& title, const std::string& text) override;
    void textBoxWindow(const std::string& title, const std::string& body) override;
    PauseChoice pauseWindow(const PauseWindowSpec& window) override;
    int repeatPrompt() override;

    void showApplication() override;
    void hideApplication() override;
    bool applicationMinimised() override;
    void restoreApplication() override;
    void minimiseApplication() override;
    void showMainWindow() override;
    void hideMainWindow() override;

    std::int32_t foregroundWindow() override;
    void setForegroundWindow(std::int32_t window) override;
    std::int32_t giveFocusBack(std::int32_t window) override;

    int screenWidth() override;
    int screenHeight() override;

    // Closes the pause window on screen, if any, as its "&Resume" button would.
    void resumePause();

private:
    QDialog* pause_ = nullptr;
    QWidget* main_;
    IWindowSystem& windows_;
};

}  // namespace orv::gui
