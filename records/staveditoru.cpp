#include "records/staveditoru.h"

#include "common/messages.h"

const QString TextUlozitData = QStringLiteral("Chcete data uložit ?");

bool StavEditoru::MuzeOpustit(const std::function<bool()>& uloz)
{
    if (!m_zmeneno) return true;
    if (!messages::confirm(TextUlozitData, messages::Default::Yes)) {
        m_zmeneno = false;
        return true;
    }
    if (!uloz()) return false;
    m_zmeneno = false;
    return true;
}
