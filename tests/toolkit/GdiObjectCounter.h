#pragma once
// Counts the live GDI objects of the test process, for leak tests.
//
// GetGuiResources answers 0 under Wine, so the count falls back to Wine's GDI
// handle table, which Wine maps into every process and publishes in the
// PEB's GdiSharedHandleTable: 24-byte entries whose type byte (offset 14) is
// non-zero while the object lives.
#include <cstdint>

// The number of live GDI objects (pens, brushes, fonts, bitmaps, device
// contexts, regions ...) of this process; -1 when it cannot be counted.
int32_t live_gdi_objects();
