#pragma once

// Identifiers of the settings panel's controls, as its layouts name them.
// Widgets also carry a descriptive objectName that tests use.

enum PanelControlId {
    IDC_PANEL_PAGE_FRAME = 1090,
    IDC_PANEL_MEDIA_FILE = 1097,
    IDC_PANEL_LOGO_LIST = 1103,
    IDC_PANEL_STOP_BUTTON = 1136,
    IDC_PANEL_MEDIA_LIST = 1137,
    IDC_PANEL_PLAY_LAMP = 1139,
    IDC_PANEL_REC_LAMP = 1140,
    IDC_PANEL_AUTO_LAMP = 1149,
    IDC_PANEL_PAGE_TABS = 1270,
    IDC_PANEL_SERVICE_TABS = 1271,
    IDC_PANEL_MUX_TABS = 1274,
    IDC_PANEL_OVERLAY_LOGO = 1299,
};
