#include "common/ui/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QSoundEffect>

namespace shell
{
namespace
{

class QtSoundPlayer : public SoundPlayer
{
public:
    void play(const QString& wavFile) override
    {
        // One effect at a time: a new sound replaces one still playing.
        if (!m_effect) m_effect = new QSoundEffect;
        m_effect->stop();
        m_effect->setSource(QUrl::fromLocalFile(QFileInfo(wavFile).absoluteFilePath()));
        m_effect->play();
    }

private:
    QSoundEffect* m_effect = nullptr; // lives until the program ends
};

SoundPlayer* g_player = nullptr;
std::function<bool(const QUrl&)> g_opener;

} // namespace

void playSound(const QString& wavFile)
{
    static QtSoundPlayer real;
    (g_player ? g_player : &real)->play(wavFile);
}

QUrl urlFor(const QString& target)
{
    const QString t = target.trimmed();
    if (t.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) return QUrl(QStringLiteral("http://") + t);
    const QUrl u(t);
    // A drive-less path or a path with a one-letter "scheme" is a file.
    if (u.scheme().size() > 1 && !QFileInfo::exists(t)) return u;
    return QUrl::fromLocalFile(QFileInfo(t).absoluteFilePath());
}

bool open(const QString& target)
{
    return openUrl(urlFor(target));
}

bool openUrl(const QUrl& url)
{
    if (g_opener) return g_opener(url);
    return QDesktopServices::openUrl(url);
}

void setSoundPlayer(SoundPlayer* player)
{
    g_player = player;
}
void setOpener(std::function<bool(const QUrl&)> opener)
{
    g_opener = std::move(opener);
}

} // namespace shell
