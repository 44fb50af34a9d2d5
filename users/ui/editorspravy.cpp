#include "users/ui/editorspravy.h"

#include "common/messages.h"
#include "common/ui/framecheckbox.h"
#include "data/sqldata.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

TFrameCheckBox* TEditorSpravy::sestavObsah(QGroupBox* pole, const QString& titulekSeznamu,
                                           const char* jmenoSeznamu)
{
    m_pole = pole;
    auto* box = new QGroupBox(titulekSeznamu, this);
    box->setObjectName(QLatin1String(jmenoSeznamu));
    m_seznam = new TFrameCheckBox(box);
    m_seznam->setObjectName(QStringLiteral("FrameCheckBox1"));
    auto* l = new QVBoxLayout(box);
    l->setContentsMargins(2, 2, 2, 2);
    l->addWidget(m_seznam);
    connect(m_seznam, &TFrameCheckBox::zmeneno, this, [this] { oznacZmenu(); });

    auto* h = new QHBoxLayout;
    h->addWidget(pole, 1);
    h->addWidget(box, 1);
    obsah()->addLayout(h, 1);
    return m_seznam;
}

PravidloEditoru TEditorSpravy::pravidloNovehoZaznamu() const
{
    PravidloEditoru p;
    p.JenCteni = !SmiSpravovatUzivatele();
    return p;
}

bool TEditorSpravy::smiMenit()
{
    return !JenCteni() && JeStaleAdministratorem(SQLDATA());
}

bool TEditorSpravy::smiSmazat()
{
    if (JenCteni() || !JeStaleAdministratorem(SQLDATA())) {
        messages::error(TextNemateSmazat);
        return false;
    }
    if (const QString chyba = chybaSmazani(); !chyba.isEmpty()) {
        messages::error(chyba);
        return false;
    }
    return messages::confirm(TextOpravduSmazat);
}

void TEditorSpravy::zamkniPole(bool jenCteni)
{
    m_pole->setEnabled(!jenCteni);
    m_seznam->parentWidget()->setEnabled(!jenCteni);
}

void TEditorSpravy::poUlozeni()
{
    m_seznam->setZmeneno(false);
}
