/* Resource identifiers of the Q-Clamper module.
 *
 * Plain #defines only, so that the same file serves the C++ sources and the
 * resource script (qclamper.rc).  Bitmaps are loaded by number:
 * LoadBitmapA(instance, MAKEINTRESOURCEA(QC_BMP_PANEL)).
 */
#ifndef QC_RESOURCE_IDS_H
#define QC_RESOURCE_IDS_H

/* Editor artwork */
#define QC_BMP_PANEL            500  /* 549 x 93 window background */
#define QC_BMP_KNOB_FACE        509  /* 32 x 32 face of the four knobs */
#define QC_BMP_MUTE_ON          530  /* 19 x 15 mute button, lit */
#define QC_BMP_MUTE_OFF         531  /* 19 x 15 mute button, unlit */

/* Toolkit stock bitmaps, loaded in this order into the stock table */
#define QC_BMP_TK_FIRST         1500
#define QC_BMP_TK_BUTTON_OFF    1500 /* 24 x 16 push button, black bar */
#define QC_BMP_TK_BUTTON_ON     1501 /* 24 x 16 push button, red bar */
#define QC_BMP_TK_BIG_BUTTON    1502 /* 33 x 23 grey button */
#define QC_BMP_TK_BIG_BUTTON_RED 1503 /* 33 x 23 grey button, red outline */
#define QC_BMP_TK_LED_OFF       1504 /* 16 x 16 round LED, dark */
#define QC_BMP_TK_LED_ON        1505 /* 16 x 16 round LED, lit red */
#define QC_BMP_TK_NOTES         1506 /* 160 x 96 note grid, 5 x 3 cells of 32 x 32 */
#define QC_BMP_TK_KNOB          1507 /* 32 x 32 dark knob face */
#define QC_BMP_TK_VSLIDER_TRACK 1508 /* 17 x 128 vertical slider track */
#define QC_BMP_TK_VSLIDER_THUMB 1509 /* 15 x 20 its thumb */
#define QC_BMP_TK_HSLIDER_TRACK 1510 /* 128 x 17 horizontal slider track */
#define QC_BMP_TK_HSLIDER_THUMB 1511 /* 20 x 15 its thumb */
#define QC_BMP_TK_PAPER         1512 /* 64 x 64 paper texture, tiled */
#define QC_BMP_TK_LAST          1512
#define QC_BMP_TK_COUNT         13

/* Module icon and version block */
#define QC_ICON_MAIN            1
#define QC_VERSION_MAJOR        1
#define QC_VERSION_MINOR        0
#define QC_VERSION_PATCH        0
#define QC_VERSION_STRING       "1.0.0"

#endif /* QC_RESOURCE_IDS_H */
