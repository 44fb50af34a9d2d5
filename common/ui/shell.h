#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// What the program asks of the desktop: playing a sound file without waiting
// and opening a file or address with its associated program. Both are
// replaceable, so tests need neither an audio device nor a desktop.
namespace shell
{

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& wavFile) = 0;
};

// Starts playing and returns at once.
void playSound(const QString& wavFile);
// A local path, "mailto:" or web address; "www.x" counts as a web address.
bool open(const QString& target);
// An address already built and checked by the caller.
bool openUrl(const QUrl& url);

// nullptr restores the real implementations.
void setSoundPlayer(SoundPlayer* player);
void setOpener(std::function<bool(const QUrl&)> opener);

// The URL that open() hands on.
QUrl urlFor(const QString& target);

} // namespace shell
