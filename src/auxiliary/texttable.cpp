#include "auxiliary/texttable.h"

int LanguageIndex = 0;

// Every text is kept exactly as the device family's users know it, trailing
// blanks and spelling included.
constinit const std::array<QStringView, TextRowCount * LanguageCount> TextTable = {
    // TXT_WAITING_CONNECTION
    u"Waiting connection...",
    u"Attente connection...",
    u"Attesa connessione...",
    u"Warte auf Verbindung...",
    u"Oczekujące połączenie...",
    u"Atendiendo conexion...",
    // TXT_HARDWARE_CONNECTED
    u"Hardware connected",
    u"Matériel connecté",
    u"Hardware connesso",
    u"Hardware vebunden",
    u"Urządzenie podłączone",
    u"Unidad conectada",
    // TXT_UPGRADE_TO_RELEASE
    u"upgrade to release ",
    u"mise à jour en version ",
    u"Upgrade disponibile ",
    u"Upgrade verfügbar ",
    u"Dostępna wersja oprog. ",
    u"Actualizar a la version ",
    // TXT_WRITE_ERROR
    u"write error !",
    u"erreur écriture !",
    u"Errore di scrittura !",
    u"Schreibfehler !",
    u"Błąd zapisu !",
    u"Error de copia !",
    // TXT_REBOOTING
    u"Rebooting...",
    u"Redémarrage...",
    u"Riavvio...",
    u"Neustart...",
    u"Ponowny start...",
    u"Reiniciar...",
    // TXT_FREQ_LABEL
    u"Freq. (kHz) :",
    u"Fréq. (kHz) :",
    u"Freq. (kHz) :",
    u"Freq. (kHz) :",
    u"Czest. (khz):",
    u"Frec. (khz) :",
    // TXT_TSID_LABEL
    u"TS Id. :",
    u"TS Id. :",
    u"TS Id. :",
    u"TS. Id. :",
    u"TS. Id. :",
    u"TS Id. :",
    // TXT_MODE_LABEL
    u"Mode :",
    u"Mode :",
    u"Modo :",
    u"Modus :",
    u"Tryb :",
    u"Moda :",
    // TXT_CONST_LABEL
    u"Const. :",
    u"Const. :",
    u"Const. :",
    u"Konst. :",
    u"Konst. :",
    u"Const. :",
    // TXT_BANDWIDTH_LABEL
    u"Bandwidth :",
    u"L. Bande :",
    u"Banda :",
    u"Bandbreite :",
    u"Pasmo :",
    u"Banda :",
    // TXT_FEC_LABEL
    u"F.E.C. :",
    u"F.E.C. :",
    u"F.E.C. :",
    u"F.E.C. :",
    u"F.E.C. :",
    u"F.E.C. :",
    // TXT_GUARD_LABEL
    u"Guard Int. :",
    u"Int. Garde :",
    u"Int. guardia :",
    u"Guard Int. :",
    u"G. Interwal :",
    u"Int. Guarde :",
    // TXT_LEVEL_ATT_LABEL
    u"Level Att. :",
    u"Niveau Att. :",
    u"Att. Livello :",
    u"Pegelsteller :",
    u"TLum. :",
    u"Att. nivel :",
    // TXT_NETWORK_LABEL
    u"Network",
    u"Réseau",
    u"Rete",
    u"Netzwerk",
    u"Sieć",
    u"Red",
    // TXT_ORIGINAL_ID_LABEL
    u"Original Id. :",
    u"Original Id. :",
    u"Original Id. :",
    u"Original Id. :",
    u"Original Id. :",
    u"Original Id. :",
    // TXT_ID_LABEL
    u"Id. :",
    u"Id. :",
    u"Id. :",
    u"Id. :",
    u"Id. :",
    u"Id. :",
    // TXT_NAME_LABEL
    u"Name :",
    u"Nom :",
    u"Nome :",
    u"Name :",
    u"Nazwa :",
    u"Nombre :",
    // TXT_LCN_ID_LABEL
    u"Id. LCN :",
    u"LCN Id. :",
    u"LCN Id. :",
    u"LCN Id. :",
    u"LCN Id. :",
    u"LCN Id. :",
    // TXT_LCN_LABEL
    u"LCN :",
    u"LCN :",
    u"LCN :",
    u"LCN :",
    u"LCN :",
    u"LCN :",
    // TXT_HD_LCN_LABEL
    u"HD LCN :",
    u"HD LCN :",
    u"HD LCN :",
    u"HD LCN :",
    u"HD LCN :",
    u"HD LCN :",
    // TXT_SYM_RATE_LABEL
    u"Sym. Rate :",
    u"Débit Sym. :",
    u"Sym. Rate :",
    u"Sym. Rate :",
    u"Szykosc symb. :",
    u"Sym. Rate :",
    // TXT_ADDRESS_LABEL
    u"Address :",
    u"Adresse :",
    u"Indirizzo :",
    u"Adresse :",
    u"Adres :",
    u"Direccion :",
    // TXT_PORT_LABEL
    u"Port :",
    u"Port :",
    u"Port :",
    u"Port :",
    u"Port :",
    u"Puerto :",
    // TXT_PCM_VOLUME_LABEL
    u"HDMI-PCM Volume :",
    u"Volume HDMI-PCM :",
    u"Volume HDMI-PCM :",
    u"HDMI-PCM volumen :",
    u"Wart. audio HDMI-PCM :",
    u"HDMI-PCM volumen :",
    // TXT_ALLOW_VBR
    u"Allow VBR",
    u"Autor. VBR",
    u"Autor. VBR",
    u"Ermacht. VBR",
    u"Autor. VBR",
    u"autor. VBR",
    // TXT_SERVICE_NAME_LABEL
    u"Name :",
    u"Nom :",
    u"Nome :",
    u"Name :",
    u"Nazwa :",
    u"Nombre :",
    // TXT_TEXT_LABEL
    u"Text :",
    u"Texte :",
    u"Testo :",
    u"Text :",
    u"Tekst :",
    u"Texto :",
    // TXT_WAIT_NO_POWER_OFF
    u"WAIT. DO NOT POWER OFF...",
    u"ATTENDRE. Ne pas mettre hors tension...",
    u"ATTENDERE. Non spegnere l'unità...",
    u"WARTEN. Das gerät nicht vomnets nehmen...",
    u"WAIT. DO NOT POWER OFF...",
    u"ESPERE. No desconecte el equipo de la corriente...",
    // TXT_EDID_CONFIRM
    u"Do you confirm repairing the EDID table ?\nThis function is only required if no more sound comes out of the modulator and if forcing HDMI-LPCM audio is required.",
    u"Confirmez vous vouloir reparer la table EDID ?\nCette fonction n'est à utiliser qu'au cas où aucun son ne sorte plus du modulateur et que le forçage du mode HDMI-LPCM est requis.",
    u"Do you confirm repairing the EDID table ?\nThis function is only required if no more sound comes out of the modulator and if forcing HDMI-LPCM audio is required.",
    u"Do you confirm repairing the EDID table ?\nThis function is only required if no more sound comes out of the modulator and if forcing HDMI-LPCM audio is required.",
    u"Do you confirm repairing the EDID table ?\nThis function is only required if no more sound comes out of the modulator and if forcing HDMI-LPCM audio is required.",
    u"¿Confirma que quiere repara la tabla EDID? Esta función solo se requiere si no hay sonido a la salida del modulador y se requiere forzar el audio a HDMI-LPCM.",
    // TXT_EDID_REMOVE_CABLE
    u"Please remove the HDMI cable from the modulator and then confirm.",
    u"Veuillez retirer le cable HDMI du modulateur et confirmer svp.",
    u"Please remove HDMI cable from modulator and then confirm.",
    u"Please remove HDMI cable from modulator and then confirm.",
    u"Please remove HDMI cable from modulator and then confirm.",
    u"Por favor quitar el cable HDMI del modulador y confirmar.",
    // TXT_EDID_PROGRAMMING
    u"EDID table programming, wait...",
    u"Programmation de la table EDID en cours, attendre...",
    u"EDID table programming, wait...",
    u"EDID table programming, wait...",
    u"EDID table programming, wait...",
    u"Table EDID reprogramándose, esperar...",
    // TXT_INIT
    u"Init...",
    u"Init...",
    u"Init...",
    u"Init...",
    u"Init...",
    u"Init...",
    // TXT_TAB_MULTIPLEX
    u"MULTIPLEX",
    u"MULTIPLEX",
    u"MULTIPLEX",
    u"MULTIPLEX",
    u"MULTIPLEX",
    u"MULTIPLEX",
    // TXT_TAB_SERVICE
    u"SERVICE",
    u"SERVICE",
    u"SERVIZIO ",
    u"DIENSTLEISTUNG ",
    u"SERWIS",
    u"SERVICIO",
    // TXT_TAB_MISC
    u"MISC.",
    u"DIVERS",
    u"VARI",
    u"VERSCHIEDEN",
    u"RÓŻNE",
    u"VARIOS",
};

constinit const std::array<QStringView, WeekdayCount * LanguageCount> WeekdayLetterTable = {
    u"M", u"L", u"M", u"M", u"M", u"M", // Monday
    u"T", u"M", u"T", u"T", u"T", u"T", // Tuesday
    u"W", u"M", u"W", u"W", u"W", u"W", // Wednesday
    u"T", u"J", u"T", u"T", u"T", u"T", // Thursday
    u"F", u"V", u"F", u"F", u"F", u"F", // Friday
    u"S", u"S", u"S", u"S", u"S", u"S", // Saturday
    u"S", u"D", u"S", u"S", u"S", u"S", // Sunday
};

namespace {

// A language index outside the table can only come from a stray write; it
// reads English rather than a neighbouring row.
int CurrentLanguage()
{
    return LanguageIndex >= 0 && LanguageIndex < LanguageCount ? LanguageIndex : 0;
}

} // namespace

QString GetText(TextId row)
{
    return TextTable[row * LanguageCount + CurrentLanguage()].toString();
}

QString GetWeekdayLetter(quint8 day)
{
    if (day >= WeekdayCount)
        return QString();
    return WeekdayLetterTable[day * LanguageCount + CurrentLanguage()].toString();
}
