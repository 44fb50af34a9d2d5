#pragma once

#include <QString>
#include <functional>

extern const QString TextUlozitData; // "Chcete data uložit ?"

// What every record editor keeps about the shown record: its id, whether the
// user changed it, and the one rule for leaving it.
class StavEditoru
{
public:
    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

    bool zmeneno() const { return m_zmeneno; }
    // A change of a field, the note, the categories or the rights. Ignored
    // while the editor fills its fields itself.
    void oznacZmenu()
    {
        if (!m_nacitani) m_zmeneno = true;
    }
    void zahodZmeny() { m_zmeneno = false; }

    // While one lives, the editor is filling its fields: nothing it sets is
    // the user's change. When it ends, the record counts as unchanged.
    class Nacitani
    {
    public:
        explicit Nacitani(StavEditoru& s) : m_s(s), m_predtim(s.m_nacitani) { s.m_nacitani = true; }
        ~Nacitani()
        {
            m_s.m_nacitani = m_predtim;
            if (!m_predtim) m_s.m_zmeneno = false;
        }
        Nacitani(const Nacitani&) = delete;
        Nacitani& operator=(const Nacitani&) = delete;

    private:
        StavEditoru& m_s;
        bool m_predtim;
    };
    bool nacita() const { return m_nacitani; }

    // Before the shown record is left (the window closes, another record is
    // opened): when it is modified, asks "Chcete data uložit ?". Yes saves
    // through `uloz`, which returns false when the save was refused, and then
    // the record must stay shown. No drops the changes. True when the record
    // may be left.
    bool MuzeOpustit(const std::function<bool()>& uloz);

private:
    int m_id = 0;
    bool m_zmeneno = false;
    bool m_nacitani = false;
};
