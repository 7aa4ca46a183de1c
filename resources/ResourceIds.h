/* Resource identifiers shared by kob.rc and the C++ sources. */
#ifndef DROVO_RESOURCE_IDS_H
#define DROVO_RESOURCE_IDS_H

/* Icons */
#define IDI_PROGRAM        1
#define IDI_TRAY_NORMAL  101
#define IDI_TRAY_MUTED   102

/* Bitmaps */
#define IDB_SKIN         201
#define IDB_KNOB         202
#define IDB_CLOSE        203
#define IDB_ABOUT        204

/* Cursors */
#define IDC_KNOB_CURSOR  301
#define IDC_HAND_CURSOR  302

#endif
