// The orvanta-media module: sound files and the video clip window through Qt Multimedia.
#include <QAudioOutput>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPointer>
#include <QPushButton>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

#include "platform/media_player.h"
#include "platform/x11/service_module.h"

extern "C" {

// Declared through the interface's types, so that a change of either fails to compile.
OrvMediaPlayWave orv_media_play_wave;
OrvMediaPlayVideo orv_media_play_video;

void orv_media_play_wave(const char* file, int wait) {
    auto* sound = new QSoundEffect;
    sound->setSource(QUrl::fromLocalFile(QString::fromUtf8(file)));
    // The effect frees itself when it has played (or failed to load).
    QObject::connect(sound, &QSoundEffect::playingChanged, sound, [sound] {
        if (!sound->isPlaying()) sound->deleteLater();
    });
    QObject::connect(sound, &QSoundEffect::statusChanged, sound, [sound] {
        if (sound->status() == QSoundEffect::Error) sound->deleteLater();
    });
    sound->play();
    if (wait == 0) return;
    // Waiting keeps the event loop running until the sound has ended (at most ten minutes).
    QEventLoop loop;
    QPointer<QSoundEffect> guard(sound);
    QObject::connect(sound, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    if (guard) loop.exec();
}

void orv_media_play_video(const char* file, int startValue) {
    const auto start = static_cast<orv::VideoStart>(startValue);
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
            if (start != orv::VideoStart::UserPlays) player.play();
        } else if (status == QMediaPlayer::EndOfMedia && start == orv::VideoStart::PlayAndClose) {
            QTimer::singleShot(0, &dialog, &QDialog::accept);  // one tick after the end
        } else if (status == QMediaPlayer::InvalidMedia && start == orv::VideoStart::PlayAndClose) {
            QTimer::singleShot(0, &dialog, &QDialog::accept);
        }
    });
    player.setSource(QUrl::fromLocalFile(QString::fromUtf8(file)));
    dialog.exec();
    player.stop();
}

}  // extern "C"
