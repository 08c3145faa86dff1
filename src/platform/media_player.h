#pragma once

#include <string>

namespace orv {

// How the video clip player starts.
enum class VideoStart : int {
    UserPlays = 0,     // the user starts it with the player's buttons
    PlayNow = 1,       // starts playing at once
    PlayAndClose = 2,  // plays to its end, then closes
};

// Sound files, the beep and the video clip player window.
class IMediaPlayer {
public:
    virtual ~IMediaPlayer() = default;
    // Plays a sound file; with wait, returns when it has finished. Never falls back to a
    // default sound. False when the file cannot be played.
    virtual bool playSound(const std::string& file, bool wait) = 0;
    virtual void beep() = 0;
    // Whether the video player window is already open.
    virtual bool videoPlayerOpen() = 0;
    // Shows the modal "Video Clip Player" window with the clip and returns when it closes.
    virtual void playVideoClip(const std::string& file, VideoStart start) = 0;
};

}  // namespace orv
