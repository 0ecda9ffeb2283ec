// Ctrl+click on an item: the value edit dialog for numeric items, the time
// entry dialog for time items.
#include "toolkit/ValueEditDialog.h"
#include "toolkit/grid/GridParts.h"
#include "toolkit/timedialog/TimeEntryDialog.h"

namespace {

constexpr int32_t kEditWidth = 150;
constexpr int32_t kEditDecimals = 5;

}  // namespace

int32_t grid_edit_item(HWND window, ValueItem* item, int32_t x, int32_t y) {
    const int32_t type = item->type;
    if (type != kItemLinear && type != kItemFactor && type != kItemTime) return 1;
    ValueGridRecord* g = static_cast<ValueGridRecord*>(hold_control_record(window));
    if (g == nullptr) return 0;
    POINT at = {x, y};
    ClientToScreen(window, &at);
    float answer = 0.0f;
    bool answered;
    if (type == kItemTime) {
        answer = open_time_entry_dialog(g->owner, kValueEditStyle, at.x, at.y, item->value);
        answered = answer != kTimeCancelMarker;
    } else {
        answered = edit_control_value_in(g->owner, at.x, at.y, kEditWidth, item->value,
                                         kEditDecimals, 0, &answer) != 0;
    }
    // The grid, and its items with it, may be gone when the dialog returns.
    if (!release_control_record(g)) return 0;
    if (!answered) return 1;
    return grid_set_item_value(window, g, item, answer);
}
