#include "adresarkategorie.h"

const CiselnikKategorii CiselnikAdresare = {
    .Druh = QStringLiteral("ADRESAR"),
    .Tabulka = QStringLiteral("ADRESAR_C_KAT"),
    .SqlNacti = QStringLiteral("Select ADRESAR_c_kat_nazev,ADRESAR_c_kat_barva,ADRESAR_c_kat_poradi from "
                               "ADRESAR_c_kat where (ADRESAR_c_kat_id=%d);"),
    .SqlUloz = QStringLiteral("update ADRESAR_c_kat set "
                              "ADRESAR_c_kat_nazev=%s,ADRESAR_c_kat_barva=%d,ADRESAR_c_kat_poradi=%d where "
                              "ADRESAR_c_kat_id=%d;"),
    .SqlVloz = QStringLiteral("insert into ADRESAR_c_kat(ADRESAR_c_kat_nazev,ADRESAR_c_kat_barva,ADRESAR_c_"
                              "kat_poradi) values(%s,%d,%d)"),
    .SqlPouziti = QStringLiteral("select count(*) from adresar_zakl_kat where (adresar_c_kat_id=%d) and "
                                 "exists (select 1 from adresar_zakl where "
                                 "adresar_zakl.adresar_zakl_id=adresar_zakl_kat.adresar_zakl_id)"),
    .SqlSmazOsirele = QStringLiteral("delete from adresar_zakl_kat where adresar_c_kat_id=%d and not exists "
                                     "(select 1 from adresar_zakl where "
                                     "adresar_zakl.adresar_zakl_id=adresar_zakl_kat.adresar_zakl_id)"),
    .SqlSmaz = QStringLiteral("delete from adresar_c_kat where adresar_c_kat_id=%d"),
};
