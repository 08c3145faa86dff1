#pragma once

namespace orv {

// A position on an audio CD: track, minutes, seconds and frames within the track.
struct CdPosition {
    int track = 1;
    int minute = 0;
    int second = 0;
    int frame = 0;
    friend bool operator==(const CdPosition&, const CdPosition&) = default;
};

struct CdLength {
    int minute = 0;
    int second = 0;
};

// The audio CD player of the first CD drive.
class ICdAudio {
public:
    virtual ~ICdAudio() = default;
    // Opens the first CD drive; false when there is none. Returns its drive letter in `drive`.
    virtual bool open(char& drive) = 0;
    virtual void play() = 0;
    virtual void playFrom(const CdPosition& start) = 0;
    virtual void stop() = 0;
    virtual void pause() = 0;
    virtual void nextTrack() = 0;
    virtual void previousTrack() = 0;
    virtual CdPosition position() = 0;
    virtual int trackCount() = 0;
    // Length of a track (1-based); 0:00 for a track that does not exist.
    virtual CdLength trackLength(int track) = 0;
    virtual void openDoor() = 0;
    virtual void closeDoor() = 0;
};

}  // namespace orv
