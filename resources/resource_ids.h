/* Identifiers shared by quorvel.rc and the C++ code.  Plain #defines only:
   windres reads this file too. */
#ifndef QUORVEL_RESOURCE_IDS_H
#define QUORVEL_RESOURCE_IDS_H

/* Commands: hold toggles, menu commands, the fast-deal toggle. */
#define IDC_HOLD0              850
#define IDC_HOLD1              851
#define IDC_HOLD2              852
#define IDC_HOLD3              853
#define IDC_HOLD4              854
#define IDM_EXIT               1899
#define IDM_HELP               1900
#define IDM_ABOUT              1901
#define IDM_NEW                1902
#define IDM_SOUND              1903
#define IDM_DEAL               1904
#define IDM_OPTIONS            1905
#define IDM_COIN               1906
#define IDM_PAYOFF             1907
#define IDM_STATS              1908
#define IDM_CLEARSTATS         1909
#define IDM_BETMAX             1910
#define IDM_BANK               1911
#define IDM_FASTDEAL           40001

/* String table entries that are not menu help. */
#define IDS_FIRST_MESSAGE      1011
#define IDS_INSERT_COINS       1012
#define IDS_HOLD_OR_DEAL       1013
#define IDS_BANK_TEXT          1913
#define IDS_PRESS_DEAL         1914
#define IDS_ADD_OR_DEAL        1915
#define IDS_DEALING            1916
#define IDS_SYSMENU_POPUP      1999
#define IDS_STATUS_TITLE       2000

/* Cursor shown over a card in the hold phase. */
#define IDR_HAND_CURSOR        111

/* Options dialog (integer resource 110) and its controls. */
#define IDD_OPTIONS            110
#define IDC_DECK_GROUP         804
#define IDC_BACK_SLIDER        805
#define IDC_COLOR_SWATCH       705
#define IDC_SET_COLOR          707
#define IDC_OPT_SOUND          1903
#define IDC_OPT_WILD           803
#define IDC_OPT_JACKS          5806
#define IDC_OPT_CONFIRM        6004

/* Statistics dialog "StatsDlg": field of category c is IDC_STAT_HAND0 + c. */
#define IDC_STAT_COINS_PLAYED  820
#define IDC_STAT_COINS_WON     821
#define IDC_STAT_GAMES         822
#define IDC_STAT_BUSTED        823
#define IDC_STAT_HAND0         824

/* Help dialog "HelpDlg". */
#define IDC_HELP_COUNTER       700
#define IDC_HELP_PREV          701
#define IDC_HELP_NEXT          702
#define IDC_HELP_CAPTION       703
#define IDC_HELP_TEXT          704
#define IDC_HELP_FRAME         705

/* About dialog "AboutDlg". */
#define IDC_ABOUT_TITLE        100
#define IDC_ABOUT_LINE1        101
#define IDC_ABOUT_LINE2        102
#define IDC_ABOUT_LINE3        103

/* The deal timer and the message-line flash share this window timer. */
#define IDT_TABLE_TIMER        6

#endif
