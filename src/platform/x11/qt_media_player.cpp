#include "platform/x11/qt_media_player.h"

// Qt before Xlib: Xlib's macros (None, Status, Bool ...) break Qt's headers.
#include <QAudioOutput>
#include <QDialog>
#include <QHBoxLayout>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
// clang-format off
#include <X11/Xlib.h>
// clang-format on
#include <unistd.h>

#include "platform/cp1252.h"
#include "platform/x11/xlib_util.h"

namespace orv::x11 {

QtMediaPlayer::QtMediaPlayer(WavePlayer playWave) : playWave_(std::move(playWave)) {
    display_ = openDisplay().release();
}

QtMediaPlayer::~QtMediaPlayer() { DisplayCloser{}(display_); }

bool QtMediaPlayer::playSound(const std::string& file, bool wait) {
    // A file that cannot be read plays nothing: there is no default sound to fall back to.
    if (file.empty() || ::access(cp1252ToUtf8(file).c_str(), R_OK) != 0 || !playWave_) return false;
    playWave_(cp1252ToUtf8(file), wait);
    return true;
}

void QtMediaPlayer::beep() {
    if (display_ == nullptr) return;
    XBell(display_, 0);
    XFlush(display_);
}

void QtMediaPlayer::playVideoClip(const std::string& file, VideoStart start) {
    if (videoOpen_) return;
    videoOpen_ = true;
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Video Clip Player"));
    auto* video = new QVideoWidget(&dialog);
    auto* play = new QPushButton(QStringLiteral("&Play"), &dialog);
    auto* pause = new QPushButton(QStringLiteral("P&ause"), &dialog);
    auto* stop = new QPushButton(QStringLiteral("&Stop"), &dialog);
    play->setObjectName(QStringLiteral("playButton"));
    pause->setObjectName(QStringLiteral("pauseButton"));
    stop->setObjectName(QStringLiteral("stopButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play);
    buttons->addWidget(pause);
    buttons->addWidget(stop);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(video, 1);
    layout->addLayout(buttons);

    QMediaPlayer player;
    QAudioOutput audio;
    player.setAudioOutput(&audio);
    player.setVideoOutput(video);
    QObject::connect(play, &QPushButton::clicked, &player, &QMediaPlayer::play);
    QObject::connect(pause, &QPushButton::clicked, &player, &QMediaPlayer::pause);
    QObject::connect(stop, &QPushButton::clicked, &player, &QMediaPlayer::stop);
    // The window takes the clip's size once the clip is loaded.
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &dialog, [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::LoadedMedia) {
            const QSize size = player.metaData().value(QMediaMetaData::Resolution).toSize();
            if (size.isValid()) video->setMinimumSize(size);
            dialog.adjustSize();
            if (start != VideoStart::UserPlays) player.play();
        } else if (status == QMediaPlayer::EndOfMedia && start == VideoStart::PlayAndClose) {
            QTimer::singleShot(0, &dialog, &QDialog::accept);  // one tick after the end
        } else if (status == QMediaPlayer::InvalidMedia && start == VideoStart::PlayAndClose) {
            QTimer::singleShot(0, &dialog, &QDialog::accept);
        }
    });
    player.setSource(QUrl::fromLocalFile(QString::fromStdString(cp1252ToUtf8(file))));
    dialog.exec();
    player.stop();
    videoOpen_ = false;
}

}  // namespace orv::x11
