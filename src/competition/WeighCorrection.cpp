#include "competition/WeighCorrection.h"

#include "app/kit/Formats.h"

namespace {

// The person's club key: the club's Durum_Key when the club is known, else
// the "no club" row 1.
QVariant weighCorrectionClubKey(Database& db, const QString& club)
{
    if (!club.isEmpty())
        if (auto r = db.first("select Durum_Key from C_UYELIKSURESI where Durum_Key > 1 and Durum = :c", {{"c", club}}))
            return r->value("Durum_Key");
    return 1;
}

QString weighCorrectionStamp(const WeighCorrection::Stamp& s)
{
    return s.userName + ", " + Formats::dateToStr(s.today);
}

} // namespace

int WeighCorrection::saveList(Database& db, const ListChange& c, const Stamp& stamp)
{
    Transaction tx(db);
    const QString regionShort =
        db.scalar("select BolgeK from C_UYELIKTURU where Durum = :r", {{"r", c.region}}).toString();
    db.update("C_LISTE",
              {{"Bolge", c.region},
               {"BolgeK", regionShort},
               {"Takim", c.teamMode ? c.team : c.club},
               {"Klup", c.club}},
              "Sira = :wc_sira", {{"wc_sira", c.backNumber}});

    // The athlete's corners: seated directly, never in a bout entered by hand.
    int corners = 0;
    for (int side : {1, 2}) {
        const QString n = QString::number(side);
        corners += db.exec("update C_KURA set Bolge" + n + " = :wc_r, Klup" + n + " = :wc_c where Sira" + n +
                               " = :wc_sira and Tip" + n + " is not null and Tip" + n +
                               " <> '' and Tur <> 'Final'",
                           {{"wc_r", c.region}, {"wc_c", c.club}, {"wc_sira", c.backNumber}});
    }

    db.update("C_MUSTERI",
              {{"E16", c.club},
               {"Vergi_Dairesi", c.region},
               {"Client_Key", weighCorrectionClubKey(db, c.club)},
               {"M1", stamp.today},
               {"User", weighCorrectionStamp(stamp)}},
              "Musteri_Key = :wc_k", {{"wc_k", c.personKey}});
    tx.commit();
    return corners;
}

bool WeighCorrection::savePerson(Database& db, const PersonChange& c, const Stamp& stamp)
{
    if (c.gender.isEmpty())
        return false;
    Transaction tx(db);
    QVariantMap fields{{"E15", c.gender},
                       {"E16", c.club},
                       {"Vergi_Dairesi", c.region},
                       {"Client_Key", weighCorrectionClubKey(db, c.club)},
                       {"M1", stamp.today},
                       {"User", weighCorrectionStamp(stamp)}};
    if (c.gender != c.oldGender) {
        fields.insert("E53", "-");
        fields.insert("E54", QString());
        fields.insert("E55", QString());
        fields.insert("Kullanici", 0);
    }
    db.update("C_MUSTERI", fields, "Musteri_Key = :wc_k", {{"wc_k", c.personKey}});
    tx.commit();
    return true;
}

bool WeighCorrection::clubOfOtherRegion(Database& db, const QString& club, const QString& region)
{
    const auto r = db.first("select E1 from C_UYELIKSURESI where Durum_Key > 1 and Durum = :c", {{"c", club}});
    return r && r->str("E1") != region;
}
