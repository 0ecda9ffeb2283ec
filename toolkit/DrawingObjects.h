#pragma once
// Creation and deletion of the toolkit's shared drawing objects: stock
// bitmaps, palette, brushes, pens and fonts. Failures leave null handles.
#include "toolkit/ToolkitModule.h"

void load_stock_bitmaps(ToolkitModule& module);
// Fills the palette as matched by the screen, then creates the brushes, the
// pens, the dash-dot pen and the fonts.
void create_drawing_objects(ToolkitModule& module);
// Deletes the stock bitmaps, then per index the brush, pen and font, then the
// dash-dot pen; every handle is null afterwards.
void delete_drawing_objects(ToolkitModule& module);
