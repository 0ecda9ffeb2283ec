// The 3D list, the 2D list and a free control, filled through their
// owner-draw callbacks with the samples the toolkit's tests use too.
#include "GallerySections.h"

#include "free/SampleContent.h"
#include "list2d/SampleContent.h"
#include "list3d/SampleContent.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/list3d/List3D.h"

int add_list_section(HWND window, int32_t x, int32_t y, GalleryLabel* labels, int room) {
    static SampleMeter meter = {6};
    int added = 0;
    if (added < room) labels[added++] = {x, y, "3D list", kGalleryTitle};
    HWND list3d = create_sample_list3d(window, 300, x, y + 20);
    SendMessageA(list3d, WM_COMMAND, kListSelectRow, float_bits(5.0f));
    const int32_t right = x + kSampleList3DWidth + 24;
    if (added < room) labels[added++] = {right, y, "2D list", kGalleryTitle};
    create_sample_list2d(window, 301, right, y + 20);
    if (added < room) labels[added++] = {right, y + 190, "Free control", kGalleryTitle};
    create_sample_meter(window, 302, right, y + 210, &meter);
    return added;
}
