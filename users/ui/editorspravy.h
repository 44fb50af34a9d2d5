#pragma once

#include "records/ui/editorzaznamu.h"

class QGroupBox;
class TFrameCheckBox;

// The editors of what only administrators manage (users, groups): a record
// has no rights of its own, the session's flag decides, and it is read again
// before every write, so an administrator demoted since his login changes
// nothing more. Each shows its fields beside a check list of the other side
// of the memberships.
class TEditorSpravy : public TEditorZaznamu
{
    Q_OBJECT

protected:
    using TEditorZaznamu::TEditorZaznamu;

    // The fields' box and the check list's box side by side ("FrameCheckBox1").
    TFrameCheckBox* sestavObsah(QGroupBox* pole, const QString& titulekSeznamu, const char* jmenoSeznamu);

    PravidloEditoru pravidloNovehoZaznamu() const override;
    bool smiMenit() override;
    // An administrator, nothing that keeps the record (the message to show
    // is chybaSmazani), and the question.
    bool smiSmazat() override;
    virtual QString chybaSmazani() = 0;
    // Save stays enabled, so a user who is not an administrator hears why
    // nothing is stored.
    bool ulozeniVzdyPovoleno() const override { return true; }
    void zamkniPole(bool jenCteni) override;
    void poUlozeni() override;

    QGroupBox* m_pole = nullptr;
    TFrameCheckBox* m_seznam = nullptr;
};
