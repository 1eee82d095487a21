#include "auxiliary/texttable.h"

#include <gtest/gtest.h>

namespace {

enum Language { English, French, Italian, German, Polish, Spanish };

class TextTableTest : public testing::Test
{
protected:
    void TearDown() override { LanguageIndex = 0; }

    static QString TextIn(int language, TextId row)
    {
        LanguageIndex = language;
        return GetText(row);
    }

    static QString LetterIn(int language, quint8 day)
    {
        LanguageIndex = language;
        return GetWeekdayLetter(day);
    }
};

const QString EnglishEdidQuestion = QStringLiteral(
    "Do you confirm repairing the EDID table ?\nThis function is only required if no more sound "
    "comes out of the modulator and if forcing HDMI-LPCM audio is required.");

} // namespace

TEST_F(TextTableTest, ReadsTheCellOfTheCurrentLanguage)
{
    EXPECT_EQ(TextIn(English, TXT_WRITE_ERROR), QStringLiteral("write error !"));
    EXPECT_EQ(TextIn(French, TXT_HARDWARE_CONNECTED), QStringLiteral("Matériel connecté"));
    EXPECT_EQ(TextIn(Italian, TXT_WAIT_NO_POWER_OFF), QStringLiteral("ATTENDERE. Non spegnere l'unità..."));
    EXPECT_EQ(TextIn(German, TXT_HARDWARE_CONNECTED), QStringLiteral("Hardware vebunden"));
    EXPECT_EQ(TextIn(German, TXT_WAIT_NO_POWER_OFF),
              QStringLiteral("WARTEN. Das gerät nicht vomnets nehmen..."));
    EXPECT_EQ(TextIn(Polish, TXT_WAITING_CONNECTION), QStringLiteral("Oczekujące połączenie..."));
    EXPECT_EQ(TextIn(Polish, TXT_TAB_MISC), QStringLiteral("RÓŻNE"));
    EXPECT_EQ(TextIn(Polish, TXT_FREQ_LABEL), QStringLiteral("Czest. (khz):"));
    EXPECT_EQ(TextIn(Spanish, TXT_EDID_PROGRAMMING), QStringLiteral("Table EDID reprogramándose, esperar..."));
    EXPECT_EQ(TextIn(Spanish, TXT_ALLOW_VBR), QStringLiteral("autor. VBR"));
}

TEST_F(TextTableTest, KeepsTrailingBlanks)
{
    EXPECT_EQ(TextIn(English, TXT_UPGRADE_TO_RELEASE), QStringLiteral("upgrade to release "));
    EXPECT_EQ(TextIn(French, TXT_UPGRADE_TO_RELEASE), QStringLiteral("mise à jour en version "));
    EXPECT_EQ(TextIn(Polish, TXT_UPGRADE_TO_RELEASE), QStringLiteral("Dostępna wersja oprog. "));
    for (int language = English; language <= Spanish; ++language)
        EXPECT_TRUE(TextIn(language, TXT_UPGRADE_TO_RELEASE).endsWith(u' ')) << language;

    EXPECT_EQ(TextIn(Italian, TXT_TAB_SERVICE), QStringLiteral("SERVIZIO "));
    EXPECT_EQ(TextIn(German, TXT_TAB_SERVICE), QStringLiteral("DIENSTLEISTUNG "));
    EXPECT_EQ(TextIn(English, TXT_TAB_SERVICE), QStringLiteral("SERVICE"));
}

TEST_F(TextTableTest, EdidQuestionHasTwoLinesExceptInSpanish)
{
    EXPECT_EQ(TextIn(English, TXT_EDID_CONFIRM), EnglishEdidQuestion);
    EXPECT_EQ(TextIn(Polish, TXT_EDID_CONFIRM), EnglishEdidQuestion);
    EXPECT_EQ(TextIn(French, TXT_EDID_CONFIRM).count(u'\n'), 1);
    EXPECT_EQ(TextIn(Spanish, TXT_EDID_CONFIRM),
              QStringLiteral("¿Confirma que quiere repara la tabla EDID? Esta función solo se requiere si "
                             "no hay sonido a la salida del modulador y se requiere forzar el audio a "
                             "HDMI-LPCM."));
}

TEST_F(TextTableTest, RowsFollowTheKeyOrder)
{
    EXPECT_EQ(TextIn(English, TXT_NETWORK_LABEL), QStringLiteral("Network"));
    EXPECT_EQ(TextIn(English, TXT_SERVICE_NAME_LABEL), QStringLiteral("Name :"));
    EXPECT_EQ(TextIn(French, TXT_SYM_RATE_LABEL), QStringLiteral("Débit Sym. :"));
    EXPECT_EQ(TextIn(Italian, TXT_ADDRESS_LABEL), QStringLiteral("Indirizzo :"));
    EXPECT_EQ(TextIn(German, TXT_TSID_LABEL), QStringLiteral("TS. Id. :"));
    EXPECT_EQ(TextIn(English, TXT_EDID_REMOVE_CABLE),
              QStringLiteral("Please remove the HDMI cable from the modulator and then confirm."));
    EXPECT_EQ(TextIn(Spanish, TXT_INIT), QStringLiteral("Init..."));
    EXPECT_EQ(TextIn(Italian, TXT_TAB_MULTIPLEX), QStringLiteral("MULTIPLEX"));
}

TEST_F(TextTableTest, WeekdayLettersDifferOnlyInFrench)
{
    const QString english = QStringLiteral("MTWTFSS");
    const QString french = QStringLiteral("LMMJVSD");
    for (int language = English; language <= Spanish; ++language) {
        const QString &expected = language == French ? french : english;
        for (quint8 day = 0; day < 7; ++day)
            EXPECT_EQ(LetterIn(language, day), QString(expected[day])) << language << " " << int(day);
    }
}

TEST_F(TextTableTest, DayAfterSundayHasNoLetter)
{
    EXPECT_EQ(LetterIn(French, 7), QString());
    EXPECT_EQ(LetterIn(English, 255), QString());
}

TEST_F(TextTableTest, LanguageOutsideTheTableReadsEnglish)
{
    EXPECT_EQ(TextIn(6, TXT_TAB_MISC), QStringLiteral("MISC."));
    EXPECT_EQ(TextIn(-1, TXT_TAB_MISC), QStringLiteral("MISC."));
    EXPECT_EQ(LetterIn(6, 0), QStringLiteral("M"));
}
