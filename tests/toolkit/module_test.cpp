// The toolkit module under Wine: reference counting, preferences in the
// registry, window classes, drawing objects, leaks and the module directory.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "GdiObjectCounter.h"
#include "toolkit/ControlData.h"
#include "toolkit/ModuleDirectory.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/WindowClasses.h"
#include "toolkit/list2d/List2D.h"
#include "toolkit/switch/Switch.h"

namespace {

const char kApp[] = "QcToolkitTest";
const char kKey[] = "Somar_Works\\RA2ZAZ\\QcToolkitTest";

HINSTANCE self() { return GetModuleHandleA(nullptr); }

void deleteKey(const char* path = kKey) { RegDeleteKeyA(HKEY_CURRENT_USER, path); }

bool keyExists(const char* path = kKey) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, path, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void writeRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kKey, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void writeInt(const char* name, int32_t value) { writeRaw(name, REG_BINARY, &value, sizeof value); }

// The stored bytes of a value, or nothing when it is missing or not binary.
std::vector<unsigned char> readRaw(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, kKey, &key) != ERROR_SUCCESS) return {};
    std::vector<unsigned char> data(256);
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_BINARY) return {};
    data.resize(size);
    return data;
}

std::vector<unsigned char> bytesOf(int32_t value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

bool classRegistered(const char* name) {
    WNDCLASSA wc;
    return GetClassInfoA(self(), name, &wc) != 0;
}

class ToolkitModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(toolkit().referenceCount, 0);
        toolkit().Dial_tCtx = kDefaultTimeContext;
        deleteKey();
    }
    void TearDown() override {
        while (toolkit().referenceCount > 0) terminate_toolkit();
        deleteKey();
    }
};

// Runs first: the state of a process that never initialised the toolkit.
TEST(ToolkitFresh, StartsUninitialised) {
    EXPECT_EQ(toolkit_last_error(), kErrorNotInitialised);
    EXPECT_STREQ(toolkit_error_message(toolkit_last_error()), "[RA2ZAZ] Module not initialized !");
    char directory[kModuleDirectorySize];
    EXPECT_EQ(copy_module_directory(directory), 4);
    EXPECT_STREQ(directory, "C:\\");
}

TEST(ToolkitFresh, MessageTable) {
    const char* const expected[] = {
        "[RA2ZAZ] No error",
        "[RA2ZAZ] Module not initialized !",
        "[RA2ZAZ] Failed to register rotatif class",
        "[RA2ZAZ] Failed to register I2P class",
        "[RA2ZAZ] Failed to register FREE class",
        "[RA2ZAZ] Failed to register slide class",
        "[RA2ZAZ] Failed to register 3Dlist class",
        "[RA2ZAZ] Failed to register Vgrid class",
        "[RA2ZAZ] Failed to register 2Dgrid class",
    };
    for (uint16_t code = 0; code < 9; ++code) EXPECT_STREQ(toolkit_error_message(code), expected[code]);
    EXPECT_EQ(toolkit_error_message(9), nullptr);
}

TEST_F(ToolkitModuleTest, TwoUsersShareOneSetUp) {
    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    EXPECT_EQ(toolkit_last_error(), kErrorNone);
    EXPECT_EQ(toolkit().notificationsEnabled, 1);
    const HPEN pen = toolkit().pens[4];
    ASSERT_NE(pen, nullptr);

    // The second user changes nothing: no new name, no registry read.
    writeInt("S_capture", 0);
    EXPECT_EQ(init_toolkit(self(), "SomeoneElse"), 1);
    EXPECT_EQ(toolkit().referenceCount, 2);
    EXPECT_STREQ(toolkit().applicationName, kApp);
    EXPECT_EQ(toolkit().S_capture, 1);
    EXPECT_EQ(toolkit().pens[4], pen);

    // The first termination keeps everything and writes nothing.
    deleteKey();
    EXPECT_EQ(terminate_toolkit(), 1);
    EXPECT_FALSE(keyExists());
    EXPECT_EQ(toolkit().notificationsEnabled, 1);
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    for (int i = 0; i < kToolkitClassCount; ++i) EXPECT_TRUE(classRegistered(toolkit_class_name(i)));

    // The last one deletes, unregisters and writes the settings, creating the key.
    EXPECT_EQ(terminate_toolkit(), 0);
    EXPECT_EQ(toolkit().notificationsEnabled, 0);
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(toolkit().pens[4], nullptr);
    for (int i = 0; i < kToolkitClassCount; ++i) EXPECT_FALSE(classRegistered(toolkit_class_name(i)));
    ASSERT_TRUE(keyExists());
    EXPECT_EQ(readRaw("Rot_Mode"), bytesOf(1));
    EXPECT_EQ(readRaw("S_capture"), bytesOf(1));
    EXPECT_EQ(readRaw("S_settopos"), bytesOf(0));
    EXPECT_EQ(readRaw("A_imode"), bytesOf(0));
    const std::vector<unsigned char> context = {
        0x02, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00, 0x00,
        0x00, 0x00, 0x00, 0xF0, 0x42, 0x0A, 0x00, 0x00, 0x00, 0x44, 0xAC, 0x00, 0x00, 0x60, 0x00,
        0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x41};
    EXPECT_EQ(readRaw("Dial_tCtx"), context);
    // Termination keeps the last error.
    EXPECT_EQ(toolkit_last_error(), kErrorNone);
}

TEST_F(ToolkitModuleTest, StoredSettingsAreReadAndNormalised) {
    writeInt("Rot_Mode", 7);
    writeInt("S_capture", 7);
    writeInt("S_settopos", -5);
    writeInt("A_imode", 0);
    std::vector<unsigned char> tooLong(50, 0x11);
    writeRaw("Dial_tCtx", REG_BINARY, tooLong.data(), 50);

    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    EXPECT_EQ(toolkit().knob_mouse_mode, 7);
    EXPECT_EQ(toolkit().S_capture, 1);
    EXPECT_EQ(toolkit().S_settopos, 1);
    EXPECT_EQ(toolkit().A_imode, 0);
    EXPECT_EQ(std::memcmp(&toolkit().Dial_tCtx, &kDefaultTimeContext, sizeof(TimeContext)), 0);

    toolkit().A_imode = 1;
    EXPECT_EQ(terminate_toolkit(), 0);
    EXPECT_EQ(readRaw("Rot_Mode"), bytesOf(7));
    EXPECT_EQ(readRaw("S_capture"), bytesOf(1));
    EXPECT_EQ(readRaw("A_imode"), bytesOf(1));
    EXPECT_EQ(readRaw("Dial_tCtx").size(), 44u);

    // Each initialisation starts from the defaults again, then reads; a
    // context of exactly 44 bytes replaces the whole member.
    writeRaw("Rot_Mode", REG_DWORD, "\x03\0\0\0", 4);  // not binary: ignored
    TimeContext stored = kDefaultTimeContext;
    stored.notes[0] = 7;
    stored.tempo = 93.5f;
    stored.framesPerSecond = 30.0f;
    writeRaw("Dial_tCtx", REG_BINARY, &stored, sizeof stored);
    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    EXPECT_EQ(toolkit().knob_mouse_mode, 1);
    EXPECT_EQ(toolkit().A_imode, 1);
    EXPECT_EQ(std::memcmp(&toolkit().Dial_tCtx, &stored, sizeof stored), 0);
}

TEST_F(ToolkitModuleTest, StoredTimeContextFieldsOutOfRangeTakeTheirDefaults) {
    TimeContext stored = kDefaultTimeContext;
    stored.notes[0] = 200;
    stored.ticksPerQuarter = 0;
    stored.tempo = 93.5f;
    stored.signatureNumerator = 7;
    writeRaw("Dial_tCtx", REG_BINARY, &stored, sizeof stored);

    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    TimeContext expected = stored;
    expected.notes[0] = kDefaultTimeContext.notes[0];
    expected.ticksPerQuarter = kDefaultTimeContext.ticksPerQuarter;
    EXPECT_EQ(std::memcmp(&toolkit().Dial_tCtx, &expected, sizeof expected), 0);
}

TEST_F(ToolkitModuleTest, ShortStoredValuesKeepTheMembersOtherBytes) {
    writeRaw("Rot_Mode", REG_BINARY, "\x02", 1);
    writeRaw("S_capture", REG_BINARY, "", 0);
    writeRaw("Dial_tCtx", REG_BINARY, "\x05\x00\x01\x00", 4);

    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    EXPECT_EQ(toolkit().knob_mouse_mode, 2);  // 02 over the default 01 00 00 00
    EXPECT_EQ(toolkit().S_capture, 1);        // nothing stored: the default stays
    TimeContext expected = kDefaultTimeContext;
    expected.notes[0] = 5;
    expected.notes[1] = 1;
    EXPECT_EQ(std::memcmp(&toolkit().Dial_tCtx, &expected, sizeof expected), 0);
    EXPECT_EQ(terminate_toolkit(), 0);
    // Written back whole.
    EXPECT_EQ(readRaw("Rot_Mode"), bytesOf(2));
    EXPECT_EQ(readRaw("Dial_tCtx").size(), 44u);
}

TEST_F(ToolkitModuleTest, LongApplicationNameIsCut) {
    const std::string name(200, 'n');
    ASSERT_EQ(init_toolkit(self(), name.c_str()), 1);
    EXPECT_EQ(std::strlen(toolkit().applicationName), 127u);
    EXPECT_EQ(std::string(toolkit().keyPath), "Somar_Works\\RA2ZAZ\\" + std::string(127, 'n'));
    terminate_toolkit();
    const std::string written = "Somar_Works\\RA2ZAZ\\" + std::string(127, 'n');
    EXPECT_TRUE(keyExists(written.c_str()));
    deleteKey(written.c_str());
}

TEST_F(ToolkitModuleTest, ClassesAndDrawingObjects) {
    ASSERT_EQ(init_toolkit(self(), kApp), 1);

    const struct {
        const char* name;
        UINT style;
    } classes[] = {
        {"C_RA2ZAZ_Rotatif_00\xA9KSomar", CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS},
        {"C_RA2ZAZ_I2p_00\xA9KSomar", CS_VREDRAW | CS_HREDRAW},
        {"C_RA2ZAZ_Free_00\xA9KSomar", CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS},
        {"C_RA2ZAZ_Slide_00\xA9KSomar", CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS},
        {"C_RA2ZAZ_3DList_00\xA9KSomar", CS_VREDRAW | CS_HREDRAW},
        {"C_RA2ZAZ_Vgrid_00\xA9KSomar", CS_VREDRAW | CS_HREDRAW},
        {"C_RA2ZAZ_2DList_00\xA9KSomar", CS_VREDRAW | CS_HREDRAW},
    };
    EXPECT_EQ(std::strlen(classes[0].name), 26u);
    EXPECT_EQ(toolkit_class_procedures[kClassI2p], &switch_proc);
    for (int i = 0; i < kToolkitClassCount; ++i) {
        const auto& c = classes[i];
        WNDCLASSA wc = {};
        ASSERT_TRUE(GetClassInfoA(self(), c.name, &wc)) << c.name;
        EXPECT_EQ(wc.style, c.style) << c.name;
        EXPECT_EQ(wc.cbClsExtra, 0);
        EXPECT_EQ(wc.cbWndExtra, kControlDataBytes);
        EXPECT_EQ(wc.hIcon, nullptr);
        EXPECT_EQ(wc.hbrBackground, nullptr);
        EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        // Local to the module: a lookup without the instance does not see it.
        EXPECT_FALSE(GetClassInfoA(nullptr, c.name, &wc)) << c.name;
        // Every control needs its creation block.
        HWND window = CreateWindowExA(0, c.name, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      self(), nullptr);
        EXPECT_EQ(window, nullptr) << c.name;
        if (window != nullptr) DestroyWindow(window);
    }

    const ToolkitModule& m = toolkit();
    const COLORREF palette[kPaletteSize] = {
        0x000000, 0x1428CC, 0x1E3CFC, 0x36EBF0, 0x9D1C06, 0xE25F0F, 0xE4938C, 0x7A6B03,
        0x31A724, 0x404040, 0x545454, 0x6E6E6E, 0x828282, 0xB4B4B4, 0xE6E6E6, 0xFFFFFF};
    for (int i = 0; i < kPaletteSize; ++i) {
        EXPECT_EQ(kToolkitPalette[i], palette[i]) << i;
        // The virtual screen has 24-bit colour: matching keeps every entry.
        EXPECT_EQ(m.palette[i], palette[i]) << i;
        LOGBRUSH brush = {};
        ASSERT_EQ(GetObjectA(m.brushes[i], sizeof brush, &brush), static_cast<int>(sizeof brush));
        EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(brush.lbColor, m.palette[i]);
        LOGPEN pen = {};
        ASSERT_EQ(GetObjectA(m.pens[i], sizeof pen, &pen), static_cast<int>(sizeof pen));
        EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
        EXPECT_EQ(pen.lopnWidth.x, 0);
        EXPECT_EQ(pen.lopnColor, m.palette[i]);
    }
    LOGPEN dashDot = {};
    ASSERT_EQ(GetObjectA(m.dashDotPen, sizeof dashDot, &dashDot), static_cast<int>(sizeof dashDot));
    EXPECT_EQ(dashDot.lopnStyle, static_cast<UINT>(PS_DASHDOT));
    EXPECT_EQ(dashDot.lopnWidth.x, 0);
    EXPECT_EQ(dashDot.lopnColor, m.palette[0]);

    const LONG heights[] = {10, 10, 12, 12, 14, 14, 16, 16, 18, 18, 20, 20, 26, 26, 38, 38};
    const LONG weights[] = {400, 700, 400, 700, 400, 700, 400, 700,
                            400, 700, 400, 700, 800, 800, 400, 800};
    for (int i = 0; i < kFontCount; ++i) {
        LOGFONTA font = {};
        ASSERT_EQ(GetObjectA(m.fonts[i], sizeof font, &font), static_cast<int>(sizeof font));
        EXPECT_EQ(font.lfHeight, heights[i]) << i;
        EXPECT_EQ(font.lfWeight, weights[i]) << i;
        EXPECT_EQ(font.lfWidth, 0);
        EXPECT_EQ(font.lfItalic, 0);
        EXPECT_EQ(font.lfCharSet, 0);
        EXPECT_STREQ(font.lfFaceName, "Arial");
    }

#ifdef QC_TEST_HAS_RESOURCES
    const SIZE sizes[kStockBitmapCount] = {{24, 16}, {24, 16}, {33, 23},  {33, 23}, {16, 16},
                                           {16, 16}, {160, 96}, {32, 32}, {17, 128}, {15, 20},
                                           {128, 17}, {20, 15}, {64, 64}};
    for (int i = 0; i < kStockBitmapCount; ++i) {
        BITMAP bitmap = {};
        ASSERT_NE(GetObjectA(m.stockBitmaps[i], sizeof bitmap, &bitmap), 0) << 1500 + i;
        EXPECT_EQ(bitmap.bmWidth, sizes[i].cx) << 1500 + i;
        EXPECT_EQ(bitmap.bmHeight, sizes[i].cy) << 1500 + i;
    }
#endif
}

TEST_F(ToolkitModuleTest, MissingBitmapsAreTolerated) {
    // An instance without the stock bitmaps: the handles stay null and the
    // toolkit still starts and stops.
    HINSTANCE other = GetModuleHandleA("kernel32.dll");
    ASSERT_EQ(init_toolkit(other, kApp), 1);
    for (HBITMAP bitmap : toolkit().stockBitmaps) EXPECT_EQ(bitmap, nullptr);
    WNDCLASSA wc;
    EXPECT_TRUE(GetClassInfoA(other, kRotatifClassName, &wc));
    EXPECT_EQ(terminate_toolkit(), 0);
    EXPECT_FALSE(GetClassInfoA(other, kRotatifClassName, &wc));
}

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ToolkitModuleTest, RegistrationFailureStopsAndIsReported) {
    // Someone else already owns the free control's class name.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = plainProc;
    wc.hInstance = self();
    wc.lpszClassName = kFreeClassName;
    ASSERT_NE(RegisterClassA(&wc), 0);

    EXPECT_EQ(init_toolkit(self(), kApp), 0);
    EXPECT_EQ(toolkit_last_error(), 4);
    EXPECT_STREQ(toolkit_error_message(toolkit_last_error()), "[RA2ZAZ] Failed to register FREE class");
    EXPECT_TRUE(classRegistered(kRotatifClassName));
    EXPECT_TRUE(classRegistered(kI2pClassName));
    EXPECT_FALSE(classRegistered(kSlideClassName));
    EXPECT_NE(toolkit().pens[0], nullptr);
    // A second user learns that the shared toolkit is not up.
    EXPECT_EQ(init_toolkit(self(), kApp), 0);

    EXPECT_EQ(terminate_toolkit(), 1);
    EXPECT_EQ(terminate_toolkit(), 0);
    EXPECT_FALSE(classRegistered(kRotatifClassName));
    EXPECT_FALSE(classRegistered(kI2pClassName));
    // The foreign class is not the toolkit's to remove.
    EXPECT_TRUE(classRegistered(kFreeClassName));
    ASSERT_TRUE(UnregisterClassA(kFreeClassName, self()));

    // Each class has its own code.
    const char* names[] = {kRotatifClassName, kI2pClassName,   kFreeClassName,  kSlideClassName,
                           k3DListClassName,  kVgridClassName, k2DListClassName};
    for (int i = 0; i < kToolkitClassCount; ++i) {
        wc.lpszClassName = names[i];
        ASSERT_NE(RegisterClassA(&wc), 0);
        EXPECT_EQ(init_toolkit(self(), kApp), 0);
        EXPECT_EQ(toolkit_last_error(), 2 + i);
        terminate_toolkit();
        UnregisterClassA(names[i], self());
    }
    EXPECT_EQ(init_toolkit(self(), kApp), 1);
}

TEST_F(ToolkitModuleTest, UnmatchedTerminationIsHarmless) {
    EXPECT_EQ(terminate_toolkit(), 0);
    EXPECT_EQ(toolkit().referenceCount, 0);
    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    EXPECT_EQ(toolkit().referenceCount, 1);
    EXPECT_EQ(terminate_toolkit(), 0);
    EXPECT_FALSE(classRegistered(kRotatifClassName));
    EXPECT_TRUE(keyExists());
}

TEST_F(ToolkitModuleTest, ClassOfALiveWindowSurvivesTerminationAndStartsAgain) {
    // A window of a toolkit class still alive at the last termination (an
    // ended dialog not yet destroyed) keeps its class registered; the next
    // start-up must work anyway.
    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    List2DRecord block = {};
    HWND survivor = CreateWindowExA(0, k2DListClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr, self(), &block);
    ASSERT_NE(survivor, nullptr);
    EXPECT_EQ(terminate_toolkit(), 0);
    EXPECT_TRUE(classRegistered(k2DListClassName));
    EXPECT_FALSE(classRegistered(kRotatifClassName));
    DestroyWindow(survivor);

    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    EXPECT_EQ(toolkit_last_error(), kErrorNone);
    for (int i = 0; i < kToolkitClassCount; ++i) EXPECT_TRUE(classRegistered(toolkit_class_name(i)));
    EXPECT_EQ(terminate_toolkit(), 0);
    for (int i = 0; i < kToolkitClassCount; ++i) EXPECT_FALSE(classRegistered(toolkit_class_name(i)));
}

int32_t g_notificationsAtClose = -1;

LRESULT CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) g_notificationsAtClose = toolkit().notificationsEnabled;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ToolkitModuleTest, TerminationClosesOpenDialogsQuietly) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = dialogProc;
    wc.hInstance = self();
    wc.lpszClassName = "QcToolkitTestDialog";
    ASSERT_NE(RegisterClassA(&wc), 0);

    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    HWND dialogs[3];
    for (HWND& d : dialogs)
        d = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            self(), nullptr);
    toolkit().valueEditDialog = dialogs[0];
    toolkit().timeEntryDialog = dialogs[1];
    toolkit().adjustWindow = dialogs[2];
    EXPECT_EQ(terminate_toolkit(), 0);
    for (HWND d : dialogs) EXPECT_FALSE(IsWindow(d));
    EXPECT_EQ(g_notificationsAtClose, 0);
    UnregisterClassA(wc.lpszClassName, self());
}

TEST_F(ToolkitModuleTest, NoGdiObjectLeaksOverManyCycles) {
    const int32_t before = live_gdi_objects();
    if (before < 0) GTEST_SKIP() << "GDI objects cannot be counted here";

    ASSERT_EQ(init_toolkit(self(), kApp), 1);
    // 16 brushes, 16 pens, the dash-dot pen, 16 fonts and the stock bitmaps.
    int32_t bitmaps = 0;
    for (HBITMAP b : toolkit().stockBitmaps) bitmaps += b != nullptr;
    EXPECT_EQ(live_gdi_objects() - before, 49 + bitmaps);
    terminate_toolkit();
    EXPECT_EQ(live_gdi_objects(), before);

    for (int cycle = 0; cycle < 40; ++cycle) {
        ASSERT_EQ(init_toolkit(self(), kApp), 1);
        ASSERT_EQ(init_toolkit(self(), kApp), 1);
        terminate_toolkit();
        terminate_toolkit();
    }
    EXPECT_EQ(live_gdi_objects(), before);
}

TEST(ToolkitModuleDirectory, RecordsTheDirectoryOfTheModule) {
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    std::string expected(path);
    expected.resize(expected.rfind('\\'));

    store_module_directory(nullptr);
    char directory[kModuleDirectorySize];
    std::memset(directory, '#', sizeof directory);
    EXPECT_EQ(copy_module_directory(directory), static_cast<int32_t>(expected.size() + 1));
    EXPECT_EQ(std::string(directory), expected);
}

}  // namespace
