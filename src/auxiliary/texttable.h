#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The fixed texts that follow the user-interface language: status messages,
// some field captions, the tab captions and the EDID repair questions.
enum TextId {
    TXT_WAITING_CONNECTION,
    TXT_HARDWARE_CONNECTED,
    TXT_UPGRADE_TO_RELEASE,
    TXT_WRITE_ERROR,
    TXT_REBOOTING,
    TXT_FREQ_LABEL,
    TXT_TSID_LABEL,
    TXT_MODE_LABEL,
    TXT_CONST_LABEL,
    TXT_BANDWIDTH_LABEL,
    TXT_FEC_LABEL,
    TXT_GUARD_LABEL,
    TXT_LEVEL_ATT_LABEL,
    TXT_NETWORK_LABEL,
    TXT_ORIGINAL_ID_LABEL,
    TXT_ID_LABEL,
    TXT_NAME_LABEL,
    TXT_LCN_ID_LABEL,
    TXT_LCN_LABEL,
    TXT_HD_LCN_LABEL,
    TXT_SYM_RATE_LABEL,
    TXT_ADDRESS_LABEL,
    TXT_PORT_LABEL,
    TXT_PCM_VOLUME_LABEL,
    TXT_ALLOW_VBR,
    TXT_SERVICE_NAME_LABEL,
    TXT_TEXT_LABEL,
    TXT_WAIT_NO_POWER_OFF,
    TXT_EDID_CONFIRM,
    TXT_EDID_REMOVE_CABLE,
    TXT_EDID_PROGRAMMING,
    TXT_INIT,
    TXT_TAB_MULTIPLEX,
    TXT_TAB_SERVICE,
    TXT_TAB_MISC,
};

inline constexpr int LanguageCount = 6;
inline constexpr int TextRowCount = TXT_TAB_MISC + 1;
inline constexpr int WeekdayCount = 7;

// Row-major, one row per TextId, columns in LanguageIndex order: English,
// French, Italian, German, Polish, Spanish.
extern const std::array<QStringView, TextRowCount * LanguageCount> TextTable;

// The one-letter day captions of the scheduler, Monday (0) to Sunday (6),
// in the same column order.
extern const std::array<QStringView, WeekdayCount * LanguageCount> WeekdayLetterTable;

// The language of the whole run: 0 English, 1 French, 2 Italian, 3 German,
// 4 Polish, 5 Spanish. Start-up sets it once, before any window shows a text.
extern int LanguageIndex;

// The row's text in the current language.
QString GetText(TextId row);

// The day's letter in the current language; empty for a day after Sunday.
QString GetWeekdayLetter(quint8 day);
